#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one test on a private Xvfb display of its own.
#   XVFB_SCREEN   the screen, default 1280x800x24
#   XVFB_MONITORS "two": split the screen into two monitors side by side, as
#                 a desktop with two displays shows them
#   XVFB_ARGS     more arguments for the server, such as "-extension RENDER"
set -euo pipefail
# An X11 session of its own, whatever session the tests are started from.
unset WAYLAND_DISPLAY XDG_SESSION_TYPE
command -v Xvfb >/dev/null || { echo "Xvfb is not installed" >&2; exit 1; }
screen=${XVFB_SCREEN:-1280x800x24}
extra=${XVFB_ARGS:-}
# The server picks a free display itself and names it (-displayfd): tests
# that start servers at the same moment never race for one, as they do when
# each guesses a free number.
# -noreset: a server with no client left resets itself, and a client that
# connects during the reset is turned away; helpers such as xdotool, xrandr or
# the accessibility bus come and go while the program under test starts. It
# also keeps the monitors that xrandr sets once xrandr has disconnected.
work=$(mktemp -d)
# shellcheck disable=SC2086
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset $extra 3>"$work/display" 2>"$work/log" &
server=$!
cleanup() {
    kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    kill -0 "$server" 2>/dev/null || { cat "$work/log" >&2; echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
[ -s "$work/display" ] || { echo "Xvfb named no display" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
if [ "${XVFB_MONITORS:-}" = two ]; then
    command -v xrandr >/dev/null || { echo "xrandr is not installed" >&2; exit 1; }
    width=${screen%%x*}
    rest=${screen#*x}
    height=${rest%%x*}
    half=$((width / 2))
    xrandr --setmonitor left "$half/200x$height/200+0+0" screen >/dev/null
    xrandr --setmonitor right "$half/200x$height/200+$half+0" none >/dev/null
fi
status=0
"$@" || status=$?
exit $status
