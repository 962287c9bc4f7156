#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time to the tray icon and resident memory in the tray, with the
# Studio open on the Color Inspector and after visiting all nine pages, for
# Pigmentry and, when it is installed, for Gpick (Debian package gpick) the
# same way. Runs on its own virtual display with a tray host.
# Goals: tray icon within 35 ms, at most 25 MiB in the tray, 38 MiB with the
# Studio open, 50 MiB after every page.
set -euo pipefail
build=${1:-build}
runs=${RUNS:-5}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime"

xvfb-run -a -s "-screen 0 1440x900x24 -noreset -nolisten tcp" bash -c '
    build=$1; runs=$2
    trayer --edge top --height 24 --SetDockType true >/dev/null 2>&1 & tray=$!
    sleep 1
    echo "Pigmentry, process start to tray icon shown (then memory with nothing open):"
    for i in $(seq 1 "$runs"); do "$build/bench/first_window" 1 "$build/pigmentry"; sleep 0.5; done
    echo "Pigmentry with the Studio open on the Color Inspector, then after visiting every page:"
    FIRST_WINDOW_THEN="\"$build/pigmentry\" tour \"$XDG_RUNTIME_DIR/tour\" >/dev/null" \
        "$build/bench/first_window" 2 "$build/pigmentry" --studio
    if command -v gpick >/dev/null; then
        echo "Gpick, process start to its first window (memory with its main window open):"
        for i in $(seq 1 "$runs"); do "$build/bench/first_window" 2 gpick; sleep 0.5; done
    else
        echo "Gpick is not installed (apt-get install gpick) and was not measured."
    fi
    kill $tray
' bash "$build" "$runs"
