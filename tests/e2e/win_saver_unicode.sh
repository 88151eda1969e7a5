#!/usr/bin/env bash
# The saver under Wine on a folder whose games have Chinese and Korean names and sit in nested
# subfolders, beside a README.md and a broken game: it plays the real game (the README is not
# offered, the broken file is passed over) and draws the players' names in real glyphs.
#
# How "real glyphs" is told: senvola-inspect renders the same game three times, as it is, with
# the names replaced by code points no face has (what boxes look like), and with the names as
# mojibake (their UTF-8 bytes read as Windows-1252). The pixels where the first two differ are
# the names; there the render of the game must differ from the mojibake one, and the saver's
# screenshot must match the render of the game, not the boxes and not the mojibake, with the
# same amount of ink.
BUILD="$1"; SRC="$2"
export LC_ALL=C.UTF-8  # the folder names reach Wine as UTF-8
source "$SRC/tests/e2e/lib/saver_e2e.sh"
INSPECT="$BUILD/tools/inspect/senvola-inspect.exe"
# Black 金毛测试 against White 렛츠기릿, both 9段, written in UTF-8 as CA[UTF-8] says.
GAME="$SRC/../shared/sgf-corpus/ai/0440 2018.10.04 金毛测试 VS qkrrjsgh (010001405).SGF"
if [ ! -f "$GAME" ]; then
    echo "SKIPPED: the game corpus is not beside the source tree ($GAME); nothing was checked"
    exit 0
fi
reset_shared_settings

# The folder: the game under a Chinese and under a Korean name, two levels apart, a README and
# a file that holds no game. Either good file shows the same names.
ROOT_NAME="对局"
ROOT="$WINEPREFIX/drive_c/$ROOT_NAME"
rm -rf "$ROOT"
mkdir -p "$ROOT/围棋/职业" "$ROOT/바둑/기보" "$ROOT/坏"
cp "$GAME" "$ROOT/围棋/职业/金毛测试 VS 렛츠기릿.sgf"
cp "$GAME" "$ROOT/바둑/기보/렛츠기릿 대국.SGF"
printf '# Games\n\nGames of 2018 from a Go server.\n' >"$ROOT/README.md"
printf 'This file is not a game record.\n' >"$ROOT/坏/损坏的棋谱.sgf"

# The three renders, from ASCII paths: the tool takes its path from an ANSI command line.
python3 - "$GAME" "$WORK" <<'PY'
import os, sys
text = open(sys.argv[1], 'rb').read().decode('utf-8')
names = ['金毛测试', '렛츠기릿']
def mojibake(s):
    # Windows-1252, with the five bytes it leaves undefined taken as Latin-1.
    return ''.join(bytes([b]).decode('cp1252', errors='strict') if b not in (0x81, 0x8D, 0x8F, 0x90, 0x9D)
                   else chr(b) for b in s.encode('utf-8'))
variants = {'real': lambda s: s, 'boxes': lambda s: '\u0378' * len(s), 'mojibake': mojibake}
for name, change in variants.items():
    t = text
    for n in names:
        t = t.replace(n, change(n))
    # One file name for all three, since the panel shows it.
    os.makedirs(f'{sys.argv[2]}/{name}')
    open(f'{sys.argv[2]}/{name}/game.sgf', 'wb').write(t.encode('utf-8'))
PY
# With the saver's own language file: the labels' column is as wide as its labels, so the names
# stand where the saver draws them only with the same labels.
# A program started while the Wine server of the one before is shutting down ends at once with
# status 1 and writes nothing: such a start is tried again.
for v in real boxes mojibake; do
    for attempt in 1 2 3; do
        timeout 120 "$BUILD/wine-run.sh" "$INSPECT" render "$(winepath -w "$WORK/$v/game.sgf" 2>/dev/null)" \
            --size "${SCREEN_W}x${SCREEN_H}" --moves 0 --ini "$(winepath -w "$BUILD/Senvola.ini" 2>/dev/null)" \
            --out "$(winepath -w "$WORK/$v.bmp" 2>/dev/null)" >/dev/null 2>&1
        [ -s "$WORK/$v.bmp" ] && break
        [ "$attempt" -lt 3 ] && note "the $v render wrote nothing (attempt $attempt); again" && sleep 1
    done
    check "senvola-inspect renders the $v names" test -s "$WORK/$v.bmp"
done

delete_key "$SETTINGS_KEY"
set_dword "$SETTINGS_KEY" FileLoadType 2
set_string "$SETTINGS_KEY" DirFileString "C:\\$ROOT_NAME"
set_dword "$SETTINGS_KEY" Speed 17
# reg query prints in the console's code page; the export is UTF-16.
stored_folder() {
    local i
    for i in 1 2 3; do
        timeout 60 wine reg export "$SETTINGS_KEY" "$WORK/settings.reg" /y >/dev/null 2>&1 && break
        sleep 0.5
    done
    iconv -f UTF-16 -t UTF-8 "$WORK/settings.reg" | tr -d '\r' | grep -q -F "\"DirFileString\"=\"C:\\\\$ROOT_NAME\""
}
check "the folder is stored as it is named" stored_folder

