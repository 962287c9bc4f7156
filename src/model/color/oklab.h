// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

namespace pigmentry {

// OKLab (Björn Ottosson, 2020): lightness 0...1 and the a and b axes.
struct Oklab {
    double l = 0, a = 0, b = 0;
};

// OKLCH: the same lightness, chroma and hue in degrees.
struct Oklch {
    double l = 0, c = 0, h = 0;
};

// The sRGB transfer curve, both ways; a value outside 0...1 goes through it
// by its magnitude with its sign kept, as CSS Color 4 extends it.
double srgbToLinear(double c);
double srgbFromLinear(double c);

// From sRGB; components outside 0...1 go through the sRGB curve by their
// magnitude with their sign kept, as CSS Color 4 extends it.
Oklab toOklab(const RGBA &color);
// To sRGB, not clamped: a component outside 0...1 is out of gamut.
RGBA fromOklab(const Oklab &lab, double alpha = 1.0);
Oklch toOklch(const Oklab &lab);
Oklab fromOklch(const Oklch &lch);

// Whether the colour lies in sRGB, within a rounding hair.
bool inGamut(const RGBA &color);
// The colour with each component clamped to 0...1.
RGBA clampedToGamut(const RGBA &color);
// The colour of this lightness and hue with the most chroma up to c that
// lies in sRGB (lightness 0...1), found by halving.
RGBA fittedOklch(double l, double c, double h, double alpha = 1.0);

// Squared Euclidean distance in OKLab.
inline double distance2(const Oklab &x, const Oklab &y)
{
    return (x.l - y.l) * (x.l - y.l) + (x.a - y.a) * (x.a - y.a) + (x.b - y.b) * (x.b - y.b);
}

} // namespace pigmentry
