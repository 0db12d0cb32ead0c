#!/usr/bin/env bash
# The desktop program as a native Wayland client: a headless sway compositor, the program
# with QT_QPA_PLATFORM=wayland, keys injected with wtype. Once through ibus + Mozc and once
# through fcitx5 + Mozc: 新規作成 (Ctrl+N), Enter registers the heading, "gakkou", Space,
# Return types 学校 into row 1's kanji cell, whose reading must read がっこう over the
# accessibility bus; grim takes a screenshot; Ctrl+P prints 書き方 through the print dialog
# to a PDF file, which must carry the page's heading.
#
# Facts: sway refuses to run as root (the session runs as nobody); with
# WLR_BACKENDS=headless it needs no screen; each wtype call uploads a new keymap and may lose
# its first key and the input method's preedit, so a typed sequence is one wtype call that
# starts with a pause.
#
# Needs sway wtype grim qt6-wayland dbus ibus ibus-mozc fcitx5 fcitx5-mozc
# fcitx5-frontend-qt6 mozc-server at-spi2-core python3-gi gir1.2-atspi-2.0 poppler-utils
# (scripts/install-deps.sh): a missing one fails the test.
#
# Usage: wayland_session.sh BIN_DIR SOURCE_DIR
#        wayland_session.sh --session WORK SESSION_DIR ibus|fcitx5 (the inner session)
set -u
source "$(dirname "$0")/lib/x_session.sh"

if [ "${1:-}" = "--session" ]; then
    xs_inner "$2" "$3"
    im=$4
    printf '%s\n' 'output HEADLESS-1 resolution 1600x1000' 'default_border none' >"$S/sway.conf"
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 sway -c "$S/sway.conf" \
        >"$S/sway.log" 2>&1 &
    pids+=("$!")
    poll 15 test -S "$XDG_RUNTIME_DIR/wayland-1" || {
        log "sway did not start"
        cat "$S/sway.log"
        exit 1
    }
    export WAYLAND_DISPLAY=wayland-1
    if [ "$im" = ibus ]; then
        xs_start_ibus_mozc
        module=ibus
    else
        xs_start_fcitx5_mozc
        module=fcitx
    fi
    mkdir -p "$S/run"
    (cd "$S/run" && exec env QT_QPA_PLATFORM=wayland QT_IM_MODULE=$module QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
        JIRAKUBO_ACCESSIBLE_IDS=1 "$WORK/app/jirakubo") >"$S/app.log" 2>&1 &
    app=$!
    pids+=("$app")
    text() { /usr/bin/python3 "$WORK/lib/atspi_text.py" "$app" "$@"; }
    text Text1 >/dev/null || {
        log "the program did not show"
        cat "$S/app.log"
        exit 1
    }
    sleep 1
    # 新規作成; the heading box has the focus.
    wtype -s 300 -M ctrl -k n -m ctrl -s 1000
    [ "$im" = fcitx5 ] && xs_fcitx5_check_mozc
    wtype -s 300 -k Return -s 600 -k Return -s 600 -d 80 gakkou -s 1000 -k space -s 1000 -k Return -s 600 \
        -k Return -s 600
    text Label9 'Label3(1)' 'Label4(1)' >"$S/texts.txt"
    grim "$S/screen.png"
    # 印刷‐書き方: the dialog's file entry is proposed; Enter prints.
    wtype -s 300 -M ctrl -k p -m ctrl -s 2000 -k Return
    poll 20 bash -c "ls '$S'/run/*.pdf '$S'/home/*.pdf 2>/dev/null | grep -q ." || log "no PDF written"
    sleep 1
    grim "$S/dialog.png"
    exit 0
fi

xs_skip_unless_root
xs_require_tools sway wtype grim pdftotext
xs_require_mozc
xs_require_fcitx5_mozc
xs_require_atspi
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
    fail "qt6-wayland is missing (run scripts/install-deps.sh)"
xs_prepare "$1"

for im in ibus fcitx5; do
    S="$WORK/$im"
    echo "--- $im"
    xs_session "$S" 55 "$im" >"$WORK/$im.out" 2>&1
    rc=$?
    grep -v '^dbus-daemon\|^[IWE]20' "$WORK/$im.out"
    [ -f "$S/screen.png" ] && cp "$S/screen.png" "/tmp/jirakubo-wayland-$im.png"
    [ -f "$S/dialog.png" ] && cp "$S/dialog.png" "/tmp/jirakubo-wayland-$im-print.png"
    [ $rc -eq 0 ] || {
        cat "$S"/*.log
        fail "the $im session ended with status $rc"
    }
    cat "$S/texts.txt"
    check "$im: heading" "$(value Label9 "$S/texts.txt")" れんしゅう
    check "$im: kanji cell" "$(value 'Label3(1)' "$S/texts.txt")" 学校
    check "$im: its reading" "$(value 'Label4(1)' "$S/texts.txt")" がっこう
    pdf=$(ls "$S"/run/*.pdf "$S"/home/*.pdf 2>/dev/null | head -1)
    check "$im: a PDF printed from the window" "$([ -n "$pdf" ] && echo yes)" yes
    [ -n "$pdf" ] && cp "$pdf" "/tmp/jirakubo-wayland-$im.pdf"
    # 書き方 asks for the kanji: the sheet shows the reading (drawn upright, glyph by glyph,
    # which pdftotext does not read) over an empty box, under the page's heading.
    [ -n "$pdf" ] && check "$im: the sheet's heading" "$(pdftotext "$pdf" - | tr -d ' \n' | grep -o 漢字書取名前れんしゅう)" 漢字書取名前れんしゅう
done
echo "screenshots: /tmp/jirakubo-wayland-ibus.png /tmp/jirakubo-wayland-fcitx5.png"
xs_summary
