#!/usr/bin/env bash
# What a screen reader reads: the desktop program runs under Xvfb twice with the same
# sample workbook, once with design names (JIRAKUBO_ACCESSIBLE_IDS=1) and once as a person
# runs it. Each time lib/atspi_walk.py opens every window over the accessibility bus (menu
# items and buttons pressed through their accessible actions, the maintenance password
# typed with xdotool) and reads each window's tree. The person's walk must name no control
# like a design name, leave no focusable control without a name, and name every push
# button by its caption (the design-name walk mirrors captions into the descriptions). The
# test prints what a screen reader reads in the main window.
#
# Needs xvfb xdotool dbus at-spi2-core python3-gi gir1.2-atspi-2.0 (scripts/install-deps.sh):
# a missing one fails the test; skipped when not run as root.
#
# Usage: atspi_names.sh BIN_DIR SOURCE_DIR
#        atspi_names.sh --session WORK SESSION_DIR [--design-names]
#        (the second form is the inner session, run by the first under dbus-run-session)
set -u
source "$(dirname "$0")/lib/x_session.sh"

# ---------------------------------------------------------------------------------------
# Inner session: Xvfb, the program with the sample, the walk.
# ---------------------------------------------------------------------------------------
if [ "${1:-}" = "--session" ]; then
    xs_inner "$2" "$3"
    mode=${4:-}
    xs_start_xvfb
    envs=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
    [ "$mode" = --design-names ] && envs+=(JIRAKUBO_ACCESSIBLE_IDS=1)
    xs_start_app "${envs[@]}" -- "$WORK/sample.mojx"
    /usr/bin/python3 "$WORK/lib/atspi_walk.py" walk "$app" "$S/walk.json" ${mode:+"$mode"}
    rc=$?
    import -window root "$S/screen.png" 2>/dev/null
    # The program is ended with the session: closing its windows would ask questions.
    exit $rc
fi

# ---------------------------------------------------------------------------------------
# Outer part
# ---------------------------------------------------------------------------------------
xs_skip_unless_root
xs_require_tools import
xs_require_atspi
xs_prepare "$1"
SOURCE=$2
cp "$SOURCE/tests/fixtures/print_sample.mojx" "$WORK/sample.mojx"
chmod a+r "$WORK/sample.mojx"

for mode in design person; do
    S="$WORK/$mode"
    args=()
    [ $mode = design ] && args=(--design-names)
    xs_session "$S" 120 "${args[@]}"
    rc=$?
    [ -f "$S/screen.png" ] && cp "$S/screen.png" "/tmp/jirakubo-atspi-names-$mode.png"
    [ $rc -eq 0 ] || {
        cat "$S"/*.log
        fail "the $mode walk ended with status $rc"
    }
    [ -f "$S/walk.json" ] || fail "the $mode walk wrote nothing"
done

/usr/bin/python3 "$WORK/lib/atspi_walk.py" check "$WORK/design/walk.json" "$WORK/person/walk.json"
rc=$?
echo "screenshots: /tmp/jirakubo-atspi-names-design.png /tmp/jirakubo-atspi-names-person.png"
exit $rc
