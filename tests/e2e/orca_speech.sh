#!/usr/bin/env bash
# What a screen reader says: Orca runs in the session (no speech server; its debug log holds
# every utterance as "SPEECH OUTPUT: '...'") while the keyboard walks the desktop program
# with a sample workbook: Tab from the heading box through the entry box and the rows, the
# toolbar, the lookup panel (ツール > 学年配当表 > 表示する) and the print dialog (Ctrl+P).
# What Orca spoke must be the Japanese names the window shows: the heading box, the entry
# box with the cell it edits, a row's number button with what the row holds, toolbar
# buttons, a lookup grade button, the print dialog's title; never a design name (Label3(1),
# Command2 ...) and never a role without a name.
#
# Needs xvfb xdotool dbus orca at-spi2-core libglib2.0-bin (scripts/install-deps.sh): a
# missing one fails the test.
#
# Usage: orca_speech.sh BIN_DIR SOURCE_DIR
#        orca_speech.sh --session WORK SESSION_DIR (the inner session)
set -u
source "$(dirname "$0")/lib/x_session.sh"

if [ "${1:-}" = "--session" ]; then
    xs_inner "$2" "$3"
    xs_start_xvfb
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$S/atspi.log" 2>&1 &
    pids+=("$!")
    sleep 1
    gsettings set org.gnome.desktop.a11y.applications screen-reader-enabled true
    mkdir -p "$S/orca"
    orca --replace -u "$S/orca" --debug-file "$S/orca-debug.log" >"$S/orca.log" 2>&1 &
    pids+=("$!")
    poll 20 grep -q "SPEECH: Initialized" "$S/orca-debug.log" || {
        log "Orca did not start"
        cat "$S/orca.log"
        exit 1
    }
    sleep 2
    xs_start_app QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 -- "$WORK/sample.mojx"
    sleep 1
    mark() { echo "SPEECH OUTPUT: '### $1'" >>"$S/orca-debug.log"; }
    walk() { for ((i = 0; i < $1; i++)); do xdotool key Tab; sleep 0.3; done; }
    # The lookup panel (ツール > 学年配当表 > 表示する), then Tab once round the window from
    # the entry box: the rows, the lookup panel, the toolbar, the heading box.
    mark lookup
    xdotool key --delay 300 alt+t g s
    sleep 1
    mark walk
    walk 58
    mark print
    xdotool key ctrl+p
    sleep 3
    xdotool key Tab
    sleep 0.5
    xdotool key Escape
    sleep 1
    mark end
    import -window root "$S/screen.png" 2>/dev/null
    exit 0
fi

xs_skip_unless_root
xs_require_tools orca gsettings import
[ -x /usr/libexec/at-spi-bus-launcher ] || fail "at-spi2-core is missing (run scripts/install-deps.sh)"
xs_prepare "$1"
cp "$2/tests/fixtures/print_sample.mojx" "$WORK/sample.mojx"
chmod a+r "$WORK/sample.mojx"
S="$WORK/s"
xs_session "$S" 100 >"$WORK/session.out" 2>&1
rc=$?
[ -f "$S/screen.png" ] && cp "$S/screen.png" /tmp/jirakubo-orca.png
[ $rc -eq 0 ] || {
    cat "$WORK/session.out" "$S"/*.log
    fail "session ended with status $rc"
}
# One utterance a line; the keys Orca echoes ("tab ") end in a space and are left out.
sed -n "s/.*SPEECH OUTPUT: '\([^']*\)'.*/\1/p" "$S/orca-debug.log" | grep -v ' $' >"$WORK/spoken.txt"
cp "$WORK/spoken.txt" /tmp/jirakubo-orca-spoken.txt
echo "--- Orca said:"
cat "$WORK/spoken.txt"
said() { grep -cxF "$1" "$WORK/spoken.txt" | sed 's/^[1-9][0-9]*$/yes/; s/^0$/no/'; }
check "the window" "$(said 'sample.mojx - 2011字楽坊 frame.')" yes
check "the entry box" "$(said '入力 text.')" yes
check "the cell it edits" "$(said '1行目 前の文.')" yes
check "a row's number button" "$(said '1行目をメモリーへ push button.')" yes
check "what the row holds" "$(said 'きのう、 学校（がっこう） へ行った。')" yes
check "a row's toggle" "$(said '2行目 漢字をもう一つ check box checked.')" yes
check "a toolbar button" "$(said 'ファイルを開く push button.')" yes
check "the heading box" "$(said '三年一組　漢字テスト editable combo box.')" yes
check "what the heading box is for" "$(said '見出し.')" yes
check "a grade button of the lookup panel" "$(said '1年 push button.')" yes
check "the print dialog" "$(said '印刷 dialog.')" yes
design=$(grep -E '(Label|Command|Text|Combo|Check|Image|Frame|Toolbar|StatusBar|List|Option|Picture|form)[0-9_(]' \
    "$WORK/spoken.txt")
check "design names spoken" "$design" ""
roles='push button|check box|label|combo box|editable combo box|text|panel|tool bar|dialog|frame|radio button|list|table cell'
unnamed=$(grep -xE "($roles)\.?" "$WORK/spoken.txt")
check "roles spoken without a name" "$unnamed" ""
echo "the utterances: /tmp/jirakubo-orca-spoken.txt; screenshot: /tmp/jirakubo-orca.png"
xs_summary
