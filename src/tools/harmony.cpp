// SPDX-License-Identifier: GPL-3.0-or-later
#include "harmony.h"

#include <QCoreApplication>

#include <cmath>

namespace pigmentry {

const QList<HarmonyRule> &harmonyRules()
{
    static const QList<HarmonyRule> rules = {
        {QStringLiteral(QT_TRANSLATE_NOOP("HarmonyRule", "Complementary")), {0, 180}},
        // The base colour is the middle one.
        {QStringLiteral(QT_TRANSLATE_NOOP("HarmonyRule", "Analogous")), {-30, 0, 30}},
        {QStringLiteral(QT_TRANSLATE_NOOP("HarmonyRule", "Triadic")), {0, 120, 240}},
        {QStringLiteral(QT_TRANSLATE_NOOP("HarmonyRule", "Split complementary")), {0, 150, 210}},
        {QStringLiteral(QT_TRANSLATE_NOOP("HarmonyRule", "Tetradic")), {0, 90, 180, 270}},
    };
    return rules;
}

QList<RGBA> harmonyColors(const RGBA &base, const HarmonyRule &rule)
{
    const RGBA::Triple hsl = base.hsl();
    const double c = hsl.saturation * (1 - std::abs(2 * hsl.third - 1));
    const double m = hsl.third - c / 2;
    QList<RGBA> colors;
    colors.reserve(rule.offsets.size());
    for (const double offset : rule.offsets) {
        // fmod keeps the dividend's sign: -30 from 10 is -20, then 340.
        const double h = std::fmod(std::fmod(hsl.hue + offset, 360.0) + 360.0, 360.0) / 60.0;
        const double x = c * (1 - std::abs((h - 2 * std::trunc(h / 2)) - 1));
        double r = 0, g = 0, b = 0;
        if (h < 1) {
            r = c, g = x;
        } else if (h < 2) {
            r = x, g = c;
        } else if (h < 3) {
            g = c, b = x;
        } else if (h < 4) {
            g = x, b = c;
        } else if (h < 5) {
            r = x, b = c;
        } else {
            r = c, b = x;
        }
        colors.append(RGBA{r + m, g + m, b + m, 1.0});
    }
    return colors;
}

} // namespace pigmentry
