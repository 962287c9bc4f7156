// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QList>
#include <QString>

#include <optional>

namespace pigmentry {

// One WCAG verdict: a level and the ratio it needs.
struct ContrastLevel {
    QString name;
    double minimum;
};

// AA normal 4.5, AA large 3.0, AAA normal 7.0, AAA large 4.5.
const QList<ContrastLevel> &contrastLevels();

// The WCAG contrast ratio of two colours, 1...21, the same either way round;
// alpha is ignored.
double contrastRatio(const RGBA &first, const RGBA &second);
// "4.54 : 1".
QString ratioText(double ratio);
// Whether a ratio reaches a level; the unrounded ratio counts.
inline bool passes(double ratio, const ContrastLevel &level)
{
    return ratio >= level.minimum;
}

// The text colour nearest to text that reaches minimum against background:
// its OKLCH lightness moved the least distance that passes, towards black or
// white, whichever passes with the smaller move (hue and chroma kept, chroma
// reduced only to stay in sRGB), at 8 bits a channel as the codes show it.
// Nothing where even black or white fails; text itself where it passes.
std::optional<RGBA> nearestPassingText(const RGBA &text, const RGBA &background, double minimum);

// Colour as seen with a colour-vision deficiency, for a preview only.
enum class ColorVision { Normal, Protanopia, Deuteranopia, Tritanopia, Achromatopsia };
// "Normal", "Protanopia", ... in the order of the cases.
const QStringList &colorVisionNames();
// The colour as that vision sees it, alpha kept: in linear sRGB, the
// Machado-Oliveira-Fernandes matrices at severity 1.0 for the three
// dichromacies, the luminance for achromatopsia; the result clamped to 0...1.
RGBA simulateColorVision(const RGBA &color, ColorVision vision);

} // namespace pigmentry
