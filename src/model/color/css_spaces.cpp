// SPDX-License-Identifier: GPL-3.0-or-later
// The conversions of CSS Color 4 (its sample code's matrices): each space to
// CIE XYZ, XYZ under D50 to D65 by the Bradford transform, and XYZ to
// linear sRGB.
#include "model/color/css_spaces.h"

#include "model/color/oklab.h"

#include <array>
#include <cmath>

namespace pigmentry {

namespace {

using Vector = std::array<double, 3>;
using Matrix = std::array<Vector, 3>;

Vector times(const Matrix &m, const Vector &v)
{
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2], m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

constexpr Matrix xyzToLinearSrgb{{{3.2409699419045226, -1.537383177570094, -0.4986107602930034},
                                  {-0.9692436362808796, 1.8759675015077202, 0.04155505740717559},
                                  {0.05563007969699366, -0.20397695888897652, 1.0569715142428786}}};

constexpr Matrix d50ToD65{{{0.955473421488075, -0.02309845494876471, 0.06325924320057072},
                           {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
                           {0.012314014864481998, -0.020507649298898964, 1.330365926242124}}};

constexpr Matrix linearP3ToXyz{{{608311.0 / 1250200, 189793.0 / 714400, 198249.0 / 1000160},
                                {35783.0 / 156275, 247089.0 / 357200, 198249.0 / 2500400},
                                {0, 32229.0 / 714400, 5220557.0 / 5000800}}};

constexpr Matrix linearA98ToXyz{{{573536.0 / 994567, 263643.0 / 1420810, 187206.0 / 994567},
                                 {591459.0 / 1989134, 6239551.0 / 9945670, 374412.0 / 4972835},
                                 {53769.0 / 1989134, 351524.0 / 4972835, 4929758.0 / 4972835}}};

// To XYZ under D50, ProPhoto's own white.
constexpr Matrix linearProPhotoToXyzD50{{{0.7977666449006423, 0.13518129740053308, 0.0313477341283922},
                                         {0.2880748288194013, 0.711835234241873, 0.00008993693872564},
                                         {0, 0, 0.8251046025104602}}};

constexpr Matrix linearRec2020ToXyz{{{63426534.0 / 99577255, 20160776.0 / 139408157, 47086771.0 / 278816314},
                                     {26158966.0 / 99577255, 472592308.0 / 697040785, 8267143.0 / 139408157},
                                     {0, 19567812.0 / 697040785, 295819943.0 / 278816314}}};

RGBA fromXyzD65(const Vector &xyz, double alpha)
{
    const Vector rgb = times(xyzToLinearSrgb, xyz);
    return {srgbFromLinear(rgb[0]), srgbFromLinear(rgb[1]), srgbFromLinear(rgb[2]), alpha};
}

// Each transfer curve applied by magnitude, with the sign kept.
template <typename Curve>
Vector linearised(const Vector &v, Curve curve)
{
    return {std::copysign(curve(std::abs(v[0])), v[0]), std::copysign(curve(std::abs(v[1])), v[1]),
            std::copysign(curve(std::abs(v[2])), v[2])};
}

} // namespace

std::optional<RGBA> fromCssSpace(const QString &space, double c1, double c2, double c3, double alpha)
{
    const Vector v{c1, c2, c3};
    if (space == QLatin1String("srgb"))
        return RGBA{c1, c2, c3, alpha};
    if (space == QLatin1String("srgb-linear"))
        return RGBA{srgbFromLinear(c1), srgbFromLinear(c2), srgbFromLinear(c3), alpha};
    if (space == QLatin1String("display-p3"))
        return fromXyzD65(times(linearP3ToXyz, linearised(v, srgbToLinear)), alpha);
    if (space == QLatin1String("a98-rgb"))
        return fromXyzD65(times(linearA98ToXyz, linearised(v, [](double c) { return std::pow(c, 563.0 / 256); })),
                          alpha);
    if (space == QLatin1String("prophoto-rgb")) {
        const Vector linear = linearised(v, [](double c) { return c <= 16.0 / 512 ? c / 16 : std::pow(c, 1.8); });
        return fromXyzD65(times(d50ToD65, times(linearProPhotoToXyzD50, linear)), alpha);
    }
    if (space == QLatin1String("rec2020")) {
        constexpr double a = 1.09929682680944, b = 0.018053968510807;
        const Vector linear =
            linearised(v, [](double c) { return c < b * 4.5 ? c / 4.5 : std::pow((c + a - 1) / a, 1 / 0.45); });
        return fromXyzD65(times(linearRec2020ToXyz, linear), alpha);
    }
    if (space == QLatin1String("xyz") || space == QLatin1String("xyz-d65"))
        return fromXyzD65(v, alpha);
    if (space == QLatin1String("xyz-d50"))
        return fromXyzD65(times(d50ToD65, v), alpha);
    return std::nullopt;
}

RGBA fromCieLab(double lightness, double a, double b, double alpha)
{
    constexpr double kappa = 24389.0 / 27, epsilon = 216.0 / 24389;
    constexpr Vector white{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
    const double f1 = (lightness + 16) / 116;
    const double f0 = a / 500 + f1;
    const double f2 = f1 - b / 200;
    const double x = std::pow(f0, 3) > epsilon ? std::pow(f0, 3) : (116 * f0 - 16) / kappa;
    const double y = lightness > kappa * epsilon ? std::pow(f1, 3) : lightness / kappa;
    const double z = std::pow(f2, 3) > epsilon ? std::pow(f2, 3) : (116 * f2 - 16) / kappa;
    return fromXyzD65(times(d50ToD65, {x * white[0], y * white[1], z * white[2]}), alpha);
}

} // namespace pigmentry
