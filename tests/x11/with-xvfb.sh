#!/usr/bin/env bash
# Runs one test on a private Xvfb display of its own. XVFB_SCREEN_ARGS may
# give other screens (for example two screens with Xinerama).
set -euo pipefail
command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed" >&2; exit 1; }
args=${XVFB_SCREEN_ARGS:-"-screen 0 1280x800x24"}
exec xvfb-run -a -s "$args -nolisten tcp" "$@"
