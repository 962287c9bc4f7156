#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Pigmentry from the build folder. On a machine without any display it
# gives a tour instead: Pigmentry runs on a virtual display with a tray host
# and writes screenshots of the popover and of every Studio page to
# BUILD/tour/: empty/ before anything is picked, the folder itself after one
# scripted pick, and collection/ with 40 colours and three palettes while
# another program holds Shift+Super+P (so Settings shows the shortcut error),
# dark/ and german/ with that collection in a dark desktop theme and in German,
# each of these also at the window's smallest size in smallest/,
# and wayland/ with the Studio and a precision pick on a frozen frame, as a
# headless weston shows them.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
binary="$build/pigmentry"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$binary" "${@:2}"
fi

tour="$PWD/$build/tour"
rm -rf "$tour"
mkdir -p "$tour"
# A home of its own, so that the tour never touches your library.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"

echo "No display: running the tour on a virtual display."
unset WAYLAND_DISPLAY XDG_SESSION_TYPE
HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" \
xvfb-run -a -s "-screen 0 1440x900x24 -noreset -nolisten tcp" bash -c '
    set -e
    binary=$1; tour=$2; helper=$3
    trayer --edge top --height 24 --SetDockType true >/dev/null 2>&1 & tray=$!
    # A desktop of one colour to pick from.
    xsetroot -solid "#2E86AB"
    start() {
        "$binary" & app=$!
        for i in $(seq 1 100); do [ -S "$XDG_RUNTIME_DIR/pigmentry.socket" ] && break; sleep 0.1; done
        sleep 1
    }
    start
    "$binary" tour "$tour/empty" >/dev/null
    # The scripted pick: the global shortcut, a move, a click.
    xdotool key shift+super+p
    sleep 1
    xdotool mousemove 720 450
    sleep 0.5
    xdotool click 1
    sleep 1
    "$binary" tour "$tour" >/dev/null
    "$binary" quit >/dev/null
    wait $app || true
    bash scripts/tour_library.sh > "$XDG_DATA_HOME/Pigmentry/library.json"
    mkfifo "$HOME/hold"
    "$helper" hold < "$HOME/hold" >/dev/null & holder=$!
    exec 3>"$HOME/hold"
    sleep 0.5
    start
    "$binary" tour "$tour/collection" "$tour/studio-2-recent-colors.png" >/dev/null
    "$binary" quit >/dev/null
    wait $app || true
    # The collection again in a dark desktop theme, and in German.
    QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark start
    "$binary" tour "$tour/dark" "$tour/studio-2-recent-colors.png" >/dev/null
    "$binary" quit >/dev/null
    wait $app || true
    LANGUAGE=de LANG=de_DE.UTF-8 start
    "$binary" tour "$tour/german" "$tour/studio-2-recent-colors.png" >/dev/null
    "$binary" quit >/dev/null
    wait $app || true
    exec 3>&-
    wait $holder || true
    kill $tray 2>/dev/null || true
' bash "$PWD/$binary" "$tour" "$PWD/$build/tests/grab_helper"

echo "The Wayland part: headless weston, with a stand-in Screenshot portal."
mkdir -p "$tour/wayland"
HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
WESTON_DEBUG=1 WESTON_SIZE=1280x800 tests/wayland/with-weston.sh bash -c '
    set -e
    binary=$1; out=$2; portal=$3
    # The newest of weston-screenshooter'"'"'s files, under a name of ours.
    shoot() {
        (cd "$out" && weston-screenshooter && mv "$(ls -t wayland-screenshot-*.png | head -1)" "$1")
    }
    "$portal" & portal_pid=$!
    "$binary" --studio & app=$!
    sleep 3
    shoot studio.png
    # A pick from the command line: the frozen frame with the magnifier,
    # left by killing it since headless weston has no input devices.
    "$binary" pick & pick=$!
    sleep 2
    shoot frozen-pick.png
    kill $pick 2>/dev/null || true
    "$binary" quit >/dev/null || true
    wait $app || true
    kill $portal_pid 2>/dev/null || true
' bash "$PWD/$binary" "$tour/wayland" "$PWD/$build/tests/tour_portal"

echo "Screenshots of the tour are in $tour:"
(cd "$tour" && find . -name '*.png' | sort)
