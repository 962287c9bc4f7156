#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time and resident memory of Pigmentry beside the floor of a bare
# Qt program built with it (bench/floor.cpp), in runs interleaved on one
# virtual display, medians of RUNS (5): process start to the tray icon docked
# in a tray host, and the memory then (floor: a program that shows only a
# tray icon); process start to the Studio mapped on a display without a tray,
# and the memory with it open (floor: a window with a label and a button).
# Each for libraries of 0, 500 and 5,000 labelled records and of 0, 20 and
# 200 palettes of 20 colours (bench/library.sh). Gpick is measured the same
# way where it is installed (Debian package gpick).
# Goals, as ratios to the floor of the same run: the icon within 1.15x (1.3x
# with 5,000 records and 200 palettes), the Studio within 1.5x (2x); memory
# in the tray within the floor + 2 MiB (+ 6 MiB).
# Usage: bench/bench_startup.sh [BUILD]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
runs=${RUNS:-5}
if [ -z "${BENCH_SESSION:-}" ]; then
    home=$(mktemp -d)
    trap 'rm -rf "$home"' EXIT
    mkdir -m 700 "$home/runtime"
    export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime"
    mkdir -p "$XDG_CONFIG_HOME/Pigmentry" "$XDG_DATA_HOME/Pigmentry" "$home/libraries"
    printf '[General]\nhistoryLimit=5000\nwelcomed=true\n' >"$XDG_CONFIG_HOME/Pigmentry/Pigmentry.conf"
    cases="0:0 500:0 5000:0 0:20 0:200 5000:200"
    for c in $cases; do bash "$here/library.sh" "${c%:*}" "${c#*:}" >"$home/libraries/$c.json"; done
fi

# Inside the virtual display: the interleaved runs of one session, each line
# "LABEL MS MIB".
if [ "${BENCH_SESSION:-}" ]; then
    measure() {
        local label=$1; shift
        "$build/bench/first_window" "$@" | awk -v label="$label" '/first window after/ {
            for (i = 1; i <= NF; i++) { if ($i == "after") ms = $(i + 1); if ($i == "memory") mib = $(i + 1) }
            print label, ms, mib }'
    }
    if [ "$BENCH_SESSION" = tray ]; then
        trayer --edge top --height 24 --SetDockType true >/dev/null 2>&1 &
        tray=$!
        sleep 1
    fi
    for i in $(seq 1 "$runs"); do
        measure floor 1 "$build/bench/floor" "$BENCH_SESSION"
        sleep 0.3
        for c in $cases; do
            cp "$home/libraries/$c.json" "$XDG_DATA_HOME/Pigmentry/library.json"
            if [ "$BENCH_SESSION" = tray ]; then
                measure "$c" 1 "$build/pigmentry"
            else
                measure "$c" 2 "$build/pigmentry" --studio
            fi
            sleep 0.3
        done
        if [ "$BENCH_SESSION" = tray ] && command -v gpick >/dev/null; then
            measure gpick 2 gpick
            sleep 0.3
        fi
    done
    [ -z "${tray:-}" ] || kill "$tray"
    exit 0
fi
export build runs cases home
for session in tray window; do
    BENCH_SESSION=$session xvfb-run -a -s "-screen 0 1440x900x24 -noreset -nolisten tcp" \
        bash "$0" "$build" >"$home/$session.txt"
done

# Medians per label, and each beside the floor of its session.
python3 - "$home/tray.txt" "$home/window.txt" "$runs" <<'REPORT'
import statistics
import sys

titles = ("Start to the tray icon, and memory in the tray", "Start to the Studio mapped, and memory with it open")
for path, title in zip(sys.argv[1:3], titles):
    rows = {}
    for line in open(path):
        label, ms, mib = line.split()
        rows.setdefault(label, []).append((float(ms), float(mib)))
    median = {label: (statistics.median(m for m, _ in values), statistics.median(r for _, r in values))
              for label, values in rows.items()}
    floor_ms, floor_mib = median["floor"]
    print(f"{title} (medians of {sys.argv[3]}):")
    print(f"  {'library':<24} {'ms':>6} {'ratio':>6} {'MiB':>6} {'+MiB':>6}")
    for label, (ms, mib) in median.items():
        name = label
        if ":" in label:
            records, palettes = label.split(":")
            name = f"{records} records, {palettes} palettes"
        print(f"  {name:<24} {ms:6.0f} {ms / floor_ms:5.2f}x {mib:6.1f} {mib - floor_mib:+6.1f}")
REPORT
