#!/usr/bin/env bash
# Furigana from a real input method: the desktop program runs under Xvfb with ibus and Mozc,
# xdotool types "kannji" into a kanji cell and "gakkou" into a kanji2 cell, converts and
# commits, and the texts the window ends with (JIRAKUBO_DUMP_ON_EXIT) must show 漢字 with
# かんじ and 学校 with がっこう above it.
#
# Needs xvfb xdotool dbus ibus ibus-mozc mozc-server imagemagick (scripts/install-deps.sh):
# a missing one fails the test. The session set-up is shared with the other tests of this
# kind (lib/x_session.sh). Mozc learns from every commit, so each session starts from a
# fresh profile; the number of spaces before the wanted candidate shows is found by running
# a new session with one more space for a word that came out as another candidate.
#
# Usage: mozc_reading.sh BIN_DIR SOURCE_DIR
#        mozc_reading.sh --session WORK SESSION_DIR SPACES_KANJI SPACES_GAKKOU
#        (the second form is the inner session, run by the first under dbus-run-session)
set -u
source "$(dirname "$0")/lib/x_session.sh"

# ---------------------------------------------------------------------------------------
# Inner session: Xvfb, ibus with Mozc, the program, the keys. Runs as the session user.
# ---------------------------------------------------------------------------------------
if [ "${1:-}" = "--session" ]; then
    xs_inner "$2" "$3"
    KA=$4 KB=$5
    xs_start_xvfb
    xs_start_ibus_mozc
    xs_start_app QT_IM_MODULE=ibus
    spaces() { for ((i = 0; i < $1; i++)); do key space; done; }

    # 新規作成 (ファイル: 呼出, 新規作成 ...), then Enter in the empty heading box registers
    # "れんしゅう"; the cursor is on before of row 1, Enter takes it to kanji.
    file_menu
    key Down Down Return
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    sleep 0.5
    key Return
    key Return
    # 漢字 through Mozc, committed with Return.
    xdotool type --delay 120 kannji
    sleep 0.5
    spaces "$KA"
    key Return
    # The rows' toggles and number buttons follow the entry box in the focus chain: nineteen
    # Tabs reach row 10's toggle, and turning it on puts the cursor on kanji2 of row 10.
    # shellcheck disable=SC2046  # nineteen words
    key $(printf 'Tab %.0s' $(seq 19))
    key space
    xdotool type --delay 120 gakkou
    sleep 0.5
    spaces "$KB"
    key Return
    sleep 0.5
    import -window root "$S/screen.png" 2>/dev/null

    xs_quit_app || exit 1
    exit 0
fi

# ---------------------------------------------------------------------------------------
# Outer part: checks, a world-readable copy, sessions until both words come out as the
# wanted candidates, the result.
# ---------------------------------------------------------------------------------------
xs_require_tools import
xs_require_mozc
xs_prepare "$1"

ka=1 kb=1
for attempt in 1 2 3 4; do
    S="$WORK/s$attempt"
    echo "session $attempt: $ka space(s) for kannji, $kb for gakkou"
    xs_session_dumped "$S" mozc-reading 45 "$ka" "$kb"
    k1=$(value 'Label3(1)' "$S/dump.txt")
    k2=$(value 'Label33(10)' "$S/dump.txt")
    again=0
    [ "$k1" = 漢字 ] || { [ -n "$k1" ] && [ "$k1" != かんじ ] && ka=$((ka + 1)) && again=1; }
    [ "$k2" = 学校 ] || { [ -n "$k2" ] && [ "$k2" != がっこう ] && kb=$((kb + 1)) && again=1; }
    [ $again -eq 1 ] || break
    echo "another candidate came first; a fresh session with one more space"
done

check "heading registered" "$(value 'Label9' "$S/dump.txt")" れんしゅう
check "kanji cell" "$(value 'Label3(1)' "$S/dump.txt")" 漢字
check "its reading" "$(value 'Label4(1)' "$S/dump.txt")" かんじ
check "kanji2 cell" "$(value 'Label33(10)' "$S/dump.txt")" 学校
check "its reading" "$(value 'Label44(10)' "$S/dump.txt")" がっこう
check "nothing else typed" "$(grep -c . "$S/dump.txt")" 5
echo "screenshot: /tmp/jirakubo-mozc-reading.png"
xs_summary
