#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts where, and the Debian package made from it:
# unpacked into a scratch root, its pigmentry runs.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
expected=(
    bin/pigmentry
    share/applications/io.github.pigmentry.Pigmentry.desktop
    share/metainfo/io.github.pigmentry.Pigmentry.metainfo.xml
    share/icons/hicolor/scalable/apps/io.github.pigmentry.Pigmentry.svg
    share/man/man1/pigmentry.1.gz
    share/doc/pigmentry/copyright
    share/bash-completion/completions/pigmentry
    share/zsh/vendor-completions/_pigmentry
)
for size in 16 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/io.github.pigmentry.Pigmentry.png")
done
for file in "${expected[@]}"; do
    [ -s "$scratch/prefix/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
# Debian's own files are the package's alone.
for file in share/doc/pigmentry/changelog.gz share/lintian/overrides/pigmentry; do
    [ ! -e "$scratch/prefix/$file" ] || { echo "a plain install holds $file" >&2; exit 1; }
done
# The PNGs are the sizes their folders say.
file_size=$(od -An -tu1 -j16 -N8 "$scratch/prefix/share/icons/hicolor/48x48/apps/io.github.pigmentry.Pigmentry.png" | tr -s ' ')
[ "$file_size" = " 0 0 0 48 0 0 0 48" ] || { echo "the 48 px icon is $file_size" >&2; exit 1; }

command -v dpkg-deb >/dev/null || { echo "dpkg-deb is not installed" >&2; exit 1; }
(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/pigmentry_*_amd64.deb)
dpkg-deb --field "$deb" Depends | grep -q libqt6widgets6 || { echo "the package names no Qt dependency" >&2; exit 1; }
qt_abi=$(dpkg-query -W -f='${Provides}' libqt6core6 | grep -oE 'qt6-base-abi \(= [^)]+\)')
dpkg-deb --field "$deb" Depends | grep -qF "$qt_abi" \
    || { echo "the package does not depend on the Qt ABI it was built against" >&2; exit 1; }
contents=$(dpkg-deb --contents "$deb")
for file in usr/share/doc/pigmentry/changelog.gz usr/share/lintian/overrides/pigmentry; do
    grep -q "\./$file\$" <<<"$contents" || { echo "the package lacks $file" >&2; exit 1; }
done
# As a distribution's reviewer checks it: no error, no warning, and no
# informational tag that is not overridden with its reason in the package.
command -v lintian >/dev/null || { echo "lintian is not installed" >&2; exit 1; }
findings=$(lintian --info --tag-display-limit 0 "$deb" 2>/dev/null | grep -E '^[EWI]: ' || true)
[ -z "$findings" ] || { echo "lintian says:" >&2; echo "$findings" >&2; exit 1; }
dpkg -x "$deb" "$scratch/root"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/root/usr/bin/pigmentry" --version)
[ "$version" = "pigmentry 1.0" ] || { echo "the packaged pigmentry says: $version" >&2; exit 1; }
[ -f "$scratch/root/usr/share/applications/io.github.pigmentry.Pigmentry.desktop" ]
