// SPDX-License-Identifier: GPL-3.0-or-later
// The colour-code formats of RGBA::formatted: the thirteen, then OKLCH and
// OKLab.

#include "model/color/oklab.h"
#include "model/color/rgba.h"

#include <QHash>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace pigmentry {

namespace {

enum class Format {
    Hex,
    HexAlpha,
    Rgb,
    Rgba,
    Hsl,
    Hsv,
    CssVariable,
    SwiftUI,
    NSColor,
    Android,
    Flutter,
    Tailwind,
    Json,
    Oklch,
    Oklab
};

Format formatNamed(const QString &name)
{
    static const QHash<QString, Format> byName = [] {
        QHash<QString, Format> map;
        for (qsizetype i = 0; i < RGBA::formats().size(); ++i)
            map.insert(RGBA::formats().at(i), Format(i));
        return map;
    }();
    return byName.value(name, Format::Hex);
}

// The shortest decimal text that reads back as the same double, always with a
// fractional part and never with an exponent (1.0, 0.5, 0.0001,
// 0.5019607843137255). Gives the characters written; the longest (5e-324)
// takes 326.
int shortestDecimal(char *out, int size, double x)
{
    const auto result = std::to_chars(out, out + size - 2, x, std::chars_format::fixed);
    int n = int(result.ptr - out);
    if (std::find_if(out, result.ptr, [](char c) { return c == '.' || c == 'e' || c == 'n'; }) == result.ptr) {
        out[n++] = '.';
        out[n++] = '0';
    }
    return n;
}

// A number with a fixed count of decimals and always a full stop, whatever
// the C library's numeric locale: rounds the exact double with ties to even,
// as "%.Nf" does in the C locale.
struct Fixed {
    char text[400];
    Fixed(double x, int decimals)
    {
        const auto result = std::to_chars(text, text + sizeof text - 1, x, std::chars_format::fixed, decimals);
        *result.ptr = '\0';
    }
};

// The same without a sign on a value that rounds to zero: -0.00001 is 0.0000.
struct Signless : Fixed {
    Signless(double x, int decimals)
        : Fixed(x, decimals)
    {
        if (text[0] == '-'
            && std::all_of(text + 1, text + std::strlen(text), [](char c) { return c == '0' || c == '.'; }))
            std::memmove(text, text + 1, std::strlen(text));
    }
};

// OKLab of the colour, under the names the formats use.
struct OkLab {
    double lightness = 0, a = 0, b = 0;

    explicit OkLab(const RGBA &color)
    {
        const Oklab lab = toOklab(color);
        lightness = lab.l;
        a = lab.a;
        b = lab.b;
    }
};

// A CSS Color 4 code: the function, its three values, and " / 0.500" after
// them when the colour is not opaque.
QString cssColor4(const char *function, const Signless &first, const Signless &second, const Signless &third,
                  double alpha)
{
    QString code = QLatin1String(function) + u'(' + QLatin1String(first.text) + QLatin1String("% ")
        + QLatin1String(second.text) + u' ' + QLatin1String(third.text);
    if (alpha < 1.0)
        code += QLatin1String(" / ") + QLatin1String(Fixed(alpha, 3).text);
    return code + u')';
}

} // namespace

const QStringList &RGBA::formats()
{
    static const QStringList names = {
        QStringLiteral("HEX"),          QStringLiteral("HEX Alpha"), QStringLiteral("RGB"),
        QStringLiteral("RGBA"),         QStringLiteral("HSL"),       QStringLiteral("HSV"),
        QStringLiteral("CSS Variable"), QStringLiteral("SwiftUI"),   QStringLiteral("NSColor"),
        QStringLiteral("Android"),      QStringLiteral("Flutter"),   QStringLiteral("Tailwind"),
        QStringLiteral("JSON"),         QStringLiteral("OKLCH"),     QStringLiteral("OKLab"),
    };
    return names;
}

