#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs Pigmentry on GNOME Shell and on KWin, headless, with their real
# portals, one desktop at a time, as an ordinary user (the compositors refuse
# root), and ends every process that user runs afterwards.
#   tests/desktops/run.sh BUILD [gnome|kde ...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: run.sh BUILD [gnome|kde ...]}" && pwd)
shift
desktops=("$@")
[ ${#desktops[@]} -gt 0 ] || desktops=(gnome kde)
user=${PIGMENTRY_DESKTOP_USER:-pigmentry-desktops}

[ "$(id -u)" -eq 0 ] || { echo "run.sh runs the desktops as another user: run it as root" >&2; exit 1; }
for tool in gnome-shell kwin_wayland /usr/libexec/xdg-desktop-portal wayland-scanner pipewire; do
    command -v "$tool" >/dev/null || [ -x "$tool" ] || { echo "$tool is not installed: bash scripts/setup.sh desktops" >&2; exit 1; }
done
for file in "$build/pigmentry" "$build/tests/desktop_pattern"; do
    [ -x "$file" ] || { echo "$file is not built" >&2; exit 1; }
done
id -u "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"

work=$(mktemp -d /tmp/pigmentry-desktops.XXXXXX)
stop_user() {
    pkill -TERM -u "$user" 2>/dev/null || true
    for _ in $(seq 20); do pgrep -u "$user" >/dev/null || break; sleep 0.1; done
    pkill -KILL -u "$user" 2>/dev/null || true
}
cleanup() {
    stop_user
    rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
bin=$work/bin
mkdir "$bin"
cp "$build/pigmentry" "$build/tests/desktop_pattern" "$here"/*.py "$bin/"
# KWin's fake-input client, against the protocol the installed KWin speaks.
protocol=/usr/share/plasma-wayland-protocols/fake-input.xml
wayland-scanner client-header "$protocol" "$bin/fake-input-client-protocol.h"
wayland-scanner private-code "$protocol" "$bin/fake-input-protocol.c"
cc -O2 -o "$bin/kwin_input" "$here/kwin_input.c" "$bin/fake-input-protocol.c" -I"$bin" \
    $(pkg-config --cflags --libs wayland-client)
# kwin_wayland carries a file capability that some sandboxes refuse to run;
# a plain copy runs anywhere.
cp /usr/bin/kwin_wayland "$bin/"
chmod -R a+rX "$bin"

status=0
passed=0
failed=0
for desktop in "${desktops[@]}"; do
    mkdir "$work/$desktop"
    chown "$user" "$work/$desktop"
    started=$(date +%s)
    out=$work/$desktop.out
    runuser -u "$user" -- env -i PATH=/usr/bin:/bin USER="$user" LANG=C.UTF-8 \
        python3 "$bin/checks.py" "$desktop" "$work/$desktop" "$bin" 2>&1 | tee "$out" || true
    stop_user
    line=$(grep -E "^$desktop: [0-9]+ passed, [0-9]+ failed" "$out" | tail -1 || true)
    if [ -z "$line" ]; then
        echo "$desktop: the checks did not finish"
        failed=$((failed + 1))
        status=1
        continue
    fi
    p=$(sed -E 's/.*: ([0-9]+) passed.*/\1/' <<<"$line")
    f=$(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$line")
    passed=$((passed + p))
    failed=$((failed + f))
    [ "$f" -eq 0 ] || status=1
    echo "== $desktop took $(($(date +%s) - started)) s"
done
echo "desktops: $passed passed, $failed failed"
exit $status
