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
    const double whole = std::trunc(angle);
    const QString degrees = std::isfinite(whole) ? QString::number(qint64(whole)) : QStringLiteral("0");
    return QStringLiteral("linear-gradient(%1deg, %2 0%, %3 100%)").arg(degrees, from.hex(), to.hex());
}

} // namespace pigmentry
