#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entry and the AppStream metainfo pass their validators with no
# error and no warning.
set -euo pipefail
resources=$1
command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate is not installed" >&2; exit 1; }
command -v appstreamcli >/dev/null || { echo "appstreamcli is not installed" >&2; exit 1; }
output=$(desktop-file-validate "$resources/io.github.pigmentry.Pigmentry.desktop" 2>&1)
if [ -n "$output" ]; then
    echo "$output"
    exit 1
fi
appstreamcli validate --no-net --strict "$resources/io.github.pigmentry.Pigmentry.metainfo.xml"
