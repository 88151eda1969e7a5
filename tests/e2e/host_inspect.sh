#!/usr/bin/env bash
# senvola-inspect read / replay / check on generated game files and the built-in games: the JSON
# is parsed and its fields checked; usage errors must exit with status 2.
# Usage: bash host_inspect.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
BUILD_DIR=$1
TOOL="$BUILD_DIR/tools/inspect/senvola-inspect"
[ -x "$TOOL" ] || { echo "no tool at $TOOL"; exit 1; }
WORK=$(mktemp -d)
TEXTS=$(mktemp -d)  # files of the texts' checks, apart from those "check" counts
trap 'rm -rf "$WORK" "$TEXTS"' EXIT

# A game begun by White without setup stones.
printf '(;GM[1]SZ[9];W[cc];B[gg])' > "$WORK/white_first.sgf"
# A ko taken by Black and retaken at once by White: illegal at move 2.
printf '(;GM[1]SZ[9]AB[dc][cd][de]AW[ec][dd][fd][ee];B[ed];W[dd];B[aa])' > "$WORK/ko.sgf"
# Handicap two with its stones, White to move first.
printf '(;GM[1]SZ[19]HA[2]AB[pd][dp];W[qp];B[tt])' > "$WORK/handicap.sgf"
# Bytes outside ASCII, quotes, a backslash and comments before and after the first move.
printf '(;GM[1]SZ[9]PB[Caf\351 "q" a\\\\b]C[intro];B[cc]C[line1\r\nline2])' > "$WORK/texts.sgf"
# A move off the board.
printf '(;GM[1]SZ[9];B[zz])' > "$WORK/bad.sgf"
# A .GO file in small letters.
printf 'EVENT test\nBLACK Someone\nB 1 D4\nW 2 Q16\nB 3 PASS\n' > "$WORK/game.go"
# Big5 (許 is B3 5C, 也 A4 5D) declared after the name, a character beyond U+FFFF in UTF-8, and a
# text with no game in it.
printf '(;PB[\263\\\244]]CA[Big5]C[(x)];B[aa])' > "$TEXTS/big5.sgf"
printf '(;CA[UTF-8]PW[\360\237\200\204 \342\200\224 "\303\251"\t];B[aa])' > "$TEXTS/utf8.sgf"
printf '# Notes\nNothing to play here.\n' > "$TEXTS/README.sgf"

export TOOL WORK TEXTS
python3 - <<'PY'
import json, os, subprocess

tool, work, texts = os.environ["TOOL"], os.environ["WORK"], os.environ["TEXTS"]
failures = []

def run(*args):
    p = subprocess.run([tool, *args], capture_output=True)
    return p.returncode, p.stdout.decode("latin-1"), p.stderr.decode("latin-1")

def check(cond, what):
    if not cond:
        failures.append(what)
        print("FAIL:", what)

def js(*args):
    rc, out, err = run(*args)
    check(rc == 0, f"{args}: exit {rc} {err}")
    check(out.count("\n") == 1, f"{args}: one line of output")
    return json.loads(out)

READ_KEYS = ["code", "HasComments", "record", "Charset", "Text", "Markup", "InGameSetup"]
TEXT_KEYS = ["WhiteName", "WhiteRank", "BlackName", "BlackRank", "Copyright", "Date", "Event",
             "GameName", "Komi", "Place", "Result", "TimeLimit", "User", "Round", "Comments"]
RECORD_KEYS = ["WhiteName", "WhiteRank", "BlackName", "BlackRank", "Copyright", "Date", "Event",
               "GameName", "Komi", "Place", "Result", "TimeLimit", "User", "Round", "Handicap",
               "BoardSize", "FirstColour", "Setup", "Moves", "Comments"]
REPLAY_KEYS = ["code", "entries", "played", "illegal", "moveNumber", "toMove", "ko", "board"]

def read(path):
    d = js("read", path)
    check(list(d) == READ_KEYS, f"read {path}: keys {list(d)}")
    check(list(d["record"]) == RECORD_KEYS, f"read {path}: record keys {list(d['record'])}")
    check(list(d["Text"]) == TEXT_KEYS, f"read {path}: text keys {list(d['Text'])}")
    return d

