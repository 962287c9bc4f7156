// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QList>
#include <QString>

namespace pigmentry {

// One colour-wheel relationship: its name and the hue offsets in degrees, in
// the order of display.
struct HarmonyRule {
    QString name;
    QList<double> offsets;
};

// Complementary, Analogous, Triadic, Split complementary, Tetradic.
const QList<HarmonyRule> &harmonyRules();

// The rule's colours for a base colour: its HSL hue turned by each offset,
// saturation and lightness kept, always opaque; no clamping or rounding.
QList<RGBA> harmonyColors(const RGBA &base, const HarmonyRule &rule);

} // namespace pigmentry
