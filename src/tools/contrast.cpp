// SPDX-License-Identifier: GPL-3.0-or-later
#include "contrast.h"

#include "model/color/oklab.h"

#include <QCoreApplication>

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace pigmentry {

namespace {

double toLinear(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double toEncoded(double c)
{
    return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}

using Matrix = double[3][3];

// G. M. Machado, M. M. Oliveira, L. A. F. Fernandes, "A Physiologically-based
// Model for Simulation of Color Vision Deficiency", IEEE TVCG 15(6), 2009:
// the matrices for severity 1.0, applied to linear RGB.
constexpr Matrix protanopia = {
    {0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}};
constexpr Matrix deuteranopia = {
    {0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}};
constexpr Matrix tritanopia = {
    {1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}};

} // namespace

const QList<ContrastLevel> &contrastLevels()
{
    static const QList<ContrastLevel> levels = {
        {QStringLiteral(QT_TRANSLATE_NOOP("ContrastLevel", "AA normal")), 4.5},
        {QStringLiteral(QT_TRANSLATE_NOOP("ContrastLevel", "AA large")), 3.0},
        {QStringLiteral(QT_TRANSLATE_NOOP("ContrastLevel", "AAA normal")), 7.0},
        {QStringLiteral(QT_TRANSLATE_NOOP("ContrastLevel", "AAA large")), 4.5},
    };
    return levels;
}

namespace {

// The colour at 8 bits a channel, as its code shows it.
RGBA asCoded(const RGBA &color)
{
    return RGBA{channelValue(color.r) / 255.0, channelValue(color.g) / 255.0, channelValue(color.b) / 255.0, color.a};
}

} // namespace

std::optional<RGBA> nearestPassingText(const RGBA &text, const RGBA &background, double minimum)
{
    if (contrastRatio(text, background) >= minimum)
        return text;
    const Oklch lch = toOklch(toOklab(text));
    auto at = [&](double lightness) { return asCoded(fittedOklch(lightness, lch.c, lch.h, text.a)); };
    auto reaches = [&](double lightness) { return contrastRatio(at(lightness), background) >= minimum; };
    // Along each way the contrast grows with the distance (the background's
    // own lightness lies behind), so the least passing move is found by
    // halving, then walked to the first step whose code passes.
    std::optional<std::pair<double, RGBA>> best;
    for (const double end : {0.0, 1.0}) {
        if (!reaches(end))
            continue;
        double near = lch.l, far = end;
        for (int step = 0; step < 40; ++step) {
            const double middle = (near + far) / 2;
            (reaches(middle) ? far : near) = middle;
        }
        const double move = std::abs(far - lch.l);
        if (!best || move < best->first)
            best = std::pair{move, at(far)};
    }
    if (!best)
        return std::nullopt;
    return best->second;
}

double contrastRatio(const RGBA &first, const RGBA &second)
{
    const double a = first.luminance(), b = second.luminance();
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QString ratioText(double ratio)
{
    // 'f' formatting in QString is the C locale's: always a full stop.
    return QString::number(ratio, 'f', 2) + QLatin1String(" : 1");
}

const QStringList &colorVisionNames()
{
    // Marked for translation here, translated where they are shown.
    static const QStringList names = {QStringLiteral(QT_TRANSLATE_NOOP("ColorVision", "Normal")),
                                      QStringLiteral(QT_TRANSLATE_NOOP("ColorVision", "Protanopia")),
                                      QStringLiteral(QT_TRANSLATE_NOOP("ColorVision", "Deuteranopia")),
                                      QStringLiteral(QT_TRANSLATE_NOOP("ColorVision", "Tritanopia")),
                                      QStringLiteral(QT_TRANSLATE_NOOP("ColorVision", "Achromatopsia"))};
    return names;
}

RGBA simulateColorVision(const RGBA &color, ColorVision vision)
{
    if (vision == ColorVision::Normal)
        return color;
    auto clamped = [](double c) { return std::clamp(std::isfinite(c) ? c : 0.0, 0.0, 1.0); };
    const double in[3] = {toLinear(clamped(color.r)), toLinear(clamped(color.g)), toLinear(clamped(color.b))};
    double out[3];
    if (vision == ColorVision::Achromatopsia) {
        const double y = 0.2126 * in[0] + 0.7152 * in[1] + 0.0722 * in[2];
        out[0] = out[1] = out[2] = y;
    } else {
        const Matrix &m = vision == ColorVision::Protanopia ? protanopia
            : vision == ColorVision::Deuteranopia           ? deuteranopia
                                                            : tritanopia;
        for (int row = 0; row < 3; ++row)
            out[row] = m[row][0] * in[0] + m[row][1] * in[1] + m[row][2] * in[2];
    }
    return RGBA{toEncoded(clamped(out[0])), toEncoded(clamped(out[1])), toEncoded(clamped(out[2])), color.a};
}

} // namespace pigmentry