def replay(path):
    d = js("replay", path)
    if d["code"] == 0:
        check(list(d) == REPLAY_KEYS, f"replay {path}: keys {list(d)}")
    return d

p = f"{work}/white_first.sgf"
r = read(p)
check(r["code"] == 0 and r["record"]["FirstColour"] == 2, "white first: FirstColour 2")
check(r["record"]["Moves"] == [[3, 3], [7, 7]], "white first: moves")
d = replay(p)
check(d["board"][2][2] == "O" and d["board"][6][6] == "X", "white first: replayed in White's colour first")
check(d["entries"] == 2 and d["played"] == 2 and d["illegal"] is None, "white first: complete")
check(d["toMove"] == 0 and d["moveNumber"] == 3, "white first: White to move again after two moves")

d = replay(f"{work}/ko.sgf")
check(d["entries"] == 3 and d["played"] == 1, f"ko: entries/played {d['entries']} {d['played']}")
check(d["illegal"] == {"move": 2, "x": 4, "y": 4, "reason": 3}, f"ko: illegal {d['illegal']}")
check(list(d["illegal"]) == ["move", "x", "y", "reason"], "ko: illegal keys in order")
check(d["ko"] == [5, 4] and d["moveNumber"] == 2 and d["toMove"] == 0, f"ko: state {d['ko']} {d['moveNumber']}")
check(d["board"][3] == "..X.XO...", f"ko: row 4 {d['board'][3]}")
check(len(d["board"]) == 9 and all(len(row) == 9 for row in d["board"]), "ko: 9 rows of 9")

r = read(f"{work}/handicap.sgf")
check(r["record"]["Handicap"] == 2 and r["record"]["Setup"] == "ZPDZDP", "handicap: record")
check(r["record"]["Moves"] == [[17, 16], [255, 255]], "handicap: a pass is [255, 255]")
d = replay(f"{work}/handicap.sgf")
check(d["board"][3][15] == "X" and d["board"][15][3] == "X" and d["board"][15][16] == "O", "handicap: stones")
check(d["played"] == 2 and d["illegal"] is None and d["toMove"] == 0, "handicap: pass played")

r = read(f"{work}/texts.sgf")
check(r["HasComments"] == 1, "texts: HasComments")
check(r["record"]["BlackName"] == 'Caf\u00e9 "q" a\\b', f"texts: name {r['record']['BlackName']!r}")
check(r["record"]["Comments"] == {"0": "intro", "1": "line1\r\nline2"}, f"texts: comments {r['record']['Comments']!r}")
rc, out, _ = run("read", f"{work}/texts.sgf")
check("\\u00e9" in out, "texts: byte 0xE9 written as \\u00e9")
check(r["Charset"] == "windows-1252", f"texts: charset {r['Charset']}")
check(r["Text"]["BlackName"] == 'Caf\u00e9 "q" a\\b', f"texts: decoded name {r['Text']['BlackName']!r}")
check(r["Text"]["Comments"] == r["record"]["Comments"], "texts: ASCII comments decode as they are")

r = read(f"{texts}/big5.sgf")
check(r["Charset"] == "Big5", f"big5: charset {r['Charset']}")
check(r["Text"]["BlackName"] == "\u8a31\u4e5f", f"big5: name {r['Text']['BlackName']!r}")
check(r["Text"]["Comments"] == {"0": "(x)"} and r["record"]["Moves"] == [[1, 1]], f"big5: {r['Text']['Comments']}")
r = read(f"{texts}/utf8.sgf")
check(r["Charset"] == "UTF-8", f"utf8: charset {r['Charset']}")
check(r["Text"]["WhiteName"] == '\U0001F004 \u2014 "\u00e9"', f"utf8: name {r['Text']['WhiteName']!r}")
rc, out, _ = run("read", f"{texts}/utf8.sgf")
check(out.isascii() and "\\ud83c\\udc04" in out, "utf8: ASCII output, a surrogate pair beyond U+FFFF")
check(read(f"{texts}/README.sgf")["code"] == 9, "README: no game, code 9")

