#!/usr/bin/env bash
# Builds the release files into dist/: the Windows setup program, a portable zip of the Windows
# saver, and a Debian package of the Linux xscreensaver hack, each with its SHA-256 beside it.
# Usage: bash scripts/package.sh   (as root on a fresh machine: it installs what it misses)
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ROOT"
bash scripts/deps.sh

VERSION="$(sed -n 's/^project(Senvola VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
[ -n "$VERSION" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
DIST="$ROOT/dist"
# The Windows build is a release build already; the native one gets a release build of its own,
# without the sanitizers of the test build.
PKG_WIN="$WIN_BUILD"
PKG_HOST="${SENVOLA_PACKAGE_HOST_BUILD:-$ROOT/build/package-host}"
mkdir -p "$DIST"

echo "== Windows: Senvola.scr and the setup program ($VERSION)"
configure_win
cmake --build "$PKG_WIN" --target installer -j "$JOBS"
SETUP="Senvola-$VERSION-setup.exe"
cp "$PKG_WIN/$SETUP" "$DIST/$SETUP"

echo "== Windows: the portable zip"
ZIP="Senvola-$VERSION-win64.zip"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/Senvola-$VERSION"
cp "$PKG_WIN/Senvola.scr" data/Senvola.ini data/help/Senvola.html "$stage/Senvola-$VERSION/"
# Notepad and every browser read CR LF text; the zip is for Windows.
sed 's/$/\r/' README.md >"$stage/Senvola-$VERSION/README.txt"
sed 's/$/\r/' LICENSE >"$stage/Senvola-$VERSION/LICENSE.txt"
rm -f "$DIST/$ZIP"
(cd "$stage" && TZ=UTC zip -q -X -r "$DIST/$ZIP" "Senvola-$VERSION")

echo "== Linux: the xscreensaver hack as a Debian package"
cmake -S "$ROOT" -B "$PKG_HOST" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSENVOLA_TESTS=OFF >/dev/null
cmake --build "$PKG_HOST" --target senvola -j "$JOBS"
ARCH="$(dpkg --print-architecture)"
DEB="senvola_${VERSION}_${ARCH}.deb"
root="$stage/deb"
DESTDIR="$root" cmake --install "$PKG_HOST" --prefix /usr >/dev/null
strip --strip-unneeded "$root/usr/libexec/xscreensaver/senvola"
gzip -9n "$root/usr/share/man/man6/senvola.6"
mkdir -p "$root/usr/share/doc/senvola" "$root/DEBIAN"
cp LICENSE "$root/usr/share/doc/senvola/copyright"
# The libraries the hack links, named as Debian packages them.
depends="libc6, libstdc++6, libgcc-s1, libx11-6, libcairo2, libpango-1.0-0, libpangocairo-1.0-0, libglib2.0-0"
cat >"$root/DEBIAN/control" <<EOF
Package: senvola
Version: $VERSION
Architecture: $ARCH
Maintainer: Tavrel <senvola@example.org>
Installed-Size: $(du -sk "$root/usr" | cut -f1)
Depends: $depends
Recommends: xscreensaver
Section: x11
Priority: optional
Homepage: https://senvola.example.org
Description: Go screensaver replaying recorded games of Go
 Senvola is a display hack for xscreensaver that replays recorded games of
 Go (SGF and .GO files, or six built-in professional games) move by move on
 a board, with the players, the result, the move counter and the comments of
 the game beside it. Its settings appear in xscreensaver's dialog.
EOF
dpkg-deb --root-owner-group -Zxz --build "$root" "$DIST/$DEB" >/dev/null

echo "== SHA-256"
cd "$DIST"
for f in "$SETUP" "$ZIP" "$DEB"; do
    sha256sum "$f" >"$f.sha256"
    printf '%-36s %9d bytes  %s\n' "$f" "$(stat -c %s "$f")" "$(cut -d' ' -f1 "$f.sha256")"
done
