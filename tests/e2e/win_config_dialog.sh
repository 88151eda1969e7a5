#!/usr/bin/env bash
# Senvola.scr /c and without parameters under Wine, driven with xdotool: the options dialog's
# title, place, tabs and controls; changes made through the controls and OK reach the registry
# (with the shared screensaver values) and the next saver run; Cancel writes nothing.
BUILD="$1"; SRC="$2"
source "$SRC/tests/e2e/lib/saver_e2e.sh"
TITLE="Options for Tavrel's Senvola"

# Client coordinates in the dialog (the X window is its client area): tabs, the pages' origin
# (9, 26) inside the page control, and the buttons.
TAB_REPLAY="40 15"; TAB_GRAPHICS="120 15"; TAB_LANGUAGE="178 15"
SPEED_BAR="200 75"          # the speed panel (11,7) + the speed bar (49,25) on the page
SHOW_BOARD_ONLY="57 194"    # "Show board only" (41,161) on the page
LIST_FIRST="110 115"       # the first entry of the language list (60,80) on the page; Down twice: the third
SWATCH="307 108"            # the middle of the preview colour (248,32, 105 x 105)
OK_BUTTON="288 403"; CANCEL_BUTTON="368 403"
REPLAY_HELP="349 230"       # the Replay page's Help button (296,192, 89 x 25)
BROWSE_FILE="330 170"       # "Browse…" beside "Select one file" (262,31 in the group at 11,24 of the panel at 11,80)

# The dialog by the program's name in its title, whatever the language makes of the rest.
dialog_window() { xdotool search --onlyvisible --name "Tavrel's Senvola" 2>/dev/null | head -1; }
# start_dialog ARGS...: starts the program and waits for the dialog; DLG is its window.
start_dialog() {
    start_saver "$@"
    DLG=""
    for _ in $(seq 300); do DLG="$(dialog_window)"; [ -n "$DLG" ] && break; [ -f "$WORK/rc" ] && break; sleep 0.1; done
    [ -n "$DLG" ] && sleep 1
    [ -n "$DLG" ]
}
click() { xdotool mousemove --window "$DLG" $1 click 1; sleep 0.5; }
geometry() { xdotool getwindowgeometry "$DLG" | awk '/Position/ {print $2} /Geometry/ {print $2}' | tr '\n' ' '; }
shot() { screenshot "$WORK/full.png"; local p; p=$(xdotool getwindowgeometry "$DLG" | awk '/Position/ {print $2}');
    convert "$WORK/full.png" -crop "411x420+${p%,*}+${p#*,}" +repage "$1"; }
value() { reg_query "$SETTINGS_KEY" | awk -v n="$1" '$1 == n {print $3}'; }
saver_value() { reg_query "$SAVERS_KEY" | awk -v n="$1" 'index($0, "    " n "    ") == 1 {print $NF}'; }

