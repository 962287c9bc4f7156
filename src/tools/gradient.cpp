// SPDX-License-Identifier: GPL-3.0-or-later
#include "gradient.h"

#include <cmath>

namespace pigmentry {

GradientLine gradientLine(double angle)
{
    const double theta = angle * 3.141592653589793 / 180.0;
    const double s = std::sin(theta), c = std::cos(theta);
    return {QPointF(0.5 - 0.5 * s, 0.5 + 0.5 * c), QPointF(0.5 + 0.5 * s, 0.5 - 0.5 * c)};
}

QString gradientCss(const RGBA &from, const RGBA &to, double angle)
{
    // Whole degrees toward zero; past a full turn either way the angle is
    // reduced to the same direction within one, so that any finite value
    // fits the integer it is written as.
    double whole = std::isfinite(angle) ? std::trunc(angle) : 0.0;
    if (std::abs(whole) > 360)
        whole = std::fmod(whole, 360.0);
    const QString degrees = QString::number(qint64(whole));
    return QStringLiteral("linear-gradient(%1deg, %2 0%, %3 100%)").arg(degrees, from.hex(), to.hex());
}

} // namespace pigmentry