note "the saver on C:\\$ROOT_NAME"
start_saver /s
if wait_shown; then
    sleep 2
    screenshot "$WORK/shot.png"
    xdotool key space
    [ "$(wait_exit 15)" = 0 ] || fail "the saver ends with 0 on a key"
else
    fail "the saver shows its window"
fi
stop_saver

if [ -s "$WORK/shot.png" ] && [ -s "$WORK/real.bmp" ] && [ -s "$WORK/boxes.bmp" ] && [ -s "$WORK/mojibake.bmp" ]; then
    for v in shot real boxes mojibake; do
        f="$WORK/$v.png"; [ -f "$f" ] || f="$WORK/$v.bmp"
        convert "$f" ppm:"$WORK/$v.ppm"
    done
    # Prints "name value" figures, one a line; the checks below read them.
    python3 - "$WORK" >"$WORK/figures.txt" <<'PY'
import sys
def load(path):
    data = open(path, 'rb').read()
    parts, pos = [], 0
    while len(parts) < 4:  # P6, width, height, maxval
        while data[pos:pos + 1].isspace(): pos += 1
        end = pos
        while not data[end:end + 1].isspace(): end += 1
        parts.append(data[pos:end]); pos = end
    w, h = int(parts[1]), int(parts[2])
    return w, h, data[pos + 1:]
work = sys.argv[1]
imgs = {v: load(f'{work}/{v}.ppm') for v in ('shot', 'real', 'boxes', 'mojibake')}
w, h, _ = imgs['real']
def px(v, x, y):
    d = imgs[v][2]; i = 3 * (y * w + x)
    return d[i], d[i + 1], d[i + 2]
def differs(a, b, x, y):
    return max(abs(p - q) for p, q in zip(px(a, x, y), px(b, x, y))) > 48
# The names' area: where the game and its boxes differ, with a margin of 2 pixels.
xs, ys = [], []
for y in range(h):
    for x in range(w):
        if differs('real', 'boxes', x, y):
            xs.append(x); ys.append(y)
if not xs:
    print('region none'); sys.exit(0)
x1, y1, x2, y2 = max(min(xs) - 2, 0), max(min(ys) - 2, 0), min(max(xs) + 3, w), min(max(ys) + 3, h)
print(f'region {x2 - x1}x{y2 - y1}+{x1}+{y1}')
def ink(v):
    return sum(1 for y in range(y1, y2) for x in range(x1, x2) if sum(px(v, x, y)) > 3 * 128)
def diff(a, b):
    return sum(1 for y in range(y1, y2) for x in range(x1, x2) if differs(a, b, x, y))
for v in ('shot', 'real', 'boxes', 'mojibake'):
    print(f'ink_{v} {ink(v)}')
for a, b in (('shot', 'real'), ('shot', 'boxes'), ('shot', 'mojibake'), ('real', 'mojibake')):
    print(f'diff_{a}_{b} {diff(a, b)}')
PY
    sed 's/^/-- /' "$WORK/figures.txt"
    fig() { awk -v k="$1" '$1 == k {print $2}' "$WORK/figures.txt"; }
    region="$(fig region)"
    if [ -n "$region" ] && [ "$region" != none ]; then
        pass "the names draw differently from boxes in the render (area $region)"
        real=$(fig ink_real); shot=$(fig ink_shot)
        check "the render of the names is not mojibake ($(fig diff_real_mojibake) of $real ink pixels differ)" \
            test "$(fig diff_real_mojibake)" -gt $((real / 5))
        check "the screenshot's names match the render ($(fig diff_shot_real) pixels differ, $real of ink)" \
            test "$(fig diff_shot_real)" -le $((real / 10))
        check "the screenshot's names are not boxes ($(fig diff_shot_boxes) pixels differ)" \
            test "$(fig diff_shot_boxes)" -gt $((real / 5))
        check "the screenshot's names are not mojibake ($(fig diff_shot_mojibake) pixels differ)" \
            test "$(fig diff_shot_mojibake)" -gt $((real / 5))
        check "the screenshot has the render's ink ($shot against $real pixels)" \
            test $((shot * 100)) -ge $((real * 85)) -a $((shot * 100)) -le $((real * 115))
    else
        fail "the names draw differently from boxes in the render (no pixel differs: the names are boxes)"
    fi
    # Kept for a person to look at.
    cp "$WORK/shot.png" "$BUILD/win_saver_unicode-shot.png" && note "screenshot kept as $BUILD/win_saver_unicode-shot.png"
fi

delete_key "$SETTINGS_KEY"
rm -rf "$ROOT"
finish
