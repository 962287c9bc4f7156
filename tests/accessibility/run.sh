#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the AT-SPI walk against a Pigmentry of its own: a fresh home, a private
# session bus with the accessibility bus on it, accessibility always on. Run
# under with-xvfb.sh.
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || { echo "at-spi2-core is not installed" >&2; exit 1; }
command -v trayer >/dev/null || { echo "trayer is not installed" >&2; exit 1; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi is not installed" >&2; exit 1; }

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/runtime
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
# A collection to hear: 40 colours, some labelled and starred, three palettes.
mkdir -p "$XDG_DATA_HOME/Pigmentry"
bash "$here/../../scripts/tour_library.sh" >"$XDG_DATA_HOME/Pigmentry/library.json"
unset QT_QPA_PLATFORM

exec dbus-run-session -- bash -c '
    set -euo pipefail
    binary=$1; here=$2; launcher=$3
    "$launcher" --launch-immediately >/dev/null 2>&1 & bus=$!
    # A tray whose only icon sits in the bottom right corner, clear of the
    # Studio, for the popover.
    trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true >/dev/null 2>&1 & tray=$!
    # Pigmentry started before the tray owns its selection opens without an
    # icon, as it should: it starts once the tray is there.
    /usr/bin/python3 "$here/tray_ready.py"
    "$binary" --studio >"$HOME/app.log" 2>&1 & app=$!
    for i in $(seq 1 100); do [ -S "$XDG_RUNTIME_DIR/pigmentry.socket" ] && break; sleep 0.1; done
    status=0
    /usr/bin/python3 "$here/walk.py" "$binary" || status=$?
    [ $status -eq 0 ] || { echo "Pigmentry said:"; cat "$HOME/app.log"; }
    "$binary" quit >/dev/null 2>&1 || kill $app
    kill $bus $tray 2>/dev/null || true
    exit $status
' bash "$binary" "$here" "$launcher"
