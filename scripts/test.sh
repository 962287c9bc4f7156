#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs the whole suite, then builds and runs it again with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
asan_build=${2:-build-asan}
jobs=$(nproc)

run_suite() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j "$jobs"
    # Tests that need a display start their own Xvfb; none may use ours.
    env -u DISPLAY -u WAYLAND_DISPLAY ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== Suite"
# Warnings are errors here, and in CI, though not in a user's build.
run_suite "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DPIGMENTRY_WERROR=ON
echo "== Suite with AddressSanitizer and UndefinedBehaviorSanitizer"
run_suite "$asan_build" -DCMAKE_BUILD_TYPE=Debug -DPIGMENTRY_SANITIZE=ON -DBUILD_TESTING=ON -DPIGMENTRY_WERROR=ON
