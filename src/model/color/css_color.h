// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QString>

#include <optional>

namespace pigmentry {

// A colour written in any sRGB syntax of CSS Color 4, in any case: a named
// colour (and "transparent"), #RGB, #RGBA, #RRGGBB, #RRGGBBAA (and the last
// two without the "#", as the commands always took them), rgb() and rgba(),
// hsl() and hsla() with commas or spaces, percentages and "/ alpha", hwb(),
// oklab() and oklch(). A colour outside sRGB is clamped into it. Nothing for
// anything else.
std::optional<RGBA> parseCssColor(const QString &text);

// What parseCssColor reads, for a refusal: one line.
QString cssColorExpected();

} // namespace pigmentry
