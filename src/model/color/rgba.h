// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <optional>

namespace pigmentry {

// A colour as four doubles: r, g, b gamma-encoded sRGB and a the opacity, all
// nominally 0...1. Components are never clamped when a value is made or
// stored; clamping happens only where a channel value or a code is produced.
struct RGBA {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    double a = 1.0;

    // Parses "#RRGGBB" or "#RRGGBBAA" (alpha last); the "#" is optional and
    // white space around the text is ignored. Nothing for anything else.
    static std::optional<RGBA> fromHex(const QString &text);

    struct Triple {
        double hue = 0.0; // degrees, 0 <= hue < 360
        double saturation = 0.0; // 0...1
        double third = 0.0; // lightness (hsl) or value (hsv), 0...1
    };
    Triple hsl() const;
    Triple hsv() const;

    // WCAG relative luminance, 0...1; alpha is ignored.
    double luminance() const;

    // "#RRGGBB" from the channel values; alpha is never shown.
    QString hex() const;

    // The colour code in one of the names of formats(); any other name gives
    // the "HEX" code.
    QString formatted(const QString &format) const;
    static const QStringList &formats();

    // Strict: all four keys present and numbers; other keys are ignored.
    static std::optional<RGBA> fromJson(const QJsonValue &value, QString *error = nullptr);

    friend bool operator==(const RGBA &x, const RGBA &y)
    {
        return x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a;
    }
};

// The 8-bit value of a component: 0 when it is negative or NaN, otherwise
// min(x, 1) * 255 rounded to nearest with halves away from zero.
int channelValue(double component);

// Text over a swatch is black when black has the higher WCAG contrast ratio
// against it than white: (L + 0.05) / 0.05 > 1.05 / (L + 0.05).
bool prefersDarkForeground(const RGBA &color);

size_t qHash(const RGBA &color, size_t seed = 0) noexcept;

} // namespace pigmentry

template <>
struct std::hash<pigmentry::RGBA> {
    size_t operator()(const pigmentry::RGBA &color) const noexcept { return pigmentry::qHash(color); }
};
