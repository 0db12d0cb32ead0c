# shellcheck shell=bash
# Shared by the end-to-end tests that drive the desktop program under Xvfb (sourced, not run).
#
# A test script has two parts. The outer part (the test as ctest runs it) checks the tools,
# makes a world-readable copy of the program, the script and this folder, and runs the
# script's inner part once per session under dbus-run-session, as "nobody" when it runs as
# root: Mozc refuses to run as root and ibus wants a user with a passwd entry. The inner
# part starts Xvfb, ibus with Mozc when it needs them, the program, and sends it mouse and
# keys with xdotool; the program writes the texts it ends with to $S/dump.txt
# (JIRAKUBO_DUMP_ON_EXIT), which the outer part checks.
#
# Every process of a session carries the mark XS_MARK in its environment; whatever
# survives a session (mozc_server outlives ibus; so may the accessibility bus) is found by
# it and ended by its id.
#
# Outer part:  xs_require_tools, xs_require_mozc, xs_require_fcitx5_mozc, xs_require_atspi, xs_skip_unless_root,
#              xs_prepare BIN, xs_session S LIMIT ARGS..., xs_session_dumped S NAME LIMIT ARGS...,
#              value, check, xs_summary
# Inner part:  xs_inner WORK S (after "--session"), xs_start_xvfb, xs_start_ibus_mozc,
#              xs_start_fcitx5_mozc, xs_fcitx5_check_mozc,
#              xs_start_app, xs_window_geometry, xs_where, xs_click, key, file_menu, xs_quit_app

XS_LIB=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
XS_SCREEN=${XS_SCREEN:-1600x1200x24}

fail() {
    echo "FAIL: $*"
    exit 1
}

# poll SECONDS COMMAND...: runs COMMAND every 0.2 s until it succeeds or time runs out.
poll() {
    local until=$((SECONDS + $1))
    shift
    while ! "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -ge "$until" ] && return 1
        sleep 0.2
    done
}

# ---------------------------------------------------------------------------------------
# Outer part
# ---------------------------------------------------------------------------------------

xs_require_tools() {
    local tool
    for tool in Xvfb xdpyinfo xdotool dbus-run-session setpriv timeout "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/install-deps.sh)"
    done
}

xs_require_mozc() {
    xs_require_tools ibus-daemon ibus
    [ -x /usr/lib/mozc/mozc_server ] || fail "mozc-server is missing (run scripts/install-deps.sh)"
    [ -x /usr/lib/ibus-mozc/ibus-engine-mozc ] || fail "ibus-mozc is missing (run scripts/install-deps.sh)"
}

xs_require_fcitx5_mozc() {
    xs_require_tools fcitx5 fcitx5-remote
    [ -x /usr/lib/mozc/mozc_server ] || fail "mozc-server is missing (run scripts/install-deps.sh)"
    ls /usr/lib/*/fcitx5/fcitx5-mozc.so >/dev/null 2>&1 || fail "fcitx5-mozc is missing (run scripts/install-deps.sh)"
    ls /usr/lib/*/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so >/dev/null 2>&1 ||
        fail "fcitx5-frontend-qt6 is missing (run scripts/install-deps.sh)"
}

# The accessibility bus and the query that finds a control by its accessible name.
xs_require_atspi() {
    [ -x /usr/libexec/at-spi-bus-launcher ] || fail "at-spi2-core is missing (run scripts/install-deps.sh)"
    /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
        fail "python3-gi or gir1.2-atspi-2.0 is missing (run scripts/install-deps.sh)"
}

# The session runs as "nobody" from a copy that user can read; that takes root.
xs_skip_unless_root() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "SKIP: $(basename "$0") runs the program as the user nobody and needs root"
        exit 0
    fi
}

# xs_prepare BIN: the world-readable copy in $WORK (the program, the data files beside it,
# the calling script and this folder), the session user and the clean-up at exit.
xs_prepare() {
    local bin=$1
    [ -x "$bin/jirakubo" ] || fail "$bin/jirakubo not built"
    WORK=$(mktemp -d /tmp/jirakubo-e2e.XXXXXX)
    chmod 755 "$WORK"
    XS_MARK="JIRAKUBO_E2E_SESSION=$WORK"
    trap xs_outer_cleanup EXIT
    mkdir "$WORK/app"
    cp "$bin/jirakubo" "$WORK/app/"
    find "$bin" -maxdepth 1 -type f ! -perm -u+x -exec cp {} "$WORK/app/" \;
    XS_SCRIPT=$(basename "$0")
    cp "$0" "$WORK/$XS_SCRIPT"
    cp -r "$XS_LIB" "$WORK/lib"
    chmod -R a+rX "$WORK"

    RUNAS=()
    if [ "$(id -u)" -eq 0 ]; then
        RUNAS=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
        SESSION_USER=nobody
    else
        SESSION_USER=$(id -un)
    fi
    if [ ! -d /tmp/.X11-unix ]; then
        { mkdir -p /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix; } || fail "cannot create /tmp/.X11-unix"
    fi
}

