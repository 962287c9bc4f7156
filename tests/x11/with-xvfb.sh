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
command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed" >&2; exit 1; }
screen=${XVFB_SCREEN:-1280x800x24}
extra=${XVFB_ARGS:-}
# -noreset: a server with no client left resets itself, and a client that
# connects during the reset is turned away; helpers such as xdotool, xrandr or
# the accessibility bus come and go while the program under test starts. It
# also keeps the monitors that xrandr sets once xrandr has disconnected.
if [ "${XVFB_MONITORS:-}" = two ]; then
    command -v xrandr >/dev/null || { echo "xrandr is not installed" >&2; exit 1; }
    width=${screen%%x*}
    rest=${screen#*x}
    height=${rest%%x*}
    half=$((width / 2))
    exec xvfb-run -a -s "-screen 0 $screen -nolisten tcp -noreset $extra" bash -c '
        xrandr --setmonitor left '"$half"'/200x'"$height"'/200+0+0 screen >/dev/null &&
        xrandr --setmonitor right '"$half"'/200x'"$height"'/200+'"$half"'+0 none >/dev/null &&
        exec "$@"' bash "$@"
fi
exec xvfb-run -a -s "-screen 0 $screen -nolisten tcp -noreset $extra" "$@"
