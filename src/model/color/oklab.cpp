// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/color/oklab.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pigmentry {

double srgbToLinear(double c)
{
    const double magnitude = std::abs(c);
    const double value = magnitude <= 0.04045 ? magnitude / 12.92 : std::pow((magnitude + 0.055) / 1.055, 2.4);
    return std::copysign(value, c);
}

double srgbFromLinear(double c)
{
    const double magnitude = std::abs(c);
    const double value = magnitude <= 0.0031308 ? 12.92 * magnitude : 1.055 * std::pow(magnitude, 1.0 / 2.4) - 0.055;
    return std::copysign(value, c);
}

Oklab toOklab(const RGBA &color)
{
    const double r = srgbToLinear(color.r), g = srgbToLinear(color.g), b = srgbToLinear(color.b);
    // Linear sRGB to LMS, then the cube roots to Lab.
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

RGBA fromOklab(const Oklab &lab, double alpha)
{
    const double l = std::pow(lab.l + 0.3963377774 * lab.a + 0.2158037573 * lab.b, 3);
    const double m = std::pow(lab.l - 0.1055613458 * lab.a - 0.0638541728 * lab.b, 3);
    const double s = std::pow(lab.l - 0.0894841775 * lab.a - 1.2914855480 * lab.b, 3);
    return RGBA{srgbFromLinear(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
                srgbFromLinear(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
                srgbFromLinear(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s), alpha};
}

Oklch toOklch(const Oklab &lab)
{
    double hue = std::atan2(lab.b, lab.a) * 180.0 / std::numbers::pi;
    if (hue < 0)
        hue += 360.0;
    return {lab.l, std::hypot(lab.a, lab.b), hue};
}

Oklab fromOklch(const Oklch &lch)
{
    const double radians = lch.h * std::numbers::pi / 180.0;
    return {lch.l, lch.c * std::cos(radians), lch.c * std::sin(radians)};
}

bool inGamut(const RGBA &color)
{
    constexpr double hair = 1e-6;
    return std::min({color.r, color.g, color.b}) >= -hair && std::max({color.r, color.g, color.b}) <= 1 + hair;
}

RGBA clampedToGamut(const RGBA &color)
{
    auto clamp = [](double c) { return std::isfinite(c) ? std::clamp(c, 0.0, 1.0) : 0.0; };
    return RGBA{clamp(color.r), clamp(color.g), clamp(color.b), clamp(color.a)};
}

RGBA fittedOklch(double l, double c, double h, double alpha)
{
    l = std::clamp(l, 0.0, 1.0);
    // A grey's chroma is a rounding error of the matrices, which would tint
    // the result by a step of a channel.
    if (c < 5e-4)
        c = 0;
    RGBA color = fromOklab(fromOklch({l, c, h}), alpha);
    if (inGamut(color))
        return clampedToGamut(color);
    double low = 0.0, high = c;
    for (int step = 0; step < 24; ++step) {
        const double middle = (low + high) / 2;
        if (inGamut(fromOklab(fromOklch({l, middle, h}), alpha)))
            low = middle;
        else
            high = middle;
    }
    return clampedToGamut(fromOklab(fromOklch({l, low, h}), alpha));
}

} // namespace pigmentry
