#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing Pigmentry need.
# This is the one list of packages; apt-get runs only when something is missing.
#   setup.sh           what building, running and the suite need
#   setup.sh desktops  also GNOME Shell and KWin with their portals, for
#                      the real desktops' suite (make test-desktops)
set -euo pipefail

packages=(
    # build
    build-essential cmake ninja-build pkg-config
    # the linker that lays out the start-up functions together, and callgrind,
    # which finds them (scripts/startup_order.sh)
    lld valgrind
    # toolkit
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev
    # the platform's screen geometry in device pixels (qpa/qplatformscreen.h)
    qt6-base-private-dev
    # zlib, to measure a gzipped SVG before it is drawn
    zlib1g-dev
    # translations: lupdate and lrelease, and their CMake functions
    qt6-l10n-tools qt6-tools-dev
    qt6-qpa-plugins libqt6dbus6
    # the Wayland platform plugin, for Wayland sessions, and a compositor
    # that runs headless without a GPU for the Wayland tests and the tour
    qt6-wayland weston
    # X11 specifics
    libxcb1-dev libxcb-xtest0-dev libxcb-shape0-dev libxcb-render0-dev libxcb-damage0-dev libxkbcommon-dev
    # tests and the tour: a virtual display, input, a tray host, a private bus
    xvfb xauth xdotool x11-utils x11-xserver-utils trayer dbus dbus-daemon dbus-x11
    # a window manager for the tests of window states (taskbar hints, focus)
    openbox
    # accessibility: the AT-SPI bus and its Python client, for the walk a
    # screen reader makes
    at-spi2-core python3 python3-pyatspi gir1.2-atspi-2.0
    # packaging: the validators of the desktop entry and the metainfo, and
    # the tools that compute a package's dependencies
    desktop-file-utils appstream dpkg-dev lintian
    # the shells whose completions are tested
    bash zsh
    # benchmarks: libjpeg-turbo's own decoder, the floor for decoding a JPEG scaled
    libjpeg-turbo-progs
    # the desktop portal, as most desktops have it: the suite must pass beside it
    xdg-desktop-portal
    # a dark desktop theme for the tour: Qt's GTK platform theme reads Adwaita's dark palette
    qt6-gtk-platformtheme
    # fonts so that text renders the same everywhere
    fonts-dejavu-core
    # a locale with a decimal comma for the tests, generated below
    locales
)

# The real desktops, headless, with their own portal back ends (about 1 GB).
desktop_packages=(
    # GNOME Shell 43, its portal, and PipeWire for its remote desktop's
    # absolute pointer motion
    gnome-shell xdg-desktop-portal-gnome pipewire
    # KWin 5.27, its portal (which needs Qt 5's Wayland plugin, Plasma's
    # workspace and these QML modules for its dialogs), kglobalaccel, and
    # KWin's fake-input protocol for a small input client of the suite's
    kwin-wayland xdg-desktop-portal-kde libkf5globalaccel-bin qtwayland5 plasma-workspace
    qml-module-org-kde-kirigami2 qml-module-qtquick-controls2 qml-module-qtquick-layouts
    plasma-wayland-protocols libwayland-dev
    # the checks: D-Bus from Python, and the accessibility client
    python3-gi gir1.2-glib-2.0 python3-pyatspi at-spi2-core
    # making the desktops' ordinary user
    passwd procps util-linux
)
if [ "${1:-}" = desktops ]; then
    packages+=("${desktop_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$p")
    fi
done

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
else
    sudo=(sudo)
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Codes must keep their full stops under a locale with a decimal comma.
if ! locale -a 2>/dev/null | grep -qiE '^de_DE\.utf-?8$'; then
    echo "Generating the locale de_DE.UTF-8"
    "${sudo[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