r = read(f"{work}/bad.sgf")
check(r["code"] == 4 and r["record"]["BoardSize"] == 9, "bad: code 4 and the half-read record")
d = js("replay", f"{work}/bad.sgf")
check(d == {"code": 4}, f"bad: replay {d}")

r = read(f"{work}/game.go")
check(r["code"] == 0 and r["record"]["Moves"] == [[4, 16], [16, 4], [255, 255]], f"go: {r['record']['Moves']}")
check(r["record"]["BlackName"] == "Someone", "go: name")

r = read(f"{work}/missing.sgf")
check(r["code"] == 255, "missing: 255")
check(js("replay", f"{work}/missing.sgf") == {"code": 255}, "missing: replay")

for n in range(1, 7):
    r = read(f"builtin:{n}")
    d = replay(f"builtin:{n}")
    rec = r["record"]
    check(r["code"] == 0 and r["HasComments"] == 0 and rec["BoardSize"] == 19 and rec["Handicap"] == 1, f"builtin:{n}: record")
    check(rec["Comments"] == {} and rec["Setup"] == "" and rec["BlackName"] != "", f"builtin:{n}: texts")
    check(d["illegal"] is None and d["played"] == d["entries"] == len(rec["Moves"]), f"builtin:{n}: replays to its end")
    check(d["moveNumber"] == d["entries"] + 1, f"builtin:{n}: move number")
    check(len(d["board"]) == 19 and set("".join(d["board"])) <= set(".XO"), f"builtin:{n}: board")
check(read("builtin:1")["record"]["BlackName"] != read("builtin:2")["record"]["BlackName"], "builtin: rows differ")

for args in [(), ("read",), ("read", "a", "b"), ("replay",), ("replay", "builtin:0"), ("read", "builtin:7"),
             ("read", "builtin:x"), ("check",), ("check", "-x", work), ("nonsense",)]:
    rc, out, err = run(*args)
    check(rc == 2 and err.strip() != "" and out == "", f"usage error {args}: exit {rc}")

rc, out, err = run("check", work, "builtin:3")
lines = out.splitlines()
check(rc == 0, f"check: exit {rc}")
check(len(lines) == 9, f"check: what the folder offers, 7 files and a total line, got {len(lines)}")
check(lines[0] == f"{work}: the folder source offers 6 game files (.sgf or .go in any case, from the folder and all "
      "its subfolders; hidden and system entries and links left out; at most 100000)", f"check: offer {lines[0]!r}")
check(any("ko.sgf" in l and "stops at move 2" in l and "ko" in l for l in lines), "check: ko line")
check(any("bad.sgf" in l and "code 4" in l for l in lines), "check: bad line")
check(lines[-1].startswith("7 files: 6 loaded, 1 failed"), f"check: totals {lines[-1]}")

# A directory gives the game files of its whole tree, as the folder source offers them; with -r,
# every plain file of the tree.
os.makedirs(f"{work}/deeper/deepest")
with open(f"{work}/deeper/one.sgf", "w") as f:
    f.write("(;GM[1]SZ[13];B[cc])")
with open(f"{work}/deeper/deepest/two.go", "w") as f:
    f.write("EVENT\nB 1 A1\n")
for name in ["README.md", ".hidden.sgf", "deepest/notes"]:
    with open(f"{work}/deeper/{name}", "w") as f:
        f.write("(;GM[1]SZ[9];B[cc])")
rc, out, _ = run("check", f"{work}/deeper")
lines = out.splitlines()
check(rc == 0 and "offers 2 game files" in lines[0] and lines[-1].startswith("2 files: 2 loaded"), f"check: {out!r}")
check([l.split(":")[0] for l in lines[1:3]] == [f"{work}/deeper/deepest/two.go", f"{work}/deeper/one.sgf"],
      f"check: the offered files in byte order: {out!r}")
rc, out, _ = run("check", "-r", f"{work}/deeper")
check(rc == 0 and out.splitlines()[-1].startswith("5 files: "), f"check -r: {out!r}")

print(f"{len(failures)} failed" if failures else "inspect: all checks passed")
raise SystemExit(1 if failures else 0)
PY
