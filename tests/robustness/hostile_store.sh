#!/bin/sh
# The real program on hostile settings files: counts out of range or no number, texts of a
# megabyte, control characters, invalid UTF-8. Every time the window must open with a bounded
# number of rows and close on Esc with exit status 0, storing a count it can read back.
#   xvfb-run -a -s "-screen 0 1280x1024x24" tests/robustness/hostile_store.sh path/to/plenvor
set -u
PLENVOR=$(realpath "$1")
. "$(dirname "$0")/../e2e/lib.sh"
E2E_TIMEOUT=300 # 32,768 rows under the sanitizers take a while to build
mb() { head -c 1048576 /dev/zero | tr '\0' "$1"; }

# opens ROWS LINES...: a settings file of these lines opens with ROWS rows and closes cleanly.
# A full list stands centred on the screen: its middle rows are the ones in view.
opens() {
    rows=$1; shift
    mkdir -p "$E2E_HOME/config/Korvane" && printf '[General]\n' >"$(e2e_settings_file)"
    printf '%s\n' "$@" >>"$(e2e_settings_file)"
    [ "$rows" -lt 32768 ] || for i in $(seq 16364 16404); do
        printf 'Resolution%%20%d%%20Width=middle\n' $i >>"$(e2e_settings_file)"
    done
    e2e_start && e2e_geometry || return 1
    if [ "$rows" -lt 32768 ]; then
        [ "$E2E_H" -eq $((81 + 28 * (rows - 1))) ] || { echo "    height $E2E_H"; return 1; }
    else
        xdotool mousemove --sync $((E2E_X + 60)) 512 click 1 && e2e_key ctrl+a ctrl+c
        [ "$(xclip -selection clipboard -o)" = middle ] || { echo "    no middle row at the centre"; return 1; }
    fi
    e2e_key Escape && e2e_wait_exit && [ "$E2E_STATUS" -eq 0 ] || { echo "    exit status $E2E_STATUS"; return 1; }
    grep -qx "Resolution%20Count=$rows" "$(e2e_settings_file)" || { echo "    stored count"; return 1; }
}

count_minus_one() { opens 1 'Resolution%20Count=-1' 'Resolution%200%20Width=1920'; }
count_40000() { opens 32768 'Resolution%20Count=40000' 'Resolution%2032767%20Width=last'; }
count_largest() { opens 32768 'Resolution%20Count=2147483647'; }
count_no_number() { opens 1 'Resolution%20Count=@Variant(\0\0\0\x7f\0\0\0\nQByteArray)'; }
megabyte_texts() {
    opens 2 'Resolution%20Count=2' "Resolution%200%20Width=$(mb 9)" "Resolution%201%20Width=\"$(mb ' ')\""
}
control_characters() { opens 2 'Resolution%20Count=2' 'Resolution%200%20Width=\x1\x2\x1f' "Resolution%201%20Width=$(printf 'a\001b\033c\177d')"; }
invalid_utf8() { opens 2 'Resolution%20Count=2' "Resolution%200%20Width=$(printf '\377\376\303\050\355\240\200')"; }

e2e_start_wm || exit 1
for t in count_minus_one count_40000 count_largest count_no_number megabyte_texts \
    control_characters invalid_utf8; do
    e2e_run "$t" "$t"
done
e2e_stop_wm
e2e_summary
