// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/color/css_color.h"

#include "model/color/color_names.h"
#include "model/color/css_spaces.h"
#include "model/color/oklab.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cmath>
#include <numbers>

namespace pigmentry {

namespace {

// One value of a colour function: a number, a percentage, an angle, or
// "none" (zero).
struct Value {
    double number = 0;
    bool percent = false;
    bool angle = false; // carried a unit of angle, turned into degrees
};

std::optional<Value> readValue(const QString &token)
{
    if (token == QLatin1String("none"))
        return Value{};
    static const QRegularExpression form(
        QStringLiteral(R"(^([+-]?(?:\d+\.?\d*|\.\d+)(?:e[+-]?\d+)?)(%|deg|rad|grad|turn)?$)"));
    const QRegularExpressionMatch match = form.match(token);
    if (!match.hasMatch())
        return std::nullopt;
    Value value{match.captured(1).toDouble(), false, false};
    if (!std::isfinite(value.number))
        return std::nullopt;
    const QString unit = match.captured(2);
    if (unit == QLatin1String("%"))
        value.percent = true;
    else if (!unit.isEmpty()) {
        value.angle = true;
        if (unit == QLatin1String("rad"))
            value.number *= 180.0 / std::numbers::pi;
        else if (unit == QLatin1String("grad"))
            value.number *= 0.9;
        else if (unit == QLatin1String("turn"))
            value.number *= 360.0;
    }
    return value;
}

// A value as a fraction: a percentage over 100, a number over its scale.
double fraction(const Value &v, double scale)
{
    return v.percent ? v.number / 100.0 : v.number / scale;
}

std::optional<RGBA> hex(const QString &digits)
{
    static const QRegularExpression hexDigits(QStringLiteral("^[0-9a-f]+$"));
    if (!hexDigits.match(digits).hasMatch())
        return std::nullopt;
    QString full = digits;
    if (digits.size() == 3 || digits.size() == 4) {
        full.clear();
        for (const QChar c : digits)
            full += QString(2, c);
    }
    if (full.size() != 6 && full.size() != 8)
        return std::nullopt;
    auto channel = [&full](int i) { return full.mid(i * 2, 2).toInt(nullptr, 16) / 255.0; };
    return RGBA{channel(0), channel(1), channel(2), full.size() == 8 ? channel(3) : 1.0};
}

// The arguments of a colour function: three values and an optional alpha,
// separated by commas throughout, or by spaces with "/" before the alpha.
std::optional<std::pair<QList<Value>, std::optional<Value>>> readArguments(const QString &inside)
{
    QStringList parts;
    std::optional<QString> alphaText;
    if (inside.contains(u',')) {
        parts = inside.split(u',');
        for (QString &part : parts)
            part = part.trimmed();
        if (parts.size() == 4)
            alphaText = parts.takeLast();
    } else {
        const QStringList halves = inside.split(u'/');
        if (halves.size() > 2)
            return std::nullopt;
        parts = halves.first().simplified().split(u' ', Qt::SkipEmptyParts);
        if (halves.size() == 2)
            alphaText = halves.last().trimmed();
    }
    if (parts.size() != 3)
        return std::nullopt;
    QList<Value> values;
    for (const QString &part : std::as_const(parts)) {
        const std::optional<Value> value = readValue(part);
        if (!value)
            return std::nullopt;
        values.append(*value);
    }
    std::optional<Value> alpha;
    if (alphaText) {
        alpha = readValue(*alphaText);
        if (!alpha || alpha->angle)
            return std::nullopt;
    }
    return std::pair{values, alpha};
}

double hue(const Value &v)
{
    return std::fmod(std::fmod(v.number, 360.0) + 360.0, 360.0);
}

RGBA fromHsl(double h, double s, double l, double alpha)
{
    s = std::clamp(s, 0.0, 1.0);
    l = std::clamp(l, 0.0, 1.0);
    auto f = [&](double n) {
        const double k = std::fmod(n + h / 30.0, 12.0);
        const double a = s * std::min(l, 1 - l);
        return l - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    return RGBA{f(0), f(8), f(4), alpha};
}

} // namespace

std::optional<RGBA> parseCssColor(const QString &text)
{
    const QString input = text.trimmed().toLower();
    if (input.isEmpty())
        return std::nullopt;
    if (input.startsWith(u'#'))
        return hex(input.mid(1));
    if ((input.size() == 6 || input.size() == 8) && hex(input))
        return hex(input);
    if (input == QLatin1String("transparent"))
        return RGBA{0, 0, 0, 0};
    if (const std::optional<RGBA> named = cssNamedColor(input))
        return named;

    static const QRegularExpression function(QStringLiteral(R"(^([a-z]+)\s*\((.*)\)$)"));
    const QRegularExpressionMatch match = function.match(input);
    if (!match.hasMatch())
        return std::nullopt;
    QString name = match.captured(1);
    QString inside = match.captured(2);
    // color(SPACE c1 c2 c3 [/ alpha]): the space is the first word.
    QString space;
    if (name == QLatin1String("color")) {
        static const QRegularExpression spaceName(QStringLiteral(R"(^\s*([a-z0-9-]+)\s+)"));
        const QRegularExpressionMatch word = spaceName.match(inside);
        if (!word.hasMatch() || inside.contains(u','))
            return std::nullopt;
        space = word.captured(1);
        inside = inside.mid(word.capturedEnd());
    }
    const auto arguments = readArguments(inside);
    if (!arguments)
        return std::nullopt;
    const QList<Value> &v = arguments->first;
    const double alpha = arguments->second ? std::clamp(fraction(*arguments->second, 1.0), 0.0, 1.0) : 1.0;
    RGBA color;
    if (name == QLatin1String("rgb") || name == QLatin1String("rgba")) {
        for (const Value &value : v) {
            if (value.angle)
                return std::nullopt;
        }
        color = RGBA{fraction(v[0], 255.0), fraction(v[1], 255.0), fraction(v[2], 255.0), alpha};
    } else if (name == QLatin1String("hsl") || name == QLatin1String("hsla")) {
        if (v[1].angle || v[2].angle || v[0].percent)
            return std::nullopt;
        color = fromHsl(hue(v[0]), fraction(v[1], 100.0), fraction(v[2], 100.0), alpha);
    } else if (name == QLatin1String("hwb")) {
        if (v[1].angle || v[2].angle || v[0].percent)
            return std::nullopt;
        double white = std::clamp(fraction(v[1], 100.0), 0.0, 1.0);
        double black = std::clamp(fraction(v[2], 100.0), 0.0, 1.0);
        if (white + black >= 1) {
            const double grey = white / (white + black);
            color = RGBA{grey, grey, grey, alpha};
        } else {
            const RGBA pure = fromHsl(hue(v[0]), 1.0, 0.5, alpha);
            auto mix = [&](double c) { return c * (1 - white - black) + white; };
            color = RGBA{mix(pure.r), mix(pure.g), mix(pure.b), alpha};
        }
    } else if (name == QLatin1String("oklab")) {
        if (v[0].angle || v[1].angle || v[2].angle)
            return std::nullopt;
        color = fromOklab({std::clamp(fraction(v[0], 1.0), 0.0, 1.0),
                           v[1].percent ? v[1].number / 100.0 * 0.4 : v[1].number,
                           v[2].percent ? v[2].number / 100.0 * 0.4 : v[2].number},
                          alpha);
    } else if (name == QLatin1String("oklch")) {
        if (v[0].angle || v[1].angle || v[2].percent)
            return std::nullopt;
        const double chroma = std::max(0.0, v[1].percent ? v[1].number / 100.0 * 0.4 : v[1].number);
        color = fromOklab(fromOklch({std::clamp(fraction(v[0], 1.0), 0.0, 1.0), chroma, hue(v[2])}), alpha);
    } else if (name == QLatin1String("lab")) {
        if (v[0].angle || v[1].angle || v[2].angle)
            return std::nullopt;
        color = fromCieLab(std::clamp(v[0].number, 0.0, 100.0), v[1].percent ? v[1].number * 1.25 : v[1].number,
                           v[2].percent ? v[2].number * 1.25 : v[2].number, alpha);
    } else if (name == QLatin1String("lch")) {
        if (v[0].angle || v[1].angle || v[2].percent)
            return std::nullopt;
        const double chroma = std::max(0.0, v[1].percent ? v[1].number * 1.5 : v[1].number);
        const double h = hue(v[2]) * std::numbers::pi / 180.0;
        color = fromCieLab(std::clamp(v[0].number, 0.0, 100.0), chroma * std::cos(h), chroma * std::sin(h), alpha);
    } else if (name == QLatin1String("color")) {
        for (const Value &value : v) {
            if (value.angle)
                return std::nullopt;
        }
        const std::optional<RGBA> converted =
            fromCssSpace(space, fraction(v[0], 1.0), fraction(v[1], 1.0), fraction(v[2], 1.0), alpha);
        if (!converted)
            return std::nullopt;
        color = *converted;
    } else {
        return std::nullopt;
    }
    return clampedToGamut(color);
}

QString cssColorExpected()
{
    return QStringLiteral(
        "Use a CSS color: a name, #RGB, #RRGGBB, #RRGGBBAA, rgb(), hsl(), hwb(), lab(), lch(), oklab(), oklch() "
        "or color().");
}

} // namespace pigmentry
