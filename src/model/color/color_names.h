// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QString>

#include <array>
#include <optional>

namespace pigmentry {

// A named colour of a list: its name and 0xRRGGBB.
struct NamedColor {
    const char *name;
    unsigned rgb;
};

namespace color_name_data {
// CSS Color 4's named colours, and the xkcd colour survey's names.
extern const std::array<NamedColor, 148> css;
extern const std::array<NamedColor, 949> xkcd;
} // namespace color_name_data

// What a colour is called: the CSS name of a colour that has one (in lower
// case; of aliases the first in CSS's list), else the name nearest to it in
// OKLab among the CSS names and the xkcd survey's ("Sea blue": first letter
// in upper case). Alpha is not considered.
QString colorName(const RGBA &color);
// The colour a CSS name stands for, in any case; nothing for another word.
std::optional<RGBA> cssNamedColor(const QString &name);

} // namespace pigmentry
