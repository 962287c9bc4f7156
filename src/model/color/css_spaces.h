// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QString>

#include <optional>

namespace pigmentry {

// A colour given in one of the predefined spaces of CSS's color() (srgb,
// srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50,
// xyz-d65), as sRGB, not clamped; nothing for a space of another name.
std::optional<RGBA> fromCssSpace(const QString &space, double c1, double c2, double c3, double alpha);
// CIE Lab under D50, as CSS's lab() and lch() give it, as sRGB, not clamped.
RGBA fromCieLab(double lightness, double a, double b, double alpha);

} // namespace pigmentry