xs_end_marked() {
    local p
    for p in /proc/[0-9]*; do
        [ "${p#/proc/}" = "$$" ] && continue
        if { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qxF "$XS_MARK"; then kill "${p#/proc/}" 2>/dev/null; fi
    done
}

xs_outer_cleanup() {
    xs_end_marked
    sleep 0.5
    rm -rf "$WORK"
}

# xs_session S LIMIT ARGS...: runs the script's inner part with a fresh profile in the folder
# S, at most LIMIT seconds, as "$0 --session WORK S ARGS..."; prints its log and returns its
# status. Whatever the session left running is ended.
xs_session() {
    local s=$1 limit=$2 rc
    shift 2
    mkdir -p "$s"/{home,config,cache,runtime}
    chmod 700 "$s"/{home,config,cache,runtime}
    chmod 755 "$s"
    chown -R "$SESSION_USER" "$s"
    timeout -k 5 "$limit" "${RUNAS[@]}" env -i PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 "$XS_MARK" \
        HOME="$s/home" XDG_CONFIG_HOME="$s/config" XDG_CACHE_HOME="$s/cache" XDG_RUNTIME_DIR="$s/runtime" \
        dbus-run-session -- bash "$WORK/$XS_SCRIPT" --session "$WORK" "$s" "$@" >"$s/session.log" 2>&1
    rc=$?
    xs_end_marked
    cat "$s/session.log"
    return $rc
}

# xs_session_dumped S NAME LIMIT ARGS...: xs_session, for a session whose program writes a
# dump of its window at exit: keeps its screen as /tmp/jirakubo-NAME.png, shows the logs of a
# session that failed, and shows the dump.
xs_session_dumped() {
    local s=$1 name=$2 rc
    shift 2
    xs_session "$s" "$@"
    rc=$?
    [ -f "$s/screen.png" ] && cp "$s/screen.png" "/tmp/jirakubo-$name.png"
    [ $rc -eq 0 ] || {
        cat "$s"/*.log
        fail "session ended with status $rc"
    }
    [ -f "$s/dump.txt" ] || fail "the program wrote no dump at exit"
    echo "--- the window ended with:"
    cat "$s/dump.txt"
}

# value NAME FILE: the text after "NAME=" on the first such line of a dump.
value() { grep -m1 "^$1=" "$2" | cut -d= -f2-; }

xs_pass=0 xs_fail=0
# check DESCRIPTION ACTUAL EXPECTED
check() {
    if [ "$2" = "$3" ]; then
        xs_pass=$((xs_pass + 1))
    else
        printf "FAIL: %s: '%s', expected '%s'\n" "$1" "$2" "$3"
        xs_fail=$((xs_fail + 1))
    fi
}

# The closing line; the status of the test.
xs_summary() {
    echo "$xs_pass passed, $xs_fail failed"
    [ "$xs_fail" -eq 0 ]
}

# ---------------------------------------------------------------------------------------
# Inner part: runs as the session user inside dbus-run-session.
# ---------------------------------------------------------------------------------------

# xs_inner WORK S: the session's folders and the clean-up of everything it starts.
xs_inner() {
    WORK=$1 S=$2
    pids=()
    trap xs_inner_cleanup EXIT
}

log() { echo "[session] $*"; }

xs_inner_cleanup() {
    local i p
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[$i]}" 2>/dev/null; done
    sleep 0.3
    for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
}

# Xvfb picks a free display number itself and writes it once it accepts clients, so tests
# that run side by side never take the same display.
xs_start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "$XS_SCREEN" -nolisten tcp -noreset 3>"$S/display" >"$S/xvfb.log" 2>&1 &
    pids+=("$!")
    if poll 15 grep -q . "$S/display"; then
        DISPLAY=":$(head -1 "$S/display")"
        export DISPLAY
    fi
    if ! poll 5 xdpyinfo; then
        log "Xvfb did not start"
        cat "$S/xvfb.log"
        exit 1
    fi
}

# ibus with Mozc as its engine, on from the start (Mozc starts in direct input otherwise).
xs_start_ibus_mozc() {
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
    pids+=("$!")
    # "ibus engine NAME" exits 1 even when it switched; ask which engine is on instead.
    # shellcheck disable=SC2317  # called through poll
    mozc_on() {
        ibus engine mozc-jp
        [ "$(ibus engine)" = mozc-jp ]
    }
    poll 20 mozc_on || {
        log "ibus did not take the Mozc engine"
        cat "$S/ibus.log"
        exit 1
    }
    IBUS_ADDRESS=$(ibus address) && export IBUS_ADDRESS
}

# fcitx5 with Mozc as the only input method besides the keyboard, on from the start, in a
# profile of its own; the program then runs with QT_IM_MODULE=fcitx. FCITX5_DISABLE names
# the add-ons left off (by default the Wayland frontend, the tray, the panel and the ibus
# frontend).
xs_start_fcitx5_mozc() {
    mkdir -p "$XDG_CONFIG_HOME/fcitx5"
    printf '%s\n' '[Groups/0]' 'Name=Default' 'Default Layout=us' 'DefaultIM=mozc' '' \
        '[Groups/0/Items/0]' 'Name=keyboard-us' 'Layout=' '' '[Groups/0/Items/1]' 'Name=mozc' 'Layout=' '' \
        '[GroupOrder]' '0=Default' >"$XDG_CONFIG_HOME/fcitx5/profile"
    printf '%s\n' '[Behavior]' 'ActiveByDefault=True' >"$XDG_CONFIG_HOME/fcitx5/config"
    fcitx5 --replace --disable="${FCITX5_DISABLE:-wayland,notificationitem,classicui,ibusfrontend}" \
        >"$S/fcitx5.log" 2>&1 &
    pids+=("$!")
    poll 20 grep -q "Loaded addon mozc" "$S/fcitx5.log" || {
        log "fcitx5 did not load Mozc"
        cat "$S/fcitx5.log"
        exit 1
    }
}

# Once the program has the focus: fcitx5 has an input context to switch on, and must name
# Mozc as its input method.
xs_fcitx5_check_mozc() {
    # shellcheck disable=SC2317  # called through poll
    mozc_on() {
        fcitx5-remote -o
        [ "$(fcitx5-remote -n)" = mozc ]
    }
    poll 10 mozc_on || {
        log "fcitx5 did not take Mozc: '$(fcitx5-remote -n)'"
        cat "$S/fcitx5.log"
        exit 1
    }
}

# xs_start_app [VAR=VALUE...] [-- ARGUMENT...]: the program, started in $S/run with the
# dump hook, the given environment and arguments. Sets app (its pid), wid and the window's
# X Y WIDTH HEIGHT, puts the pointer in the window and focuses it: without a window manager
# the keyboard focus follows the pointer.
xs_start_app() {
    local envs=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        envs+=("$1")
        shift
    done
    [ "${1:-}" = -- ] && shift
    mkdir -p "$S/run"
    (cd "$S/run" && exec env QT_QPA_PLATFORM=xcb JIRAKUBO_DUMP_ON_EXIT="$S/dump.txt" "${envs[@]}" \
        "$WORK/app/jirakubo" "$@") >"$S/app.log" 2>&1 &
    app=$!
    pids+=("$app")
    find_window() { wid=$(xdotool search --onlyvisible --classname jirakubo 2>/dev/null | head -1) && [ -n "$wid" ]; }
    poll 20 find_window || {
        log "no window"
        cat "$S/app.log"
        exit 1
    }
    find_window
    eval "$(xdotool getwindowgeometry --shell "$wid")" # X Y WIDTH HEIGHT
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    xdotool windowfocus --sync "$wid"
    sleep 0.5
}

# The window's geometry again, after it grew.
xs_window_geometry() { eval "$(xdotool getwindowgeometry --shell "$wid")"; }

# xs_where NAME [ROLE]: "X Y" of the centre of the program's control with that accessible
# name (the program needs QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1, and JIRAKUBO_ACCESSIBLE_IDS=1
# for design names).
xs_where() { /usr/bin/python3 "$WORK/lib/atspi_find.py" "$app" "$@" | head -1; }

# xs_click NAME [ROLE]: a click in the middle of that control.
xs_click() {
    local pos
    pos=$(xs_where "$@")
    if [ -z "$pos" ]; then
        log "no control named $1 on the accessibility bus"
        return 1
    fi
    log "click $1 at $pos"
    # shellcheck disable=SC2086
    xdotool mousemove $pos click 1
    sleep 0.5
}

key() {
    xdotool key --clearmodifiers --delay 120 "$@"
    sleep 0.4
}

# ファイル is the first item of the menu bar.
file_menu() {
    xdotool mousemove $((X + 24)) $((Y + 10)) click 1
    sleep 0.6
}

# 終了 is the last item of ファイル; a question about unsaved changes is answered Yes.
# Returns 1 when the program does not close.
xs_quit_app() {
    file_menu
    key Up Return
    local q
    for _ in 1 2 3; do
        poll 3 bash -c "! kill -0 $app" && break
        q=$(xdotool search --onlyvisible --name '確認' 2>/dev/null | head -1)
        [ -n "$q" ] && xdotool windowfocus --sync "$q" 2>/dev/null
        key Return
    done
    if ! poll 10 bash -c "! kill -0 $app"; then
        log "the program did not close"
        return 1
    fi
    wait "$app"
}
