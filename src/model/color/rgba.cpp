// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/color/rgba.h"

#include <QCoreApplication>
#include <QHashFunctions>
#include <QJsonValue>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace pigmentry {

namespace {

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
}

// The hue and the extremes shared by hsv and hsl.
struct Extremes {
    double max;
    double min;
    double hue;
};

Extremes extremes(const RGBA &c)
{
    // The comparison order matters for NaN and for ties: a colour whose red
    // and green are both the maximum takes the red branch.
    double max = c.r <= c.g ? c.g : c.r;
    max = max <= c.b ? c.b : max;
    double min = c.g < c.r ? c.g : c.r;
    min = c.b < min ? c.b : min;
    const double delta = max - min;

    double h = 0.0;
    if (delta != 0.0) {
        if (max == c.r)
            h = std::fmod((c.g - c.b) / delta, 6.0);
        else if (max == c.g)
            h = (c.b - c.r) / delta + 2.0;
        else
            h = (c.r - c.g) / delta + 4.0;
    }
    // +360 lifts the negative results of the red branch.
    return {max, min, std::fmod(h * 60.0 + 360.0, 360.0)};
}

double linearised(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

int channelValue(double component)
{
    if (!(component >= 0.0))
        return 0;
    return static_cast<int>(std::round(std::min(component, 1.0) * 255.0));
}

bool prefersDarkForeground(const RGBA &color)
{
    const double l = color.luminance();
    return (l + 0.05) * (l + 0.05) > 0.05 * 1.05;
}

std::optional<RGBA> RGBA::fromHex(const QString &text)
{
    QStringView digits = QStringView(text).trimmed();
    if (digits.startsWith(u'#'))
        digits = digits.mid(1);
    // Only ASCII hex digits are accepted, so counting UTF-16 units here counts
    // the same as counting user-perceived characters.
    if (digits.size() != 6 && digits.size() != 8)
        return std::nullopt;
    if (!std::all_of(digits.begin(), digits.end(), isHexDigit))
        return std::nullopt;

    bool ok = false;
    const quint64 n = digits.toULongLong(&ok, 16);
    if (!ok)
        return std::nullopt;
    auto byte = [n](int shift) { return static_cast<double>((n >> shift) & 0xFF) / 255.0; };
    if (digits.size() == 6)
        return RGBA{byte(16), byte(8), byte(0), 1.0};
    return RGBA{byte(24), byte(16), byte(8), byte(0)};
}

RGBA::Triple RGBA::hsv() const
{
    const Extremes e = extremes(*this);
    const double saturation = e.max == 0.0 ? 0.0 : (e.max - e.min) / e.max;
    return {e.hue, saturation, e.max};
}

RGBA::Triple RGBA::hsl() const
{
    const Extremes e = extremes(*this);
    const double lightness = (e.max + e.min) * 0.5;
    const double saturation = e.max == e.min ? 0.0 : (e.max - e.min) / (1.0 - std::fabs(2.0 * lightness - 1.0));
    return {e.hue, saturation, lightness};
}

double RGBA::luminance() const
{
    // The sRGB standard's threshold 0.04045, not WCAG 2.0's 0.03928.
    return 0.2126 * linearised(r) + 0.7152 * linearised(g) + 0.0722 * linearised(b);
}

QString RGBA::hex() const
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", channelValue(r), channelValue(g), channelValue(b));
    return QString::fromLatin1(buffer, 7);
}

std::optional<RGBA> RGBA::fromJson(const QJsonValue &value, QString *error)
{
    auto fail = [error](const QString &message) -> std::optional<RGBA> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (!value.isObject())
        return fail(QCoreApplication::translate("LibraryFile", "a color is not an object"));
    const QJsonObject object = value.toObject();
    double components[4];
    const char *keys[4] = {"r", "g", "b", "a"};
    for (int i = 0; i < 4; ++i) {
        // One lookup without a copy of the key: a library reads thousands.
        const QLatin1StringView key(keys[i]);
        const auto found = object.constFind(key);
        if (found == object.constEnd())
            return fail(QCoreApplication::translate("LibraryFile", "a color has no key \"%1\"").arg(key));
        const QJsonValue component = *found;
        if (!component.isDouble())
            return fail(QCoreApplication::translate("LibraryFile", "the color key \"%1\" is not a number").arg(key));
        components[i] = component.toDouble();
        if (!std::isfinite(components[i]))
            return fail(
                QCoreApplication::translate("LibraryFile", "the color key \"%1\" is not a finite number").arg(key));
    }
    return RGBA{components[0], components[1], components[2], components[3]};
}

size_t qHash(const RGBA &color, size_t seed) noexcept
{
    // Each component by its bit pattern, with -0 folded onto +0 so that equal
    // values hash equally.
    auto bits = [](double x) { return std::bit_cast<quint64>(x == 0.0 ? 0.0 : x); };
    return qHashMulti(seed, bits(color.r), bits(color.g), bits(color.b), bits(color.a));
}

} // namespace pigmentry