QString RGBA::formatted(const QString &format) const
{
    // Every code is printed into one buffer; decimals come from Fixed, never
    // from "%f", which would take the locale's decimal comma. Channel values
    // are clamped, the decimal components are raw.
    const int R = channelValue(r), G = channelValue(g), B = channelValue(b), A = channelValue(a);
    char buffer[448];
    const int size = sizeof buffer;
    int n = 0;
    switch (formatNamed(format)) {
    case Format::Hex: n = std::snprintf(buffer, size, "#%02X%02X%02X", R, G, B); break;
    case Format::HexAlpha: n = std::snprintf(buffer, size, "#%02X%02X%02X%02X", R, G, B, A); break;
    case Format::Rgb: n = std::snprintf(buffer, size, "rgb(%d, %d, %d)", R, G, B); break;
    case Format::Rgba: n = std::snprintf(buffer, size, "rgba(%d, %d, %d, %s)", R, G, B, Fixed(a, 3).text); break;
    case Format::Hsl: {
        const Triple t = hsl();
        n = std::snprintf(buffer, size, "hsl(%s, %s%%, %s%%)", Fixed(t.hue, 0).text,
                          Fixed(t.saturation * 100.0, 0).text, Fixed(t.third * 100.0, 0).text);
        break;
    }
    case Format::Hsv: {
        const Triple t = hsv();
        n = std::snprintf(buffer, size, "hsv(%s, %s%%, %s%%)", Fixed(t.hue, 0).text,
                          Fixed(t.saturation * 100.0, 0).text, Fixed(t.third * 100.0, 0).text);
        break;
    }
    case Format::CssVariable: n = std::snprintf(buffer, size, "--color: #%02X%02X%02X;", R, G, B); break;
    case Format::SwiftUI:
        n = std::snprintf(buffer, size, "Color(.sRGB, red: %s, green: %s, blue: %s, opacity: %s)", Fixed(r, 4).text,
                          Fixed(g, 4).text, Fixed(b, 4).text, Fixed(a, 4).text);
        break;
    case Format::NSColor:
        n = std::snprintf(buffer, size, "NSColor(srgbRed: %s, green: %s, blue: %s, alpha: %s)", Fixed(r, 4).text,
                          Fixed(g, 4).text, Fixed(b, 4).text, Fixed(a, 4).text);
        break;
    case Format::Android: // alpha first
        n = std::snprintf(buffer, size, "<color name=\"color\">#%02X%02X%02X%02X</color>", A, R, G, B);
        break;
    case Format::Flutter: // alpha first
        n = std::snprintf(buffer, size, "Color(0x%02X%02X%02X%02X)", A, R, G, B);
        break;
    case Format::Tailwind: n = std::snprintf(buffer, size, "bg-[#%02X%02X%02X]", R, G, B); break;
    case Format::Json:
        n = std::snprintf(buffer, size, "{\"hex\":\"#%02X%02X%02X\",\"alpha\":", R, G, B);
        n += shortestDecimal(buffer + n, size - n - 1, a);
        buffer[n++] = '}';
        break;
    case Format::Oklch: {
        const OkLab lab(*this);
        const double chroma = std::hypot(lab.a, lab.b);
        // The hue of a colour this close to grey is noise: written as 0.
        double hue = chroma < 0.0002 ? 0.0 : std::atan2(lab.b, lab.a) * 180.0 / 3.141592653589793;
        if (hue < 0)
            hue += 360.0;
        return cssColor4("oklch", Signless(lab.lightness * 100.0, 1), Signless(chroma, 4), Signless(hue, 2), a);
    }
    case Format::Oklab: {
        const OkLab lab(*this);
        return cssColor4("oklab", Signless(lab.lightness * 100.0, 1), Signless(lab.a, 4), Signless(lab.b, 4), a);
    }
    }
    return QString::fromLatin1(buffer, std::clamp(n, 0, size - 1));
}

} // namespace pigmentry
