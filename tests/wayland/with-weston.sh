#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one command in a Wayland session of its own: a headless weston (no GPU,
# the pixman renderer) on a private runtime folder, and a private session bus
# that starts no installed service, so that a fake portal can own its name.
#   WESTON_SIZE  the output, default 1280x800 (device pixels)
#   WESTON_SCALE the output's scale, default 1: the compositor's own HiDPI
#   WESTON_DEBUG set to 1 to allow weston-screenshooter
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
command -v weston >/dev/null || { echo "weston is not installed" >&2; exit 1; }
command -v dbus-run-session >/dev/null || { echo "dbus-run-session is not installed" >&2; exit 1; }

runtime=$(mktemp -d /tmp/pigmentry-wayland.XXXXXX)
chmod 700 "$runtime"
weston_pid=
cleanup() {
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT

size=${WESTON_SIZE:-1280x800}
socket=pigmentry-$$
debug=()
[ "${WESTON_DEBUG:-}" = 1 ] && debug=(--debug)
# No X11 session leaks in: the command sees Wayland only.
unset DISPLAY
export XDG_RUNTIME_DIR=$runtime XDG_SESSION_TYPE=wayland
weston --backend=headless-backend.so --use-pixman --width="${size%x*}" --height="${size#*x}" --scale="${WESTON_SCALE:-1}" \
    --socket="$socket" --idle-time=0 "${debug[@]}" --log="$runtime/weston.log" &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$runtime/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || { cat "$runtime/weston.log" >&2; echo "weston did not start" >&2; exit 1; }
    sleep 0.05
done
[ -S "$runtime/$socket" ] || { echo "weston did not open its socket" >&2; exit 1; }
export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
status=0
dbus-run-session --config-file="$here/../dbus/session.conf" -- "$@" || status=$?
exit $status
