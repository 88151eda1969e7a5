#!/usr/bin/env bash
# Senvola.scr copied into a folder whose name the system code page cannot spell and into one
# whose path is longer than MAX_PATH: OK in the options dialog writes the settings under
# HKCU\Software\Tavrel\Senvola and nowhere else in HKCU\Software, the language file beside the
# program is read, and the saver started from there draws with the stored board colour.
BUILD="$1"; SRC="$2"
export LC_ALL=C.UTF-8  # the folder names reach Wine as UTF-8
source "$SRC/tests/e2e/lib/saver_e2e.sh"
TITLE="Options for Tavrel's Senvola"
TAB_LANGUAGE="178 15"; LIST_FIRST="110 115"; OK_BUTTON="288 403"  # as in win_config_dialog.sh
BOARD_PIXEL="34 56"  # the board's margin at 1920x1080, outside the grid and the coordinates

# Every value of HKCU\Software and below, one line each: "[key] name=data", sorted.
software_values() {
    local i
    for i in 1 2 3; do
        timeout 60 wine reg export 'HKCU\Software' "$WORK/export.reg" /y >/dev/null 2>&1 && break
        sleep 0.5
    done
    iconv -f UTF-16 -t UTF-8 "$WORK/export.reg" | tr -d '\r' |
        awk '/^\[/ {key = $0; next} /^$/ || /^Windows Registry/ || /^REGEDIT/ {next} {print key " " $0}' | sort
}
# Lines of the second list that the first lacks, outside the program's key and the shared
# screensaver values.
written_elsewhere() {
    comm -13 "$1" "$2" | grep -v -F -e '[HKEY_CURRENT_USER\Software\Tavrel\Senvola]' \
        -e '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Screen Savers]'
}
ini_value() { tr -d '\r' <"$SRC/data/Senvola.ini" | awk -v s="[$1]" -v k="$2" '
    /^\[/ {in_s = (tolower($0) == tolower(s))} in_s && index($0, k "=") == 1 {print substr($0, length(k) + 2); exit}'; }
THIRD="$(ini_value Languages 2)"
NATIVE="$(ini_value "$THIRD" LanguageOriginalName)"
THIRD_ENTRY="$THIRD${NATIVE:+ / $NATIVE}"
language_name() { reg_query "$SETTINGS_KEY" | awk '$1 == "LanguageName" {$1=$2=""; sub(/^ +/, ""); print}'; }
value_count() { reg_query "$SETTINGS_KEY" | grep -c REG_; }

# The folder names: Korean "baduk", and nested folders up to a path of more than 300 characters.
KOREAN="$WINEPREFIX/drive_c/바둑"
LONG="$WINEPREFIX/drive_c/senvola_long_path"
while [ ${#LONG} -lt $(( ${#WINEPREFIX} + 300 )) ]; do LONG="$LONG/folder_with_a_name_of_forty_characters_"; done

reset_shared_settings
for dir in "$KOREAN" "$LONG"; do
    where="C:$(printf %s "${dir#"$WINEPREFIX/drive_c"}" | tr / '\\')"
    note "the program in $where (${#where} characters)"
    rm -rf "$dir"; mkdir -p "$dir"
    cp "$SCR" "$BUILD/Senvola.ini" "$dir/"
    export SAVER_EXE="$dir/Senvola.scr"
    delete_key "$SETTINGS_KEY"
    set_dword "$SETTINGS_KEY" BoardColor 0x0000FF00  # green
    software_values >"$WORK/before.txt"

    start_saver /c
    DLG=""
    for _ in $(seq 300); do
        DLG="$(xdotool search --name "^${TITLE}\$" 2>/dev/null | head -1)"
        [ -n "$DLG" ] && break; [ -f "$WORK/rc" ] && break; sleep 0.1
    done
    if [ -n "$DLG" ]; then
        sleep 1
        xdotool mousemove --window "$DLG" $TAB_LANGUAGE click 1; sleep 0.5
        xdotool mousemove --window "$DLG" $LIST_FIRST click 1; sleep 0.5; xdotool key Down Down; sleep 0.5
        xdotool mousemove --window "$DLG" $OK_BUTTON click 1
        check "OK ends the program with 0" [ "$(wait_exit 15)" = 0 ]
    else
        fail "the options dialog opens"
    fi
    stop_saver
    software_values >"$WORK/after.txt"
    check "OK writes the 22 values under $SETTINGS_KEY" [ "$(value_count)" = 22 ]
    check "the stored board colour is kept" [ "$(reg_query "$SETTINGS_KEY" /v BoardColor | grep -o '0x[0-9a-f]*')" = 0xff00 ]
    named_third() { [ -n "$THIRD" ] && [ "$(language_name)" = "$THIRD_ENTRY" ]; }
    check "the language list came from Senvola.ini beside the program: \"$THIRD_ENTRY\"" named_third
    elsewhere="$(written_elsewhere "$WORK/before.txt" "$WORK/after.txt")"
    check "nothing else in HKCU\\Software is written" [ -z "$elsewhere" ]
    [ -n "$elsewhere" ] && printf '%s\n' "$elsewhere" | head -20

    software_values >"$WORK/before.txt"
    start_saver /s
    if wait_shown; then
        screenshot "$WORK/saver.png"
        check "the saver draws the stored board colour" [ "$(pixel "$WORK/saver.png" $BOARD_PIXEL)" = "0,255,0" ]
        xdotool key space
        check "the saver ends with 0 on a key" [ "$(wait_exit 15)" = 0 ]
    else
        fail "the saver shows its window"
    fi
    stop_saver
    software_values >"$WORK/after.txt"
    check "the saver writes nothing" [ -z "$(comm -13 "$WORK/before.txt" "$WORK/after.txt")" ]
    rm -rf "$dir"
done
unset SAVER_EXE
rm -rf "$WINEPREFIX/drive_c/senvola_long_path"
delete_key "$SETTINGS_KEY"
finish
