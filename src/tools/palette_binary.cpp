// SPDX-License-Identifier: GPL-3.0-or-later
// The binary palette files of Adobe's programs: Adobe Swatch Exchange (read
// and written) and Photoshop's swatches (read), with the colour models they
// hold turned into sRGB.
#include "palette_formats.h"

#include "model/color/plain_text.h"

#include <QCoreApplication>
#include <QLocale>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace pigmentry {

namespace {

// Counts as a reader meets them: "4,000".
QString number(qint64 n)
{
    return QLocale(QLocale::English).toString(n);
}

double clamped(double v)
{
    return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0;
}

double encoded(double linear)
{
    linear = clamped(linear);
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

// Big-endian fields read from the front of the bytes, each checked against
// what remains.
class Cursor {
public:
    explicit Cursor(const QByteArray &bytes)
        : bytes_(bytes)
    { }
    qsizetype remaining() const { return bytes_.size() - at_; }
    qsizetype offset() const { return at_; }
    bool has(qint64 n) const { return n >= 0 && n <= remaining(); }
    quint16 u16()
    {
        const quint16 v = qFromBigEndian<quint16>(bytes_.constData() + at_);
        at_ += 2;
        return v;
    }
    quint32 u32()
    {
        const quint32 v = qFromBigEndian<quint32>(bytes_.constData() + at_);
        at_ += 4;
        return v;
    }
    float f32()
    {
        const quint32 bits = u32();
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    QByteArray take(qsizetype n)
    {
        const QByteArray part = bytes_.mid(at_, n);
        at_ += n;
        return part;
    }
    // A name of length UTF-16 code units, its terminating zero among them.
    QString utf16(qsizetype units)
    {
        QString text(units, Qt::Uninitialized);
        for (qsizetype i = 0; i < units; ++i)
            text[i] = QChar(u16());
        while (text.endsWith(QChar(0)))
            text.chop(1);
        return validText(text);
    }

private:
    const QByteArray &bytes_;
    qsizetype at_ = 0;
};

std::nullopt_t failed(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return std::nullopt;
}

void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToBigEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToBigEndian(v, b);
    out.append(b, 4);
}

// An ASE name: its length in UTF-16 code units with the terminating zero,
// the units, the zero. A name longer than the field holds is cut.
QByteArray aseName(const QString &name)
{
    const QString kept = name.left(0xFFFE);
    QByteArray out;
    put16(out, quint16(kept.size() + 1));
    for (const QChar c : kept)
        put16(out, c.unicode());
    put16(out, 0);
    return out;
}

void aseBlock(QByteArray &out, quint16 type, const QByteArray &body)
{
    put16(out, type);
    put32(out, quint32(body.size()));
    out.append(body);
}

constexpr quint16 aseGroupStart = 0xC001;
constexpr quint16 aseGroupEnd = 0xC002;
constexpr quint16 aseColor = 0x0001;

} // namespace

RGBA fromCmyk(double c, double m, double y, double k)
{
    const double white = 1.0 - clamped(k);
    return RGBA{(1.0 - clamped(c)) * white, (1.0 - clamped(m)) * white, (1.0 - clamped(y)) * white, 1.0};
}

RGBA fromLabD50(double l, double a, double b)
{
    if (!std::isfinite(l) || !std::isfinite(a) || !std::isfinite(b))
        return RGBA{0, 0, 0, 1};
    const double fy = (l + 16.0) / 116.0;
    const double fx = fy + a / 500.0;
    const double fz = fy - b / 200.0;
    auto inverse = [](double t) {
        constexpr double delta = 6.0 / 29.0;
        return t > delta ? t * t * t : 3.0 * delta * delta * (t - 4.0 / 29.0);
    };
    // The D50 white point.
    const double x50 = 0.96422 * inverse(fx);
    const double y50 = 1.0 * inverse(fy);
    const double z50 = 0.82521 * inverse(fz);
    // Bradford from D50 to D65.
    const double x = 0.9555766 * x50 - 0.0230393 * y50 + 0.0631636 * z50;
    const double y = -0.0282895 * x50 + 1.0099416 * y50 + 0.0210077 * z50;
    const double z = 0.0122982 * x50 - 0.0204830 * y50 + 1.3299098 * z50;
    // XYZ (D65) to linear sRGB.
    const double r = 3.2404542 * x - 1.5371385 * y - 0.4985314 * z;
    const double g = -0.9692660 * x + 1.8760108 * y + 0.0415560 * z;
    const double bl = 0.0556434 * x - 0.2040259 * y + 1.0572252 * z;
    return RGBA{encoded(r), encoded(g), encoded(bl), 1.0};
}

RGBA fromHsb(double hue, double saturation, double brightness)
{
    const double h = std::isfinite(hue) ? std::fmod(std::fmod(hue, 360.0) + 360.0, 360.0) / 60.0 : 0.0;
    const double s = clamped(saturation);
    const double v = clamped(brightness);
    const double c = v * s;
    const double x = c * (1.0 - std::abs(std::fmod(h, 2.0) - 1.0));
    const double m = v - c;
    const std::array<std::array<double, 3>, 6> sectors{
        {{c, x, 0}, {x, c, 0}, {0, c, x}, {0, x, c}, {x, 0, c}, {c, 0, x}}};
    const auto &rgb = sectors.at(std::min<size_t>(5, size_t(h)));
    return RGBA{clamped(rgb[0] + m), clamped(rgb[1] + m), clamped(rgb[2] + m), 1.0};
}

std::optional<Palette> decodeAse(const QByteArray &bytes, const QString &fallbackName, QString *error)
{
    Cursor in(bytes);
    if (!in.has(12) || !bytes.startsWith("ASEF"))
        return failed(error, QCoreApplication::translate("PaletteFiles", "the file does not start with an ASE header"));
    in.take(4);
    const quint16 major = in.u16();
    in.u16();
    if (major != 1)
        return failed(error, QCoreApplication::translate("PaletteFiles", "the ASE version is %1, not 1").arg(major));
    const quint32 count = in.u32();
    // A block takes six bytes at least.
    if (qint64(count) * 6 > in.remaining())
        return failed(error,
                      QCoreApplication::translate("PaletteFiles", "the header claims %1 entries but %2 bytes remain")
                          .arg(number(count), number(in.remaining())));
    Palette palette{QUuid::createUuid(), QString(), {}, QString(), {}};
    bool named = false;
    for (quint32 entry = 1; entry <= count; ++entry) {
        if (!in.has(6))
            return failed(error, QCoreApplication::translate("PaletteFiles", "entry %1 is cut short").arg(entry));
        const quint16 type = in.u16();
        const quint32 length = in.u32();
        if (!in.has(length))
            return failed(error,
                          QCoreApplication::translate("PaletteFiles", "entry %1 claims %2 bytes but %3 remain")
                              .arg(entry)
                              .arg(number(length), number(in.remaining())));
        const QByteArray body = in.take(length);
        if (type == aseGroupEnd || (type != aseGroupStart && type != aseColor))
            continue;
        Cursor block(body);
        QString name;
        if (block.has(2)) {
            const quint16 units = block.u16();
            if (!block.has(qint64(units) * 2))
                return failed(error,
                              QCoreApplication::translate("PaletteFiles",
                                                          "entry %1 claims a name of %2 characters but %3 bytes remain")
                                  .arg(entry)
                                  .arg(number(units), number(block.remaining())));
            name = block.utf16(units);
        } else if (type == aseColor) {
            return failed(error, QCoreApplication::translate("PaletteFiles", "entry %1 has no name field").arg(entry));
        }
        if (type == aseGroupStart) {
            // The first group names the palette.
            if (!named && !name.isEmpty()) {
                palette.name = name;
                named = true;
            }
            continue;
        }
        if (!block.has(4))
            return failed(error,
                          QCoreApplication::translate("PaletteFiles", "entry %1 has no color model").arg(entry));
        const QByteArray model = block.take(4);
        const qsizetype values = model == "RGB " || model == "LAB " ? 3 : model == "CMYK" ? 4 : model == "Gray" ? 1 : 0;
        if (values == 0)
            return failed(error,
                          QCoreApplication::translate(
                              "PaletteFiles", "entry %1 has the color model \"%2\", not RGB, CMYK, LAB or Gray")
                              .arg(entry)
                              .arg(QString::fromLatin1(model.toHex())));
        if (!block.has(values * 4))
            return failed(error,
                          QCoreApplication::translate("PaletteFiles", "entry %1 claims %2 values but %3 bytes remain")
                              .arg(entry)
                              .arg(values)
                              .arg(number(block.remaining())));
        std::array<double, 4> v{};
        for (qsizetype i = 0; i < values; ++i) {
            v[size_t(i)] = block.f32();
            if (!std::isfinite(v[size_t(i)]))
                return failed(error,
                              QCoreApplication::translate("PaletteFiles", "entry %1 has a value that is not a number")
                                  .arg(entry));
        }
        if (palette.colors.size() == mostPaletteColors)
            return failed(error,
                          QCoreApplication::translate("PaletteFiles", "it has more than %1 colors")
                              .arg(number(mostPaletteColors)));
        RGBA color;
        if (model == "RGB ")
            color = RGBA{clamped(v[0]), clamped(v[1]), clamped(v[2]), 1.0};
        else if (model == "CMYK")
            color = fromCmyk(v[0], v[1], v[2], v[3]);
        else if (model == "LAB ")
            color = fromLabD50(v[0] * 100.0, v[1], v[2]);
        else
            color = RGBA{clamped(v[0]), clamped(v[0]), clamped(v[0]), 1.0};
        palette.appendColor(color, name);
    }
    if (!named)
        palette.name = fallbackName;
    return palette;
}

QByteArray encodeAse(const Palette &palette)
{
    QByteArray out("ASEF");
    put16(out, 1);
    put16(out, 0);
    put32(out, quint32(palette.colors.size() + 2));
    aseBlock(out, aseGroupStart, aseName(palette.name));
    for (qsizetype i = 0; i < palette.colors.size(); ++i) {
        const RGBA &color = palette.colors.at(i);
        QByteArray body = aseName(palette.colorName(i));
        body.append("RGB ");
        for (const double component : {color.r, color.g, color.b}) {
            const float f = float(clamped(component));
            quint32 bits;
            std::memcpy(&bits, &f, sizeof bits);
            put32(body, bits);
        }
        put16(body, 2); // a normal colour, not a global or spot one
        aseBlock(out, aseColor, body);
    }
    aseBlock(out, aseGroupEnd, QByteArray());
    return out;
}

std::optional<Palette> decodeAco(const QByteArray &bytes, const QString &fallbackName, QString *error)
{
    Cursor in(bytes);
    Palette palette{QUuid::createUuid(), fallbackName, {}, QString(), {}};
    // A version 1 list, then, in most files, the same colours again as
    // version 2 with their names; that one is kept.
    for (int section = 1; section <= 2 && in.has(4); ++section) {
        const quint16 version = in.u16();
        if (version != 1 && version != 2)
            return failed(
                error,
                QCoreApplication::translate("PaletteFiles", "the swatches' version is %1, not 1 or 2").arg(version));
        const quint16 count = in.u16();
        const qint64 entrySize = version == 1 ? 10 : 14;
        if (qint64(count) * entrySize > in.remaining())
            return failed(
                error,
                QCoreApplication::translate("PaletteFiles", "version %1 claims %2 colors but %3 bytes remain")
                    .arg(version)
                    .arg(number(count), number(in.remaining())));
        Palette read = palette;
        read.colors.clear();
        read.colorNames.clear();
        // Wider than the count: 65,535 colours end the loop.
        for (quint32 entry = 1; entry <= count; ++entry) {
            if (!in.has(10))
                return failed(error, QCoreApplication::translate("PaletteFiles", "color %1 is cut short").arg(entry));
            const quint16 space = in.u16();
            const quint16 w = in.u16();
            const quint16 x = in.u16();
            const quint16 y = in.u16();
            const quint16 z = in.u16();
            QString name;
            if (version == 2) {
                if (!in.has(4))
                    return failed(error,
                                  QCoreApplication::translate("PaletteFiles", "color %1 is cut short before its name")
                                      .arg(entry));
                const quint32 units = in.u32();
                if (!in.has(qint64(units) * 2))
                    return failed(error,
                                  QCoreApplication::translate(
                                      "PaletteFiles", "color %1 claims a name of %2 characters but %3 bytes remain")
                                      .arg(entry)
                                      .arg(number(units), number(in.remaining())));
                name = in.utf16(units);
            }
            RGBA color;
            switch (space) {
            case 0: color = RGBA{w / 65535.0, x / 65535.0, y / 65535.0, 1.0}; break;
            case 1: color = fromHsb(w / 65535.0 * 360.0, x / 65535.0, y / 65535.0); break;
            // Zero is full ink.
            case 2: color = fromCmyk(1 - w / 65535.0, 1 - x / 65535.0, 1 - y / 65535.0, 1 - z / 65535.0); break;
            case 7: color = fromLabD50(w / 100.0, qint16(x) / 100.0, qint16(y) / 100.0); break;
            case 8: {
                const double grey = clamped(w / 10000.0);
                color = RGBA{grey, grey, grey, 1.0};
                break;
            }
            default:
                return failed(error,
                              QCoreApplication::translate("PaletteFiles",
                                                          "color %1 is in color space %2, which is not RGB, HSB, "
                                                          "CMYK, Lab or Grayscale")
                                  .arg(entry)
                                  .arg(space));
            }
            read.appendColor(color, name);
        }
        palette = read;
    }
    if (bytes.size() < 4)
        return failed(error, QCoreApplication::translate("PaletteFiles", "the file is too short for swatches"));
    return palette;
}

} // namespace pigmentry
