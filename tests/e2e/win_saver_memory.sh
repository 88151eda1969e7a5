#!/usr/bin/env bash
# Memory after a huge game: a folder with one game of 60 MB (a long comment; files over 64 MiB
# are refused) and small games. Once the huge game has been shown and the small ones follow,
# the saver is back near its usual size instead of keeping the huge game's storage.
BUILD="$1"; SRC="$2"
source "$SRC/tests/e2e/lib/saver_e2e.sh"
source "$SRC/tests/e2e/lib/saver_process.sh"
reset_shared_settings
# The saver runs in about 40 MB; one copy of the huge game's comment is 57 MB, and while that
# game plays both records hold one.
LIMIT_MB=100

# moves ROW_BLACK ROW_WHITE: 38 moves, Black along one row and White along another; with an
# empty row between any two rows used, nothing is ever captured.
moves() {
    local c
    for c in a b c d e f g h i j k l m n o p q r s; do printf ';B[%s%s];W[%s%s]' "$c" "$1" "$c" "$2"; done
}
GAMES="$WORK/games"
mkdir -p "$GAMES"
# The huge game: 76 moves at 100 ms keep it on the screen for about 8 s; move 2 carries the
# comment. Written at run time, removed with $WORK.
{
    printf '(;GM[1]FF[4]SZ[19]PB[Huge]PW[Game];B[pd];W[dp]C['
    yes 'a comment that goes on and on, line after line of words' | head -c 60000000
    printf ']'
    moves a c
    moves e g
    printf ')\n'
} >"$GAMES/huge.sgf"
for n in 1 2 3; do printf '(;GM[1]FF[4]SZ[19]PB[Small %s]PW[Game];B[pd];W[dp];B[pp])\n' "$n" >"$GAMES/small$n.sgf"; done

delete_key "$SETTINGS_KEY"
set_dword "$SETTINGS_KEY" FileLoadType 2
set_string "$SETTINGS_KEY" DirFileString "$(winepath -w "$GAMES" 2>/dev/null)"
set_dword "$SETTINGS_KEY" Speed 1
set_dword "$SETTINGS_KEY" PauseBetweenGames 0
# Its comment would otherwise keep the huge game on the screen for its 20 s of reading time.
set_dword "$SETTINGS_KEY" CommentReadingTime 0

note "a huge game, then small games"
start_saver /s
if wait_shown; then
    note "memory when the window is shown: $(saver_rss_mb) MB"
    if wait_rss_at_least 120 40; then
        pass "the huge game is loaded ($(saver_rss_mb) MB)"
        # Drawn from the folder already: gone from it, the huge game is never read again.
        rm -f "$GAMES/huge.sgf"
        sleep 12
        worst=0
        for _ in 1 2 3 4 5; do
            rss="$(saver_rss_mb)"
            [ -n "$rss" ] && [ "$rss" -gt "$worst" ] && worst="$rss"
            sleep 1
        done
        note "memory while small games play after it: at most $worst MB"
        check "the saver is still running" saver_running
        check "back under $LIMIT_MB MB after the huge game ($worst MB)" test "$worst" -gt 0 -a "$worst" -lt "$LIMIT_MB"
    else
        fail "the huge game is loaded (at most $(saver_rss_mb) MB seen)"
    fi
else
    fail "the saver shows its window"
fi
stop_saver
delete_key "$SETTINGS_KEY"
finish
