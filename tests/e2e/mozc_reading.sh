#!/usr/bin/env bash
# Furigana from a real input method: the desktop program runs under Xvfb with ibus and Mozc,
# xdotool types "kannji" into a kanji cell and "gakkou" into a kanji2 cell, converts and
# commits, and the texts the window ends with (JIRAKUBO_DUMP_ON_EXIT) must show 漢字 with
# かんじ and 学校 with がっこう above it.
#
# Needs xvfb xdotool dbus ibus ibus-mozc mozc-server imagemagick (scripts/install-deps.sh):
# a missing one fails the test. Mozc refuses to run as root and ibus wants a user with a
# passwd entry, so as root the session runs as "nobody" from a world-readable copy of the
# program. Mozc learns from every commit, so each session starts from a fresh profile; the
# number of spaces before the wanted candidate shows is found by running a new session with
# one more space for a word that came out as another candidate.
#
# Usage: mozc_reading.sh BIN_DIR SOURCE_DIR
#        mozc_reading.sh --session WORK SESSION_DIR DISPLAY_NUMBER SPACES_KANJI SPACES_GAKKOU
#        (the second form is the inner session, run by the first under dbus-run-session)
set -u

# ---------------------------------------------------------------------------------------
# Inner session: Xvfb, ibus with Mozc, the program, the keys. Runs as the session user.
# ---------------------------------------------------------------------------------------
if [ "${1:-}" = "--session" ]; then
    WORK=$2 S=$3 D=$4 KA=$5 KB=$6
    export DISPLAY=:$D
    pids=()
    log() { echo "[session] $*"; }
    cleanup() {
        for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[$i]}" 2>/dev/null; done
        sleep 0.3
        for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
    }
    trap cleanup EXIT
    # poll SECONDS COMMAND...: runs COMMAND every 0.2 s until it succeeds or time runs out.
    poll() {
        local until=$((SECONDS + $1)); shift
        while ! "$@" >/dev/null 2>&1; do
            [ "$SECONDS" -ge "$until" ] && return 1
            sleep 0.2
        done
    }

    Xvfb ":$D" -screen 0 1024x768x24 -nolisten tcp -noreset >"$S/xvfb.log" 2>&1 &
    pids+=($!)
    poll 15 xdpyinfo || { log "Xvfb did not start"; cat "$S/xvfb.log"; exit 1; }

    mkdir -p "$XDG_CONFIG_HOME/mozc"
    cat >"$XDG_CONFIG_HOME/mozc/ibus_config.textproto" <<'EOF'
engines {
  name : "mozc-jp"
  longname : "Mozc"
  layout : "default"
  layout_variant : ""
  layout_option : ""
  rank : 80
}
active_on_launch: True
EOF
    ibus-daemon --panel=disable --emoji-extension=disable --cache=refresh >"$S/ibus.log" 2>&1 &
    pids+=($!)
    # "ibus engine NAME" exits 1 even when it switched; ask which engine is on instead.
    mozc_on() { ibus engine mozc-jp; [ "$(ibus engine)" = mozc-jp ]; }
    poll 20 mozc_on || { log "ibus did not take the Mozc engine"; cat "$S/ibus.log"; exit 1; }
    IBUS_ADDRESS=$(ibus address) && export IBUS_ADDRESS

    mkdir -p "$S/run"
    (cd "$S/run" && exec env QT_QPA_PLATFORM=xcb QT_IM_MODULE=ibus JIRAKUBO_DUMP_ON_EXIT="$S/dump.txt" \
        "$WORK/app/jirakubo") >"$S/app.log" 2>&1 &
    app=$!
    pids+=($app)
    find_window() { wid=$(xdotool search --onlyvisible --classname jirakubo 2>/dev/null | head -1) && [ -n "$wid" ]; }
    poll 20 find_window || { log "no window"; cat "$S/app.log"; exit 1; }
    find_window
    eval "$(xdotool getwindowgeometry --shell "$wid")"  # X Y WIDTH HEIGHT
    # No window manager: the keyboard focus follows the pointer, so keep it inside.
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    xdotool windowfocus --sync "$wid"
    sleep 0.5
    key() { xdotool key --clearmodifiers --delay 120 "$@"; sleep 0.4; }
    # ファイル is the first item of the menu bar.
    file_menu() { xdotool mousemove $((X + 24)) $((Y + 10)) click 1; sleep 0.6; }
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
    # The second-word toggle of row 10 comes just before the entry box in the focus chain:
    # turning it on puts the cursor on kanji2 of row 10.
    key shift+Tab
    key space
    xdotool type --delay 120 gakkou
    sleep 0.5
    spaces "$KB"
    key Return
    sleep 0.5
    import -window root "$S/screen.png" 2>/dev/null

    # 終了 is the last item of ファイル; answer the unsaved-changes question with Yes.
    file_menu
    key Up Return
    for _ in 1 2 3; do
        poll 3 bash -c "! kill -0 $app" && break
        q=$(xdotool search --onlyvisible --name '確認' 2>/dev/null | head -1)
        [ -n "$q" ] && xdotool windowfocus --sync "$q" 2>/dev/null
        key Return
    done
    if ! poll 10 bash -c "! kill -0 $app"; then log "the program did not close"; exit 1; fi
    wait "$app"
    exit 0
