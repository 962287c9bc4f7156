#!/usr/bin/env bash
# Starts Pigmentry from the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
exec "$build/pigmentry" "${@:2}"
