#!/bin/sh
# What a blind user hears: the real program read by the real screen reader, Orca, in an X
# display without a window manager, driven with keys. It judges what is said (the words, their
# order, the numbers), not Orca's punctuation. Run:
#   xvfb-run -a -s "-screen 0 1280x1024x24" tests/e2e/screen_reader.sh build/plenvor
# Ends with one line "N passed, M failed".
set -u
PLENVOR=$(realpath "$1")
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/orca.sh"
E2E_TIMEOUT=60 # Orca on a busy machine

# A stored list of ROWS rows: 1920x1080, 1280x1024, then 1002x700, 1003x700...
plant() {
    mkdir -p "$E2E_HOME/config/Korvane"
    awk -v n="$1" 'BEGIN { printf "[General]\nResolution%%20Count=%d\n", n
        for (i = 0; i < n; i++)
            printf "Resolution%%20%d%%20Width=%d\nResolution%%20%d%%20Height=%d\n", i,
                i == 0 ? 1920 : i == 1 ? 1280 : 1000 + i, i, i == 0 ? 1080 : i == 1 ? 1024 : 700 }' \
        >"$(e2e_settings_file)"
}

# open_window COUNT FIELD: starts the program on the planted list and waits to hear its window,
# then its focused field, and the number of rows once: Orca 43 says it with the window, Orca 48
# after the field.
open_window() {
    e2e_launch && e2e_wait "the window" e2e_window && [ -n "$E2E_WIN" ] || return 1
    says "the start" "windowfocus $E2E_WIN" -- Plenvor "$2" && once "$1"
}
# once PHRASE: the last step said it exactly once.
once() {
    [ "$(printf '%s\n' "$SAID" | grep -c -F "$1")" -eq 1 ] || fail "'$1' not heard once"
}

# says WHAT "XDOTOOL COMMAND" -- PHRASES...: runs the command, waits until Orca has said the
# phrases in this order and all it will; what it said is in $SAID.
says() {
    what=$1 command=$2
    shift 3
    sr_mark
    # shellcheck disable=SC2086 # the command's words
    xdotool $command
    e2e_wait "Orca to say: $*" sr_said "$@" || { fail "after $what, heard:" "$(sr_heard)"; return 1; }
    sr_settle
    SAID=$(sr_heard)
    echo "    $what: $(printf '%s' "$SAID" | tr '\n' '|')"
}

# tabs KEY FIELD [VALUE]: the key reaches the field; it is heard once, then its text, whole and
# selected; nothing about the field left.
tabs() {
    says "$1" "key $1" -- "$2" ${3:+"$3 selected"} || return 1
    once "$2" || return 1
    values=$(printf '%s\n' "$SAID" | grep -o -E '[0-9]+ selected' | tr '\n' ' ')
    [ "$values" = "${3:+$3 selected }" ] || fail "values heard: '$values', expected '${3:-}'" || return 1
    case $SAID in *nselected* | *"==>"*) fail "the field left, or an arrow, was heard" ;; esac
}

# Two rows, a source width typed, Tab through both rows, a row added and removed, the about box.
two_rows() {
    plant 2 && open_window "2 строки" "Ширина исходного изображения" || return 1
    says "typing 1600" "type --delay 80 1600" -- || return 1
    tabs Tab "Высота исходного изображения" &&
        tabs Tab "Ширина экрана, строка 1" 1920 &&
        tabs Tab "Высота экрана, строка 1" 1080 &&
        tabs Tab "Нужная ширина изображения, строка 1" &&
        tabs Tab "Нужная высота изображения, строка 1" 900 &&
        tabs Tab "Ширина экрана, строка 2" 1280 || return 1
    case $SAID in *"read only"*) fail "an editable field heard as read only" ;; esac || return 1
    says "a row added" "key ctrl+KP_Add" -- "3 строки" && once "строк" &&
        says "a row removed" "key ctrl+KP_Subtract" -- "2 строки" && once "строк" || return 1
    case $SAID in *строка*) fail "a field heard after a row command" ;; esac || return 1
    tabs Tab "Высота экрана, строка 2" 1024 || return 1 # the focus stayed
    says "the about box" "key shift+F1" -- "О программе Plenvor" "Korvane - Plenvor" \
        "Версия 3.00.0017" "Korvane - Plenvor 3.00" "© Korvane" "Посвящается Ovelin" &&
        says "back from it" "key Escape" -- Plenvor "Высота экрана, строка 2" "1024 selected" &&
        xdotool key Escape && e2e_wait_exit
}

# Sixty rows, entered from the end, then Tab held through 40 fields at key-repeat speed, and
# Shift+Tab through 38 back.
a_long_list() {
    plant 60 && open_window "60 строк" "Ширина исходного изображения" || return 1
    tabs shift+Tab "Нужная высота изображения, строка 60" &&
        tabs shift+Tab "Нужная ширина изображения, строка 60" &&
        tabs shift+Tab "Высота экрана, строка 60" 700 &&
        tabs shift+Tab "Ширина экрана, строка 60" 1059 || return 1
    case $SAID in *"read only"*) fail "an editable field heard as read only" ;; esac || return 1
    # Row 60's last three fields, the two source fields, eight rows and two fields of row 9.
    says "40 Tabs" "key --delay 33 $(printf 'Tab %.0s' $(seq 40))" -- \
        "Нужная ширина изображения, строка 9" || return 1
    # Orca 48 logs some events a second time: with their priority, or when a later one makes
    # them obsolete.
    events=$(tail -n +"$((SR_MARK + 1))" "$SR_LOG" | grep -E 'EVENT MANAGER: [a-z]+:[a-z:-]* for' |
        grep -c -v -e 'has priority level' -e 'obsoleted by')
    echo "    40 Tabs: $events events reached Orca"
    [ "$events" -le 125 ] || fail "more than three events a Tab" || return 1
    # And back past the first field to the last row: row 9's first two fields, eight rows, the
    # two source fields and row 60's last two.
    says "38 Shift+Tabs" "key --delay 33 $(printf 'shift+Tab %.0s' $(seq 38))" -- \
        "Нужная ширина изображения, строка 60"
}

sr_start || exit 1
for t in ${SR_ONLY:-two_rows a_long_list}; do
    e2e_run "$t" "$t"
done
sr_stop
e2e_summary
