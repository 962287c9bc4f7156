// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QList>

namespace pigmentry {

// One step of a tint scale: 50, 100, 200 ... 900, 950, and its colour.
struct TintStep {
    int step;
    RGBA color;
};

// The scale of a colour, 50 first: each step at a fixed OKLCH lightness
// (50: 0.97, 100: 0.93, 200: 0.87, 300: 0.79, 400: 0.70, 500: 0.62, 600: 0.53,
// 700: 0.45, 800: 0.37, 900: 0.29, 950: 0.21) with the colour's hue and its
// chroma, reduced where needed to stay in sRGB; the colour itself stands in
// for the step nearest its own lightness. Steps are opaque.
QList<TintStep> tintScale(const RGBA &color);

} // namespace pigmentry