fi

# ---------------------------------------------------------------------------------------
# Outer part: checks, a world-readable copy, the session user, sessions until both words
# come out as the wanted candidates, the result.
# ---------------------------------------------------------------------------------------
BIN=$1
fail() { echo "FAIL: $*"; exit 1; }
for tool in Xvfb xdpyinfo xdotool dbus-run-session ibus-daemon ibus import timeout; do
    command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/install-deps.sh)"
done
[ -x /usr/lib/mozc/mozc_server ] || fail "mozc-server is missing (run scripts/install-deps.sh)"
[ -x /usr/lib/ibus-mozc/ibus-engine-mozc ] || fail "ibus-mozc is missing (run scripts/install-deps.sh)"
[ -x "$BIN/jirakubo" ] || fail "$BIN/jirakubo not built"

WORK=$(mktemp -d /tmp/jirakubo-mozc.XXXXXX)
chmod 755 "$WORK"
# Every process of the sessions carries this mark; whatever survives a session (mozc_server
# outlives ibus) is found by it and ended by its id.
MARK="JIRAKUBO_MOZC_SESSION=$WORK"
end_marked() {
    local p
    for p in /proc/[0-9]*; do
        [ "${p#/proc/}" = "$$" ] && continue
        if { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qxF "$MARK"; then kill "${p#/proc/}" 2>/dev/null; fi
    done
}
cleanup() {
    end_marked
    sleep 0.5
    rm -rf "$WORK"
}
trap cleanup EXIT

mkdir "$WORK/app"
cp "$BIN/jirakubo" "$WORK/app/"
find "$BIN" -maxdepth 1 -type f ! -perm -u+x -exec cp {} "$WORK/app/" \;
cp "$0" "$WORK/mozc_reading.sh"
chmod -R a+rX "$WORK"

RUNAS=()
if [ "$(id -u)" -eq 0 ]; then
    RUNAS=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
    SESSION_USER=nobody
else
    SESSION_USER=$(id -un)
fi
if [ ! -d /tmp/.X11-unix ]; then
    mkdir -p /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix || fail "cannot create /tmp/.X11-unix"
fi
D=
for n in $(seq 87 120); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then D=$n; break; fi
done
[ -n "$D" ] || fail "no free display number"

value() { grep -m1 "^$1=" "$2" | cut -d= -f2-; }
ka=1 kb=1
for attempt in 1 2 3 4; do
    S="$WORK/s$attempt"
    mkdir -p "$S"/{home,config,cache,runtime}
    chmod 700 "$S"/{home,config,cache,runtime}
    chmod 755 "$S"
    chown -R "$SESSION_USER" "$S"
    echo "session $attempt: $ka space(s) for kannji, $kb for gakkou"
    timeout -k 5 45 "${RUNAS[@]}" env -i PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 "$MARK" \
        HOME="$S/home" XDG_CONFIG_HOME="$S/config" XDG_CACHE_HOME="$S/cache" XDG_RUNTIME_DIR="$S/runtime" \
        dbus-run-session -- bash "$WORK/mozc_reading.sh" --session "$WORK" "$S" "$D" "$ka" "$kb" \
        >"$S/session.log" 2>&1
    rc=$?
    end_marked
    cat "$S/session.log"
    [ -f "$S/screen.png" ] && cp "$S/screen.png" /tmp/jirakubo-mozc-reading.png
    [ $rc -eq 0 ] || { cat "$S"/*.log; fail "session ended with status $rc"; }
    [ -f "$S/dump.txt" ] || fail "the program wrote no dump at exit"
    echo "--- the window ended with:"
    cat "$S/dump.txt"
    k1=$(value 'Label3(1)' "$S/dump.txt")
    k2=$(value 'Label33(10)' "$S/dump.txt")
    again=0
    [ "$k1" = 漢字 ] || { [ -n "$k1" ] && [ "$k1" != かんじ ] && ka=$((ka + 1)) && again=1; }
    [ "$k2" = 学校 ] || { [ -n "$k2" ] && [ "$k2" != がっこう ] && kb=$((kb + 1)) && again=1; }
    [ $again -eq 1 ] || break
    echo "another candidate came first; a fresh session with one more space"
done

pass=0 nfail=0
check() {
    if [ "$2" = "$3" ]; then pass=$((pass + 1)); else echo "FAIL: $1: '$2', expected '$3'"; nfail=$((nfail + 1)); fi
}
check "heading registered" "$(value 'Label9' "$S/dump.txt")" れんしゅう
check "kanji cell" "$(value 'Label3(1)' "$S/dump.txt")" 漢字
check "its reading" "$(value 'Label4(1)' "$S/dump.txt")" かんじ
check "kanji2 cell" "$(value 'Label33(10)' "$S/dump.txt")" 学校
check "its reading" "$(value 'Label44(10)' "$S/dump.txt")" がっこう
check "nothing else typed" "$(grep -c . "$S/dump.txt")" 5
echo "screenshot: /tmp/jirakubo-mozc-reading.png"
echo "$pass passed, $nfail failed"
[ "$nfail" -eq 0 ]
