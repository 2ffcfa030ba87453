#!/bin/sh
# The real program on hostile settings files: counts of -1, 0, 40000 and 2147483647, texts of a
# megabyte, control characters and invalid UTF-8. Every time the window must open, show a
# bounded number of rows, close on Esc with exit status 0 and leave a list it can read back.
# Run under xvfb-run with a 1280x1024 screen:
#   tests/robustness/hostile_store.sh path/to/plenvor
set -u
PLENVOR=$(realpath "$1")
. "$(dirname "$0")/../e2e/lib.sh"
E2E_TIMEOUT=300   # 32768 rows under the sanitizers take a while to build

# write_store COUNT_LINE [extra lines...]: a settings file in the current home.
write_store() {
    file=$(e2e_settings_file)
    mkdir -p "$(dirname "$file")"
    printf '[General]\n' >"$file"
    for line in "$@"; do printf '%s\n' "$line" >>"$file"; done
}

megabyte() { head -c 1048576 /dev/zero | tr '\0' "$1"; }

# check EXPECTED_ROWS: opens, checks the rows, closes with Esc.
check() {
    started=$(date +%s)
    e2e_start || return 1
    opened=$(($(date +%s) - started))
    e2e_geometry
    expected_height=$((81 + 28 * ($1 - 1)))
    [ "$expected_height" -gt 32767 ] && expected_height=32767
    [ "$E2E_H" -eq "$expected_height" ] || { echo "    height $E2E_H for $1 rows"; return 1; }
    e2e_key Escape
    e2e_wait_exit || return 1
    [ "$E2E_STATUS" -eq 0 ] || { echo "    exit status $E2E_STATUS"; return 1; }
    count=$(sed -n 's/^Resolution%20Count=//p' "$(e2e_settings_file)")
    [ "$count" -eq "$1" ] || { echo "    stored count $count"; return 1; }
    echo "    opened in ${opened} s with $1 rows"
}

count_minus_one() { write_store 'Resolution%20Count=-1' 'Resolution%200%20Width=1920' && check 1; }
count_zero() { write_store 'Resolution%20Count=0' && check 1; }
count_40000() { write_store 'Resolution%20Count=40000' 'Resolution%2032767%20Width=last' && check 32768; }
count_largest() { write_store 'Resolution%20Count=2147483647' && check 32768; }
count_not_a_number() { write_store 'Resolution%20Count=@Variant(\0\0\0\x7f\0\0\0\nQByteArray)' && check 1; }
megabyte_texts() {
    write_store 'Resolution%20Count=2' \
        "Resolution%200%20Width=$(megabyte 9)" "Resolution%200%20Height=$(megabyte a)" \
        "Resolution%201%20Width=\"$(megabyte ' ')\"" && check 2
}
control_characters() {
    write_store 'Resolution%20Count=3' 'Resolution%200%20Width=\x1\x2\x1f' \
        "Resolution%201%20Width=$(printf 'a\001b\033c\177d')" 'Resolution%202%20Height=\0\t\r' && check 3
}
invalid_utf8() {
    write_store 'Resolution%20Count=2' "Resolution%200%20Width=$(printf '\377\376\303\050\355\240\200')" \
        "$(printf 'Resolution%%201%%20Height=\300\257 \370\210\200\200\200')" && check 2
}

e2e_start_wm || exit 1
e2e_run "a count of -1" count_minus_one
e2e_run "a count of 0" count_zero
e2e_run "a count of 40000" count_40000
e2e_run "a count of 2147483647" count_largest
e2e_run "a count that is no number" count_not_a_number
e2e_run "texts of a megabyte" megabyte_texts
e2e_run "control characters" control_characters
e2e_run "invalid UTF-8" invalid_utf8
e2e_stop_wm
e2e_summary
