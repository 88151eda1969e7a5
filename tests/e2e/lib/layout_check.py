#!/usr/bin/env python3
"""Checks `senvola-inspect layout W H N [--board-only]` against the layout formulas computed here
independently (exact fractions, halves to even), and its usage errors.
Usage: layout_check.py [--few] COMMAND...   (COMMAND runs the tool, e.g. wine-run.sh tool.exe)"""
import json
import subprocess
import sys
from fractions import Fraction


def div(a, b):  # integer division toward zero
    q = abs(a) // abs(b)
    return q if (a >= 0) == (b > 0) else -q


def expected(w, h, n, board_only):
    half = div(n - 1, 2)
    board_only = board_only or h < 320  # a preview shows the board alone
    # The panel's room: 40 % of the shorter side beside the board, 48 % below it; below where
    # that leaves the larger board.
    shorter = min(w, h)
    beside_h = h - max(min(div(w, 10), div(h, 5)), div(h, 38) + div(5 * shorter, 48))
    beside_w = max(0, min(round(Fraction(beside_h * 95, 100)), w - div(w, 20) - div(w, 50) - div(shorter * 40, 100)))
    above = max(0, min(w - 2 * div(w, 38), div(h * 62, 100), h - 2 * div(w, 38) - div(h, 9) - div(shorter * 48, 100)))
    portrait = not board_only and h > w and above >= min(beside_w, beside_h)
    if board_only:
        bah = h - div(h, 76)
        baw = min(round(Fraction(bah * 95, 100)), w - div(w, 76))  # Fraction rounds halves to even
    elif portrait:
        bah = baw = above
    else:
        bah, baw = beside_h, beside_w
    cell = div(min(baw, bah), n + 1)  # square cells from the smaller side
    if board_only:
        left, top = div(w, 2) - half * cell, div(h, 2) - half * cell
    elif portrait:
        left, top = div(w, 2) - half * cell, div(w, 38) + div(bah, 2) - half * cell
    else:
        left = div(h, 38) + div(baw, 2) - half * cell
        top = div(h, 38) + div(bah, 2) - half * cell
    e = {"ScreenWidth": w, "ScreenHeight": h, "BoardAreaHeight": bah, "BoardAreaWidth": baw,
         "CellWidth": cell, "CellHeight": cell, "BoardLeft": left, "BoardTop": top,
         "BoardCentreX": left + half * cell}
    if portrait:
        bottom = h - div(h, 9) - div(h, 76)
        e.update({"PanelLeft": div(w, 20), "PanelRight": w - div(w, 20), "PanelBottom": bottom,
                  "CommentLeft": div(w, 20) + div(w, 100) + 1,
                  "CommentRight": w - div(w, 20) - div(w, 100) - 1, "CommentBottom": bottom - div(h, 76)})
    elif not board_only:
        e.update({"PanelLeft": div(w, 20) + baw, "PanelRight": w - div(w, 50),
                  "PanelBottom": h - div(w, 50), "CommentLeft": div(w, 19) + baw + 1,
                  "CommentRight": w - div(w, 50) - div(w, 256) - 2, "CommentBottom": h - div(h, 25)})
    return e


def main():
    args = sys.argv[1:]
    few = args and args[0] == "--few"
    if few:
        args = args[1:]
    tool = args
    failures = []

    def run(*a):
        p = subprocess.run(tool + list(a), capture_output=True, timeout=120)
        return p.returncode, p.stdout.decode("latin-1")

    def check(cond, what):
        if not cond:
            failures.append(what)
            print("FAIL:", what)

    # The worked examples, by number.
    rc, out = run("layout", "1024", "768", "19")
    check(rc == 0, "1024x768 exit status")
    got = json.loads(out)
    for k, v in {"BoardAreaHeight": 666, "BoardAreaWidth": 633, "CellWidth": 31, "CellHeight": 31,
                 "BoardLeft": 57, "BoardTop": 74, "BoardCentreX": 336, "PanelLeft": 684,
                 "PanelRight": 1004, "PanelBottom": 748, "CommentLeft": 687, "CommentRight": 998,
                 "CommentBottom": 738}.items():
        check(got.get(k) == v, f"1024x768 panel {k} = {got.get(k)}, expected {v}")
    rc, out = run("layout", "1024", "768", "19", "--board-only")
    got = json.loads(out)
    for k, v in {"BoardAreaHeight": 758, "BoardAreaWidth": 720, "CellWidth": 36, "CellHeight": 36,
                 "BoardLeft": 188, "BoardTop": 60, "BoardCentreX": 512}.items():
        check(got.get(k) == v, f"1024x768 board only {k} = {got.get(k)}, expected {v}")
    check("PanelLeft" not in got, "board only prints no panel fields")
    got = json.loads(run("layout", "1000", "760", "19", "--board-only")[1])
    check(got["BoardAreaHeight"] == 750 and got["BoardAreaWidth"] == 712, "750 x 0.95 rounds to 712")

    sizes = [(0, 0), (1, 1), (10000, 10000), (640, 480), (800, 600), (1920, 1080), (152, 112), (10000, 1)]
    if not few:
        sizes += [(w, h) for w in (320, 1280, 1366, 2560, 3840) for h in (200, 719, 750, 1024, 1440, 2160)]
    for w, h in sizes:
        for n in ((19,) if few else (9, 13, 19, 7)):
            for board_only in (False, True):
                a = ["layout", str(w), str(h), str(n)] + (["--board-only"] if board_only else [])
                rc, out = run(*a)
                check(rc == 0, f"{' '.join(a)}: exit {rc}")
                if rc == 0:
                    got, want = json.loads(out), expected(w, h, n, board_only)
                    check(got == want, f"{' '.join(a)}: {got} != {want}")

    for bad in (["layout"], ["layout", "10", "10"], ["layout", "a", "10", "19"], ["layout", "10", "10", "0"],
                ["layout", "-1", "10", "19"], ["layout", "10", "10", "19", "--wide"],
                ["layout", "10", "10", "19", "4"], ["layout", "10x", "10", "19"]):
        rc, _ = run(*bad)
        check(rc == 2, f"{' '.join(bad)}: exit {rc}, expected 2")

    print(f"layout checks: {len(failures)} failure(s)")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
