#!/usr/bin/env bash
# Menu keys and undo under a real input method: the desktop program runs under Xvfb with
# ibus and Mozc on. Alt+E in the heading box and in a before-text cell must open 編集 (the
# letter typed nowhere), Ctrl+Z right after 「2行目をメモリーへ」 must bring the row back, and
# "kouen" converted before Mozc turned its last n into ん must read こうえん.
# The texts the window ends with (JIRAKUBO_DUMP_ON_EXIT) are checked.
#
# Needs xvfb xdotool dbus ibus ibus-mozc mozc-server at-spi2-core python3-gi
# gir1.2-atspi-2.0 (scripts/install-deps.sh): a missing one fails the test.
#
# Usage: ibus_keys.sh BIN_DIR SOURCE_DIR
#        ibus_keys.sh --session WORK SESSION_DIR  (the inner session)
set -u
source "$(dirname "$0")/lib/x_session.sh"

if [ "${1:-}" = "--session" ]; then
    xs_inner "$2" "$3"
    xs_start_xvfb
    xs_start_ibus_mozc
    xs_start_app QT_IM_MODULE=ibus QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 JIRAKUBO_ACCESSIBLE_IDS=1

    # 新規作成: the cursor stands in the empty heading box. Alt+E there opens 編集, Escape
    # closes it again; Enter then registers れんしゅう.
    file_menu
    key Down Down Return
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    sleep 0.5
    key alt+e
    sleep 0.3
    xdotool search --onlyvisible --classname jirakubo >"$S/windows-heading.txt" 2>/dev/null
    key Escape
    key Escape
    key Return
    # Row 1's before cell: かけっこで through Mozc, committed with Return; Alt+E again.
    xdotool type --delay 120 kakekkode
    sleep 0.3
    key Return
    key alt+e
    sleep 0.3
    xdotool search --onlyvisible --classname jirakubo >"$S/windows-cell.txt" 2>/dev/null
    key Escape
    key Escape
    key Return
    # Row 2's before cell: あいう; then its number button moves row 2 to the memory and
    # Ctrl+Z brings it back.
    xs_click 'Label2(2)' || exit 1
    xdotool type --delay 120 aiu
    sleep 0.3
    key Return
    key Return
    xs_click 'Label1(2)' || exit 1
    xdotool search --onlyvisible --classname jirakubo >/dev/null
    key ctrl+z
    sleep 0.5
    # Row 3's kanji cell: kouen, Space converts while the last n is not yet ん.
    xs_click 'Label3(3)' || exit 1
    xdotool type --delay 120 kouen
    sleep 0.3
    key space
    key Return
    key Return
    import -window root "$S/screen.png" 2>/dev/null
    xs_quit_app || exit 1
    exit 0
fi

xs_skip_unless_root
xs_require_tools import
xs_require_mozc
xs_require_atspi
xs_prepare "$1"
S="$WORK/s"
xs_session_dumped "$S" ibus-keys 90
check "Alt+E in the heading box opened a menu" "$(grep -c . "$S/windows-heading.txt")" 2
check "Alt+E in a cell opened a menu" "$(grep -c . "$S/windows-cell.txt")" 2
check "heading" "$(value 'Label9' "$S/dump.txt")" れんしゅう
check "before cell of row 1" "$(value 'Label2(1)' "$S/dump.txt")" かけっこで
check "row 2 back after Ctrl+Z" "$(value 'Label2(2)' "$S/dump.txt")" あいう
check "kouen converted" "$(value 'Label3(3)' "$S/dump.txt")" 公園
check "its reading ends in ん" "$(value 'Label4(3)' "$S/dump.txt")" こうえん
echo "screenshot: /tmp/jirakubo-ibus-keys.png"
xs_summary
