#!/usr/bin/env bash
# Furigana through fcitx5 and Mozc: the desktop program runs under Xvfb with a real fcitx5
# daemon (its own profile: Mozc on from the start) and QT_IM_MODULE=fcitx. xdotool types
# into the kanji cells of five rows, each a way a teacher converts:
#   row 1  kannji, Space..., Return            word by word          漢字 / かんじ
#   row 2  kouen, Space, Return                the last n unconverted 公園 / こうえん
#   row 3  watashihagakkou, Space, Return      a whole phrase        私は学校 / わたしはがっこう
#   row 4  kisyanokisya, Space, Right, Left,   a segment re-converted after moving back with
#          Space, Return                       the arrow keys        (any kanji) / きしゃのきしゃ
#   row 5  terebi, F7, Return                  typed into katakana   テレビ / てれび
# and Alt+E in the entry box opens 編集 (the letter typed nowhere). The texts the window ends
# with (JIRAKUBO_DUMP_ON_EXIT) are checked.
#
# Needs xvfb xdotool dbus fcitx5 fcitx5-mozc fcitx5-frontend-qt6 mozc-server at-spi2-core
# python3-gi gir1.2-atspi-2.0 (scripts/install-deps.sh): a missing one fails the test.
# Mozc learns from every commit, so each session starts from a fresh profile; a word that
# came out as another candidate gets a fresh session with one more space.
#
# Usage: fcitx5_reading.sh BIN_DIR SOURCE_DIR
#        fcitx5_reading.sh --session WORK SESSION_DIR SPACES_KANNJI SPACES_PHRASE (inner)
set -u
source "$(dirname "$0")/lib/x_session.sh"

if [ "${1:-}" = "--session" ]; then
    xs_inner "$2" "$3"
    KA=$4 KP=$5
    xs_start_xvfb
    xs_start_fcitx5_mozc
    xs_start_app QT_IM_MODULE=fcitx QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 JIRAKUBO_ACCESSIBLE_IDS=1
    spaces() { for ((i = 0; i < $1; i++)); do echo space; done; }
    # kanji ROW WORD KEYS...: the word typed into row ROW's kanji cell, then KEYS, then the
    # commit (Return) and Return to store it.
    kanji() {
        local row=$1 word=$2
        shift 2
        xs_click "Label3($row)" || exit 1
        xdotool type --delay 120 "$word"
        sleep 0.4
        for k in "$@"; do key "$k"; done
        key Return
        sleep 0.3
    }

    # 新規作成, then Enter in the empty heading box registers れんしゅう.
    file_menu
    key Down Down Return
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    sleep 0.5
    xs_fcitx5_check_mozc
    key Return
    # shellcheck disable=SC2046  # one word per space
    kanji 1 kannji $(spaces "$KA")
    key alt+e
    sleep 0.3
    xdotool search --onlyvisible --classname jirakubo >"$S/windows-alt-e.txt" 2>/dev/null
    # The first Escape closes the menu, the second leaves the menu bar.
    key Escape
    key Escape
    key Return
    kanji 2 kouen space
    key Return
    # shellcheck disable=SC2046  # one word per space
    kanji 3 watashihagakkou $(spaces "$KP")
    key Return
    kanji 4 kisyanokisya space Right Left space
    key Return
    kanji 5 terebi F7
    key Return
    import -window root "$S/screen.png" 2>/dev/null
    xs_quit_app || exit 1
    exit 0
fi

xs_skip_unless_root
xs_require_tools import
xs_require_fcitx5_mozc
xs_require_atspi
xs_prepare "$1"

ka=2 kp=1
for attempt in 1 2 3; do
    S="$WORK/s$attempt"
    echo "session $attempt: $ka space(s) for kannji, $kp for watashihagakkou"
    xs_session_dumped "$S" fcitx5-reading 75 "$ka" "$kp"
    k1=$(value 'Label3(1)' "$S/dump.txt")
    k3=$(value 'Label3(3)' "$S/dump.txt")
    again=0
    [ "$k1" = 漢字 ] || { [ -n "$k1" ] && [ "$k1" != かんじ ] && ka=$((ka + 1)) && again=1; }
    [ "$k3" = 私は学校 ] || { [ -n "$k3" ] && kp=$((kp + 1)) && again=1; }
    [ $again -eq 1 ] || break
    echo "another candidate came first; a fresh session with one more space"
done

check "Alt+E opened a menu" "$(grep -c . "$S/windows-alt-e.txt")" 2
check "heading registered" "$(value 'Label9' "$S/dump.txt")" れんしゅう
check "word by word" "$(value 'Label3(1)' "$S/dump.txt")" 漢字
check "its reading" "$(value 'Label4(1)' "$S/dump.txt")" かんじ
check "the last n unconverted" "$(value 'Label3(2)' "$S/dump.txt")" 公園
check "its reading" "$(value 'Label4(2)' "$S/dump.txt")" こうえん
check "a whole phrase" "$(value 'Label3(3)' "$S/dump.txt")" 私は学校
check "its reading" "$(value 'Label4(3)' "$S/dump.txt")" わたしはがっこう
k4=$(value 'Label3(4)' "$S/dump.txt")
check "a segment re-converted: converted" "$([ -n "$k4" ] && [ "$k4" != きしゃのきしゃ ] && echo yes)" yes
check "its reading" "$(value 'Label4(4)' "$S/dump.txt")" きしゃのきしゃ
check "typed into katakana" "$(value 'Label3(5)' "$S/dump.txt")" テレビ
check "its reading" "$(value 'Label4(5)' "$S/dump.txt")" てれび
echo "screenshot: /tmp/jirakubo-fcitx5-reading.png"
xs_summary
