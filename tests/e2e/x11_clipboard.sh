#!/usr/bin/env bash
# Remove and remember through the real X11 clipboard: the desktop program runs under Xvfb
# with a ten-row problem file, a click on the number label of row 3 removes the problem;
# while the program still runs, xclip must read exactly ten lines from the clipboard, the
# removed problem first and nine empty ones. After the program ends, its dump
# (JIRAKUBO_DUMP_ON_EXIT) must show row 3 empty and every other row as the file had it.
# The number label is found on the accessibility bus by its design name "Label1(3)" (the
# program runs with JIRAKUBO_ACCESSIBLE_IDS=1).
#
# Needs xvfb xdotool dbus xclip at-spi2-core python3-gi gir1.2-atspi-2.0
# (scripts/install-deps.sh): a missing one fails the test; skipped when not run as root.
#
# Usage: x11_clipboard.sh BIN_DIR SOURCE_DIR
#        x11_clipboard.sh --session WORK SESSION_DIR
#        (the second form is the inner session, run by the first under dbus-run-session)
set -u
source "$(dirname "$0")/lib/x_session.sh"

# ---------------------------------------------------------------------------------------
# Inner session: Xvfb, the program with the sample, the click, the clipboard.
# ---------------------------------------------------------------------------------------
if [ "${1:-}" = "--session" ]; then
    xs_inner "$2" "$3"
    xs_start_xvfb
    xs_start_app QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 JIRAKUBO_ACCESSIBLE_IDS=1 -- "$WORK/sample.mojx"
    # Nothing may be on the clipboard before the click.
    xclip -o -selection clipboard -t UTF8_STRING >"$S/clipboard-before.txt" 2>/dev/null
    xs_click 'Label1(3)' 'push button' || exit 1
    sleep 0.5
    import -window root "$S/screen.png" 2>/dev/null
    xclip -o -selection clipboard -t UTF8_STRING >"$S/clipboard.txt" 2>"$S/xclip.log" ||
        log "xclip read nothing: $(cat "$S/xclip.log")"
    xs_quit_app || exit 1
    exit 0
fi

# ---------------------------------------------------------------------------------------
# Outer part
# ---------------------------------------------------------------------------------------
xs_skip_unless_root
xs_require_tools xclip import
xs_require_atspi
xs_prepare "$1"
SOURCE=$2
cp "$SOURCE/tests/fixtures/print_sample.mojx" "$WORK/sample.mojx"
chmod a+r "$WORK/sample.mojx"

S="$WORK/s1"
xs_session "$S" 40
rc=$?
[ -f "$S/screen.png" ] && cp "$S/screen.png" /tmp/jirakubo-x11-clipboard.png
[ $rc -eq 0 ] || {
    cat "$S"/*.log
    fail "session ended with status $rc"
}

# The list holds the one removed problem (before + kanji + after), each item followed by
# CR LF, and empty lines up to ten.
expected=$(printf 'ちょっと待ってね。\r\n'; for _ in 1 2 3 4 5 6 7 8 9; do printf '\r\n'; done; printf x)
expected=${expected%x}
actual=$(cat "$S/clipboard.txt"; printf x)
actual=${actual%x}
echo "--- the clipboard held:"
od -c "$S/clipboard.txt" | head -8
check "clipboard empty before the click" "$(cat "$S/clipboard-before.txt")" ""
check "clipboard lines" "$(tr -cd '\n' <"$S/clipboard.txt" | wc -c)" 10
check "clipboard first line" "$(head -1 "$S/clipboard.txt" | tr -d '\r')" ちょっと待ってね。
check "clipboard text" "$actual" "$expected"

[ -f "$S/dump.txt" ] || fail "the program wrote no dump at exit"
echo "--- the window ended with:"
cat "$S/dump.txt"
# Page 1 of the sample as the grid shows it, less row 3.
check "the grid without row 3" "$(cat "$S/dump.txt")" "$(
    cat <<'DUMP'
Label9=三年一組　漢字テスト
Label2(1)=きのう、
Label3(1)=学校
Label4(1)=がっこう
Label5(1)=へ行った。
Label3(2)=森
Label4(2)=もり
Label5(2)=の中でキャンプ。
Label33(2)=木
Label44(2)=き
Label55(2)=がある。
Label2(4)=（
Label3(4)=図書館
Label4(4)=としょかん
Label5(4)=）で本を読む。
Label3(5)=大きな
Label4(5)=おおきな
Label5(5)=ケーキ。
Label3(6)=一石二鳥
Label4(6)=いっせきにちょう
Label5(6)=だ。
Label2(7)=この
Label3(7)=五文字の語
Label4(7)=ごもじのご
Label5(7)=。
Label3(9)=海
Label4(9)=うみ
Label5(9)=へ行く。
Label3(10)=空
Label4(10)=そら
Label5(10)=が青い。
Label33(10)=雲
Label44(10)=くも
Label55(10)=も白い。
DUMP
)"
check "row 3 emptied" "$(grep -c '^Label[0-9]*(3)=' "$S/dump.txt")" 0
echo "screenshot: /tmp/jirakubo-x11-clipboard.png"
xs_summary
