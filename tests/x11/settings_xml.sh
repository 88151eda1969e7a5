#!/usr/bin/env bash
# senvola.xml, the settings xscreensaver's dialog reads, against the program: parsed as XML,
# every option it writes must be one `senvola -help` lists, and every option -help lists
# must be in it (or be one of the few that choose the window or repeat another); the numbers'
# ranges and defaults must be the ones -help states, the languages those of Senvola.ini, and
# every setting the dialog can produce must be accepted by the program. The man page must
# name every option too.
# Usage: bash settings_xml.sh BUILD_DIR SOURCE_DIR
set -u
BUILD=$(cd "$1" && pwd)
SRC=$(cd "$2" && pwd)
source "$SRC/tests/x11/lib/x11_test.sh"
need python3

"$HACK" -help >"$TMP/help.txt"
WHAT="-help exits with 0" check [ $? -eq 0 ]
python3 - "$HACK" "$TMP/help.txt" "$SRC/src/x11/dist/senvola.xml" "$SRC/src/x11/dist/senvola.6" \
    "$SRC/data/Senvola.ini" <<'PY' || fail=1
import os, re, subprocess, sys
import xml.etree.ElementTree as ET

hack, help_path, xml_path, man_path, ini_path = sys.argv[1:]
bad = []

# -help: "  -name VALUE   text" lines.
helped = {}
for line in open(help_path):
    m = re.match(r"  -([a-z-]+)(?: ([A-Z]+))?\s+(.*)", line)
    if m:
        helped[m.group(1)] = (m.group(2), m.group(3))
# Options that are not settings: where to draw, the display, help, and -delay (another
# spelling of -speed, which the dialog uses) and -builtin (the default the dialog leaves unsaid).
not_settings = {"window", "fullscreen", "root", "window-id", "display", "help", "delay", "builtin"}

root = ET.parse(xml_path).getroot()
if root.tag != "screensaver" or root.get("name") != "senvola":
    bad.append(f"root element {root.tag} name={root.get('name')}")
command = root.find("command")
if command is None or command.get("arg") != "-root":
    bad.append("the command does not ask for -root")

# Every command line the dialog can write, option by option.
written = {}  # option name -> list of argument lists
for e in root.iter():
    for attr in ("arg", "arg-set", "arg-unset"):
        text = e.get(attr)
        if text is None or e.tag == "command":
            continue
        words = text.split()
        name = words[0].lstrip("-")
        if not words[0].startswith("-") or name not in helped:
            bad.append(f"{e.tag} {e.get('id')}: {text!r} is no option of -help")
            continue
        value = helped[name][0]
        if value and len(words) != 2:
            bad.append(f"{text!r}: -{name} takes one {value}")
        if not value and len(words) != 1:
            bad.append(f"{text!r}: -{name} takes no value")
        samples = [words]
        if "%" in words:
            if e.tag == "number":
                samples = [[w if w != "%" else e.get(k) for w in words] for k in ("low", "high", "default")]
            elif e.tag == "file":
                samples = [[w if w != "%" else "/tmp/a file.sgf" for w in words]]
            else:
                samples = [[w if w != "%" else ("#102030" if "colour" in name else "/tmp/games") for w in words]]
        written.setdefault(name, []).extend(samples)

missing = sorted(set(helped) - set(written) - not_settings)
if missing:
    bad.append(f"-help options without a setting in the XML: {missing}")

# Numbers: the range and default -help states.
for e in root.iter("number"):
    name = e.get("arg").split()[0].lstrip("-")
    text = helped.get(name, ("", ""))[1]
    m = re.search(r"(\d+) to (\d+)", text)
    d = re.search(r"default (\d+)", text)
    if not m or (e.get("low"), e.get("high")) != (m.group(1), m.group(2)):
        bad.append(f"-{name}: XML range {e.get('low')}..{e.get('high')}, -help says {text!r}")
    if not d or e.get("default") != d.group(1):
        bad.append(f"-{name}: XML default {e.get('default')}, -help says {text!r}")

# Languages: those of the shipped language file, in its order.
ini = open(ini_path, encoding="utf-8").read()
section = re.search(r"^\[Languages\]\n(.*?)\n\n", ini, re.S | re.M).group(1)
listed = [line.split("=", 1)[1].strip() for line in section.splitlines() if "=" in line and not line.startswith(";")]
offered = [o.get("arg-set", "-lang English").split()[1] for o in root.find("select[@id='lang']")]
if offered != listed:
    bad.append(f"languages offered {offered}, Senvola.ini lists {listed}")

# The program takes every line the dialog can write. Without a display a good line ends with
# 1 (no display), a bad one with 2 (usage) before it looks for one.
env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
for name, lines in sorted(written.items()):
    for args in lines:
        p = subprocess.run([hack, "-root"] + args, env=env, capture_output=True, text=True, timeout=20)
        if p.returncode != 1 or "cannot open display" not in p.stderr:
            bad.append(f"{args}: exit {p.returncode}: {p.stderr.strip()}")

# The man page names every option.
man = open(man_path).read().replace("\\-", "-")
for name in helped:
    if not re.search(rf"\.B -{re.escape(name)}\b|, -{re.escape(name)}\b", man):
        bad.append(f"the man page does not describe -{name}")

print(f"{len(helped)} options in -help, {sum(map(len, written.values()))} command lines from the XML")
for b in bad:
    print("FAIL:", b)
sys.exit(1 if bad else 0)
PY

[ "$fail" -eq 0 ] && echo "settings_xml: all checks passed"
exit "$fail"
