#!/usr/bin/env bash
# Reading search of the kanji lookup panel through a real input method: the desktop program
# runs under Xvfb with ibus and Mozc; a click on toolbar button 12 "単漢字表示" shows the
# panel, a click on "訓" puts the focus in the search box, xdotool types "ame" (Mozc shows
# あめ), the first Enter commits it and the second runs the search. The texts the window
# ends with (JIRAKUBO_DUMP_ON_EXIT) must show あめ in the search box and, in the cells, 雨
# with every other kanji whose kun reading in the shipped onkun.txt begins with あめ, in
# the file's order. Controls are found on the accessibility bus by their design names (the
# program runs with JIRAKUBO_ACCESSIBLE_IDS=1).
#
# Needs xvfb xdotool dbus ibus ibus-mozc mozc-server at-spi2-core python3-gi
# gir1.2-atspi-2.0 imagemagick (scripts/install-deps.sh): a missing one fails the test;
# skipped when not run as root.
#
# Usage: mozc_lookup_search.sh BIN_DIR SOURCE_DIR
#        mozc_lookup_search.sh --session WORK SESSION_DIR
#        (the second form is the inner session, run by the first under dbus-run-session)
set -u
source "$(dirname "$0")/lib/x_session.sh"

# ---------------------------------------------------------------------------------------
# Inner session: Xvfb, ibus with Mozc, the program, the clicks and keys.
# ---------------------------------------------------------------------------------------
if [ "${1:-}" = "--session" ]; then
    xs_inner "$2" "$3"
    xs_start_xvfb
    xs_start_ibus_mozc
    xs_start_app QT_IM_MODULE=ibus QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 JIRAKUBO_ACCESSIBLE_IDS=1
    # The toolbar button, not the panel that bears the same name.
    xs_click 単漢字表示 'push button' || exit 1
    xs_window_geometry
    # "訓" searches the kun readings and puts the focus in the search box; a click in the
    # box keeps the pointer, and so the keyboard, over the window.
    xs_click Option2 'radio button' || exit 1
    xs_click Text2 text || exit 1
    xdotool type --delay 120 ame
    sleep 0.5
    key Return
    key Return
    sleep 0.5
    import -window root "$S/screen.png" 2>/dev/null
    xs_quit_app || exit 1
    exit 0
fi

# ---------------------------------------------------------------------------------------
# Outer part
# ---------------------------------------------------------------------------------------
xs_skip_unless_root
xs_require_tools import iconv
xs_require_mozc
xs_require_atspi
xs_prepare "$1"
[ -f "$1/onkun.txt" ] || fail "$1/onkun.txt missing (build the target jirakubo_data)"

S="$WORK/s1"
xs_session_dumped "$S" mozc-lookup-search 45

cells=$(grep '^Label101(' "$S/dump.txt")
# The kanji of onkun.txt (grade, kanji, on, kun, strokes) whose kun readings begin with あめ.
wanted=$(iconv -f CP932 -t UTF-8 "$1/onkun.txt" | tr -d '\r' | grep -E '^[^,]*,[^,]*,[^,]*,あめ' | cut -d, -f2)
check "search text from Mozc" "$(value Text2 "$S/dump.txt")" あめ
check "雨 among the cells" "$(grep -c '^Label101([0-9]*)=雨$' <<<"$cells")" 1
check "the cells, in order" "$(cut -d= -f2 <<<"$cells")" "$wanted"
check "the cells from the first on" "$(grep -o '^Label101([0-9]*)' <<<"$cells" | tr '\n' ' ')" \
    "$(seq 0 $(($(grep -c . <<<"$wanted") - 1)) | sed 's/.*/Label101(&)/' | tr '\n' ' ')"
echo "screenshot: /tmp/jirakubo-mozc-lookup-search.png"
xs_summary