# The third language of the shipped language file, as the list shows it ("name / native").
ini_value() { tr -d '\r' <"$SRC/data/Senvola.ini" | awk -v s="[$1]" -v k="$2" '
    /^\[/ {in_s = (tolower($0) == tolower(s))} in_s && index($0, k "=") == 1 {print substr($0, length(k) + 2); exit}'; }
THIRD="$(ini_value Languages 2)"
NATIVE="$(ini_value "$THIRD" LanguageOriginalName)"
THIRD_ENTRY="$THIRD${NATIVE:+ / $NATIVE}"

reset_shared_settings
delete_key "$SETTINGS_KEY"

note "no parameters: a free-standing dialog, centred; Cancel writes nothing"
if start_dialog; then
    check "the title is exactly \"$TITLE\"" [ "$(xdotool getwindowname "$DLG")" = "$TITLE" ]
    read -r pos size <<<"$(geometry)"
    check "the client area is 411 x 420" [ "$size" = "411x420" ]
    centred() { local x="${pos%,*}" mid=$(( (SCREEN_W - 411) / 2 )); [ "$x" -ge $((mid - 8)) ] && [ "$x" -le $((mid + 8)) ]; }
    check "centred across the screen" centred
    shot "$WORK/english.png"
    xdotool key ctrl+Tab; sleep 0.5
    shot "$WORK/ctrl-tab.png"
    check "Ctrl+Tab shows the next page (the board swatch of Graphics)" [ "$(pixel "$WORK/ctrl-tab.png" $SWATCH)" = "220,179,92" ]
    xdotool key ctrl+shift+Tab; sleep 0.5
    shot "$WORK/ctrl-shift-tab.png"
    check "Ctrl+Shift+Tab goes back to the first page" same_region "$WORK/english.png" "$WORK/ctrl-shift-tab.png" 411x300+0+30
    click "$TAB_GRAPHICS"
    shot "$WORK/graphics.png"
    check "the board swatch shows the default light wood" [ "$(pixel "$WORK/graphics.png" $SWATCH)" = "220,179,92" ]
    click "$SHOW_BOARD_ONLY"
    click "$CANCEL_BUTTON"
    check "Cancel ends the program with 0" [ "$(wait_exit 15)" = 0 ]
    check "the settings key exists and holds no values" [ -z "$(reg_query "$SETTINGS_KEY" | grep REG_)" ]
    check "no shared screensaver values are written" [ -z "$(reg_query "$SAVERS_KEY" | grep REG_)" ]
else
    fail "the dialog opens without parameters"
fi
stop_saver

note "/c: speed, board only and language through the controls, then OK"
if start_dialog /c; then
    check "the title is exactly \"$TITLE\"" [ "$(xdotool getwindowname "$DLG")" = "$TITLE" ]
    click "$SPEED_BAR"
    xdotool key End; sleep 0.5
    click "$TAB_GRAPHICS"
    click "$SHOW_BOARD_ONLY"
    click "$TAB_LANGUAGE"
    click "$LIST_FIRST"; xdotool key Down Down; sleep 0.5
    click "$OK_BUTTON"
    check "OK ends the program with 0" [ "$(wait_exit 15)" = 0 ]
else
    fail "the dialog opens with /c"
fi
stop_saver
check "Speed is the slowest, 17" [ "$(value Speed)" = 0x11 ]
check "ShowBoardOnly is 1" [ "$(value ShowBoardOnly)" = 0x1 ]
check "ShowComments keeps 1" [ "$(value ShowComments)" = 0x1 ]
check "Language is the third entry" [ "$(value Language)" = 0x2 ]
language_name() { reg_query "$SETTINGS_KEY" | awk '$1 == "LanguageName" {$1=$2=""; sub(/^ +/, ""); print}'; }
named_third() { [ -n "$THIRD" ] && [ "$(language_name)" = "$THIRD_ENTRY" ]; }
check "LanguageName is its text, \"$THIRD_ENTRY\"" named_third
for v in PauseBetweenGames DirFileString FileLoadType UseBoardBitmap BoardBitmapName BoardColor \
         UseBlackStoneBitmap BlackStoneBitmapName BlackStoneColor UseWhiteStoneBitmap \
         WhiteStoneBitmapName WhiteStoneColor FlatStones ShowCoordinates; do
    check "$v is written" bash -c "timeout 60 wine reg query '$SETTINGS_KEY' /v $v >/dev/null 2>&1"
done
check "PauseBetweenGames keeps its default 5" [ "$(value PauseBetweenGames)" = 0x5 ]
check "BoardColor keeps its default light wood" [ "$(value BoardColor)" = 0x5cb3dc ]
check "Password Delay Index 1" [ "$(saver_value "Password Delay Index")" = 0x1 ]
check "Password Delay 0" [ "$(saver_value "Password Delay")" = 0x0 ]
check "Mouse Threshold Index 1" [ "$(saver_value "Mouse Threshold Index")" = 0x1 ]
check "Mouse Threshold 200" [ "$(saver_value "Mouse Threshold")" = 0xc8 ]
check "Mouse Corners ----" [ "$(saver_value "Mouse Corners")" = "----" ]

note "the next start of the dialog shows the stored state and the third language's tab captions"
if start_dialog /c; then
    caption="$(ini_value "$THIRD" OptionsCaption)"
    program="Tavrel's Senvola"
    caption="${caption/\%1/$program}"
    check "the title is the third language's: \"$caption\"" [ "$(xdotool getwindowname "$DLG")" = "$caption" ]
    shot "$WORK/third.png"
    check "the tab captions are no longer the English ones" differ_region "$WORK/english.png" "$WORK/third.png" 260x22+0+0
    click "$TAB_GRAPHICS"
    before="$(reg_query "$SETTINGS_KEY")"
    click "$SHOW_BOARD_ONLY"
    click "$CANCEL_BUTTON"
    check "Cancel ends the program with 0" [ "$(wait_exit 15)" = 0 ]
    check "Cancel leaves the registry as it was" [ "$(reg_query "$SETTINGS_KEY")" = "$before" ]
else
    fail "the dialog opens again"
fi
stop_saver

note "/c: \"Browse…\" picks a game file through the file dialog; OK stores it as the source"
GAME="$WINEPREFIX/drive_c/games/Honinbo.sgf"
mkdir -p "$(dirname "$GAME")"; cp "$SRC/../shared/games/builtin/1.sgf" "$GAME"
if start_dialog /c; then
    click "$BROWSE_FILE"
    OPEN=""
    for _ in $(seq 100); do OPEN="$(xdotool search --onlyvisible --name '^Open$' 2>/dev/null | head -1)"; [ -n "$OPEN" ] && break; sleep 0.1; done
    if [ -n "$OPEN" ]; then
        sleep 1
        xdotool type --delay 20 'C:\games\Honinbo.sgf'; xdotool key Return; sleep 1
        shot "$WORK/browsed.png"
        click "$OK_BUTTON"
        check "OK ends the program with 0" [ "$(wait_exit 15)" = 0 ]
    else
        fail "Browse… opens the file dialog"
    fi
else
    fail "the dialog opens for Browse…"
fi
stop_saver
check "the source is one file" [ "$(value FileLoadType)" = 0x1 ]
check "DirFileString is the chosen file's whole path" [ "$(value DirFileString)" = 'C:\games\Honinbo.sgf' ]
rm -rf "$(dirname "$GAME")"

note "/c: F1 and the Replay page's Help button open the help page at their sections"
# The browser Wine hands the address to, replaced by one that notes it.
mkdir -p "$WORK/bin"
# printf, not echo: dash's echo would end the line at a "\c" of a path such as Z:\work\ci...
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$WORK/opened.txt" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
# Named by its whole path too, so that Wine's browser process finds ours whatever PATH it sees.
set_string 'HKCU\Software\Wine\WineBrowser' Browsers "$WORK/bin/xdg-open" >/dev/null 2>&1
opened() { grep -q "Senvola.html#$1" "$WORK/opened.txt" 2>/dev/null; }
# Waited for: the first start of Wine's browser stand-in in a new prefix can take seconds.
opened_within() { local _; for _ in $(seq 150); do opened "$1" && return 0; sleep 0.1; done; opened "$1"; }
if PATH="$WORK/bin:$PATH" start_dialog /c; then
    xdotool windowactivate "$DLG" 2>/dev/null; sleep 0.5
    xdotool key F1
    check "F1 opens the help page at the dialog's topic" opened_within topic-10
    click "$REPLAY_HELP"
    check "Help on the Replay page opens its section" opened_within replay
    click "$CANCEL_BUTTON"
else
    fail "the dialog opens for help"
fi
stop_saver

note "the next saver run uses the stored speed"
start_saver /s
if wait_shown; then
    screenshot "$WORK/saver-1.png"; sleep 3; screenshot "$WORK/saver-4.png"
    check "the board is drawn" [ "$(convert "$WORK/saver-1.png" -crop 1080x1080+0+0 -format '%[fx:mean>0.05]' info:)" = 1 ]
    check "at speed 17 (30 s a move) the board does not change within 3 s" \
        same_region "$WORK/saver-1.png" "$WORK/saver-4.png" "1080x1080+0+0"
    xdotool key space
    check "the saver ends on a key" [ "$(wait_exit 15)" = 0 ]
else
    fail "the saver shows its window"
fi
stop_saver

finish
