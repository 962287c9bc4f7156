// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QPointF>
#include <QString>

namespace pigmentry {

// The ends of a linear gradient at an angle in degrees, CSS's way (0 towards
// the top, 90 towards the right), in unit coordinates of the rectangle:
// origin top left, y downwards.
struct GradientLine {
    QPointF start, end;
};
GradientLine gradientLine(double angle);

// "linear-gradient(90deg, #FF8000 0%, #800080 100%)": the angle truncated
// towards zero, both stops as opaque hex codes.
QString gradientCss(const RGBA &from, const RGBA &to, double angle);

} // namespace pigmentry
