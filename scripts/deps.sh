#!/usr/bin/env bash
# Installs the Debian packages the build and tests need; does nothing when all are present.
# fonts-wqy-zenhei gives Wine (and the native hack) a face with Chinese, Japanese and Korean.
# nsis (makensis) and zip make the setup program and the portable zip of scripts/package.sh.
set -euo pipefail
packages=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev clang
          g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb xauth xdotool
          imagemagick python3 x11-utils fonts-wine fonts-liberation
          libcairo2-dev libpango1.0-dev libx11-dev xscreensaver
          fonts-wqy-zenhei nsis zip)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
