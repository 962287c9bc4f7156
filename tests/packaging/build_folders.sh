#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The user's build never takes the suite's options: `make test` builds in a
# folder of its own, and the build that `make` and `make run` configure
# turns warnings-as-errors off even where a cache says otherwise.
set -euo pipefail
root=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$root"

suite=$(make -n test | grep 'scripts/test.sh')
user=$(make -n build BUILD="$scratch/user" | grep -- '-B ')
case "$suite" in *" $scratch/user "*) echo "the suite builds in the user's folder" >&2; exit 1 ;; esac
[ "$(make -n | grep -c 'setup.sh' || true)" = 0 ] || { echo "a bare make runs the set-up" >&2; exit 1; }
[ -n "$user" ] || { echo "make build configures nothing" >&2; exit 1; }

# A folder that a test run configured with -Werror, then the user's build.
cmake -S . -B "$scratch/user" -G Ninja -DBUILD_TESTING=ON -DPIGMENTRY_WERROR=ON >/dev/null
eval "$user" >/dev/null
grep -q '^PIGMENTRY_WERROR:BOOL=OFF$' "$scratch/user/CMakeCache.txt" \
    || { echo "the user's build keeps -Werror" >&2; exit 1; }
grep -q '^BUILD_TESTING:BOOL=OFF$' "$scratch/user/CMakeCache.txt" \
    || { echo "the user's build builds the tests" >&2; exit 1; }
echo "1 passed, 0 failed"
