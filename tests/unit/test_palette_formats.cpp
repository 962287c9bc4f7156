// SPDX-License-Identifier: GPL-3.0-or-later
// The palette formats from the outside: what each keeps through a round
// trip, the exact style sheets, other programs' colour models, and refusals
// that name their place.
#include "model/library/library.h"
#include "tools/palette_files.h"

#include <QTest>
#include <QtEndian>

#include <cstring>

using namespace pigmentry;

namespace {

Palette named()
{
    Palette palette{QUuid::createUuid(), QStringLiteral("Dusk ✦"), {}, QStringLiteral("notes"), {}};
    palette.appendColor(RGBA{1, 0.5, 0, 1}, QStringLiteral("Sunset Orange"));
    palette.appendColor(RGBA{0, 0, 1, 0.5});
    palette.appendColor(RGBA{0.2, 0.4, 0.6, 1}, QStringLiteral("Deep ünicode"));
    return palette;
}

// Big-endian pieces of the binary files.
QByteArray u16(quint16 v)
{
    QByteArray b(2, 0);
    qToBigEndian(v, b.data());
    return b;
}
QByteArray u32(quint32 v)
{
    QByteArray b(4, 0);
    qToBigEndian(v, b.data());
    return b;
}
QByteArray f32(float v)
{
    quint32 bits;
    std::memcpy(&bits, &v, 4);
    return u32(bits);
}
QByteArray utf16(const QString &text)
{
    QByteArray b = u16(quint16(text.size() + 1));
    for (const QChar c : text)
        b += u16(c.unicode());
    return b + u16(0);
}
QByteArray block(quint16 type, const QByteArray &body)
{
    return u16(type) + u32(quint32(body.size())) + body;
}
QByteArray aseColor(const QString &name, const char *model, std::initializer_list<float> values)
{
    QByteArray body = utf16(name) + QByteArray(model, 4);
    for (const float v : values)
        body += f32(v);
    return block(0x0001, body + u16(2));
}
QByteArray ase(const QList<QByteArray> &blocks)
{
    QByteArray out = QByteArray("ASEF") + u16(1) + u16(0) + u32(quint32(blocks.size()));
    for (const QByteArray &b : blocks)
        out += b;
    return out;
}

} // namespace

class TestPaletteFormats : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The most colours a version-1 header can count, alone and followed by
    // its version-2 section.
    void acoWithTheLargestCount()
    {
        QByteArray one = u16(1) + u16(65535);
        QByteArray two = u16(2) + u16(65535);
        for (int i = 0; i < 65535; ++i) {
            const QByteArray entry = u16(0) + u16(quint16(i)) + u16(0) + u16(65535) + u16(0);
            one += entry;
            two += entry + u32(1) + u16(0);
        }
        QString error;
        std::optional<Palette> palette = decodeAco(one, QStringLiteral("Big"), &error);
        QVERIFY2(palette, qPrintable(error));
        QCOMPARE(palette->colors.size(), 65535);
        palette = decodeAco(one + two, QStringLiteral("Big"), &error);
        QVERIFY2(palette, qPrintable(error));
        QCOMPARE(palette->colors.size(), 65535);
    }

    // A name of raw UTF-16 with a lone surrogate is read as valid text.
    void brokenUtf16NamesBecomeValidText()
    {
        QByteArray body = u16(3) + u16(u'a') + u16(0xDC00) + u16(0) + QByteArray("RGB ", 4) + f32(1) + f32(0) + f32(0)
            + u16(2);
        QString error;
        const std::optional<Palette> palette = decodeAse(ase({block(0x0001, body)}), QStringLiteral("P"), &error);
        QVERIFY2(palette, qPrintable(error));
        QCOMPARE(palette->colorName(0), QStringLiteral("a\uFFFD"));
    }

    // Through each format that is both read and written: the colours at the
    // format's precision, the names, and the alpha where it has room.
    void roundTrips_data()
    {
        QTest::addColumn<PaletteFormat>("format");
        QTest::addColumn<bool>("keepsAlpha");
        QTest::newRow("json") << PaletteFormat::Json << true;
        QTest::newRow("gpl") << PaletteFormat::Gimp << false;
        QTest::newRow("ase") << PaletteFormat::Ase << false;
        QTest::newRow("hex") << PaletteFormat::Hex << true;
    }

    void roundTrips()
    {
        QFETCH(PaletteFormat, format);
        QFETCH(bool, keepsAlpha);
        const Palette original = named();
        QString error;
        const std::optional<QByteArray> bytes = encodePaletteAs(original, format, &error);
        QVERIFY2(bytes, qPrintable(error));
        QCOMPARE(detectPaletteFormat(*bytes), format);
        const std::optional<Palette> back = decodePaletteFile(*bytes, QStringLiteral("file"), &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(back->colors.size(), 3);
        for (qsizetype i = 0; i < 3; ++i) {
            QCOMPARE(back->colors.at(i).hex(), original.colors.at(i).hex());
            QCOMPARE(back->colorName(i), original.colorName(i));
        }
        QCOMPARE(channelValue(back->colors.at(1).a), keepsAlpha ? 128 : 255);
        QCOMPARE(paletteFormatLoss(original, format).isEmpty(), keepsAlpha);
        // The hex list has no place for the palette's name.
        QCOMPARE(back->name, format == PaletteFormat::Hex ? QStringLiteral("file") : original.name);
    }

    void styleSheetsAreExact()
    {
        Palette palette{QUuid::createUuid(), QStringLiteral("Brand */ colors\nv2"), {}, {}, {}};
        const QStringList names = {"Primary Blue", "primary blue", "", "--Ünï  Code!--", "color-3", "color-3"};
        for (const QString &name : names)
            palette.appendColor(RGBA{0, 0.5, 1, 1}, name);
        palette.colors[1].a = 0.5;
        QCOMPARE(colorSlugs(palette),
                 (QStringList{"primary-blue", "primary-blue-2", "color-3", "n-code", "color-3-2", "color-3-3"}));
        QCOMPARE(encodeCss(palette),
                 QByteArray("/* Brand  colors v2 */\n"
                            ":root {\n"
                            "  --primary-blue: #0080FF;\n"
                            "  --primary-blue-2: #0080FF80;\n"
                            "  --color-3: #0080FF;\n"
                            "  --n-code: #0080FF;\n"
                            "  --color-3-2: #0080FF;\n"
                            "  --color-3-3: #0080FF;\n"
                            "}\n"));
        QVERIFY(encodeScss(palette).startsWith("// Brand  colors v2\n$primary-blue: #0080FF;\n"
                                               "$primary-blue-2: #0080FF80;\n"));
        // The sheet needs nothing from outside, and names are escaped.
        palette.setColorName(0, QStringLiteral("<b>&\"'"));
        const QByteArray html = encodeHtml(palette);
        QVERIFY(html.contains("&lt;b&gt;&amp;&quot;&#39;"));
        QVERIFY(!html.contains("<b>"));
        QVERIFY(!html.contains("http") && !html.contains("src=") && !html.contains("@import"));
        QCOMPARE(html.count("data-code="), 6);
    }

    // Entries of other models, inside nested groups and out, as other
    // programs write them.
    void readsAseModels()
    {
        const QByteArray bytes = ase({
            block(0xC001, utf16(QStringLiteral("Brand"))),
            aseColor(QStringLiteral("Ink"), "CMYK", {0, 1, 1, 0}),
            block(0xC001, utf16(QStringLiteral("Inner"))),
            aseColor(QStringLiteral("Paper"), "LAB ", {1.0f, 0, 0}),
            aseColor(QStringLiteral("Red in Lab"), "LAB ", {0.5429f, 80.81f, 69.89f}),
            block(0xC002, {}),
            block(0xC002, {}),
            aseColor(QString(), "Gray", {0.5f}),
            aseColor(QStringLiteral("Over"), "RGB ", {1.5f, -1, 0.25f}),
        });
        QString error;
        const std::optional<Palette> palette = decodeAse(bytes, QStringLiteral("file"), &error);
        QVERIFY2(palette, qPrintable(error));
        QCOMPARE(palette->name, QStringLiteral("Brand"));
        QStringList hex;
        for (const RGBA &c : palette->colors)
            hex << c.hex();
        QCOMPARE(hex, (QStringList{"#FF0000", "#FFFFFF", "#FF0000", "#808080", "#FF0040"}));
        QCOMPARE(palette->colorNames, (QStringList{"Ink", "Paper", "Red in Lab", "", "Over"}));
    }

    void readsAcoVersions()
    {
        auto color = [](quint16 space, quint16 w, quint16 x, quint16 y, quint16 z) {
            return u16(space) + u16(w) + u16(x) + u16(y) + u16(z);
        };
        const QList<QByteArray> colors = {
            color(0, 65535, 32896, 0, 0), // RGB
            color(1, 65535 / 3, 65535, 65535, 0), // HSB: 120°, green
            color(2, 65535, 0, 65535, 65535), // CMYK, 0 is full ink: magenta
            color(7, 10000, 0, 0, 0), // Lab white
            color(8, 5000, 0, 0, 0), // grey
        };
        QByteArray v1 = u16(1) + u16(quint16(colors.size()));
        for (const QByteArray &c : colors)
            v1 += c;
        QString error;
        std::optional<Palette> palette = decodeAco(v1, QStringLiteral("swatches"), &error);
        QVERIFY2(palette, qPrintable(error));
        QStringList hex;
        for (const RGBA &c : palette->colors)
            hex << c.hex();
        QCOMPARE(hex, (QStringList{"#FF8000", "#00FF00", "#FF00FF", "#FFFFFF", "#808080"}));
        QCOMPARE(palette->name, QStringLiteral("swatches"));
        QVERIFY(!palette->hasColorNames());

        // Version 2 after version 1 brings the names.
        QByteArray v2 = u16(2) + u16(2) + colors.at(0) + u32(7) + utf16(QStringLiteral("Orange")).mid(2) + colors.at(1)
            + u32(1) + u16(0);
        palette = decodeAco(v1 + v2, QStringLiteral("swatches"), &error);
        QVERIFY2(palette, qPrintable(error));
        QCOMPARE(palette->colors.size(), 2);
        QCOMPARE(palette->colorNames, QStringList{"Orange"});
    }

    // Lengths and counts are checked against the bytes present, and the
    // refusal says where.
    void refusalsNameThePlace_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QByteArray good = aseColor(QStringLiteral("A"), "RGB ", {1, 0, 0});
        QTest::newRow("ASE entry too long")
            << ase({good, u16(1) + u32(4000) + QByteArray(12, 0)}) << "entry 2 claims 4,000 bytes but 12 remain";
        QTest::newRow("ASE count beyond the bytes") << QByteArray("ASEF") + u16(1) + u16(0) + u32(1000000000)
                                                    << "the header claims 1,000,000,000 entries but 0 bytes remain";
        QTest::newRow("ASE name beyond its entry") << ase({block(1, u16(500) + QByteArray(10, 0))})
                                                   << "entry 1 claims a name of 500 characters but 10 bytes remain";
        QTest::newRow("ASE unknown model")
            << ase({block(1, utf16(QStringLiteral("A")) + QByteArray("XYZ ") + f32(1) + u16(2))})
            << "entry 1 has the color model \"58595a20\", not RGB, CMYK, LAB or Gray";
        QTest::newRow("ASE values cut") << ase({block(1, utf16(QStringLiteral("A")) + QByteArray("CMYK") + f32(1))})
                                        << "entry 1 claims 4 values but 4 bytes remain";
        QTest::newRow("ASE not a number")
            << ase({aseColor(QStringLiteral("A"), "RGB ", {std::numeric_limits<float>::quiet_NaN(), 0, 0})})
            << "entry 1 has a value that is not a number";
        QTest::newRow("ACO count beyond the bytes")
            << u16(1) + u16(60000) + QByteArray(20, 0) << "version 1 claims 60,000 colors but 20 bytes remain";
        QTest::newRow("ACO name beyond the file") << u16(2) + u16(1) + u16(0) + QByteArray(8, 0) + u32(100000)
                + QByteArray(4, 0) << "color 1 claims a name of 100,000 characters but 4 bytes remain";
        QTest::newRow("ACO spot color") << u16(1) + u16(1) + u16(3)
                + QByteArray(8, 0) << "color 1 is in color space 3, which is not RGB, HSB, CMYK, Lab or Grayscale";
        QTest::newRow("hex list bad line")
            << QByteArray("# mine\n#FF0000 Red\n\n#12345 short\n") << "line 4 is not a color: \"#12345 short\"";
    }

    void refusalsNameThePlace()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QString error;
        QVERIFY(!decodePaletteFile(bytes, QStringLiteral("file"), &error));
        QCOMPARE(error, reason);
    }

    // The library file is written as before for palettes without names, so
    // that older versions read it as they always did.
    void namesInTheLibraryFile()
    {
        Palette plain{QUuid::createUuid(), QStringLiteral("P"), {RGBA{1, 0, 0, 1}}, {}, {}};
        QVERIFY(!encodePalette(plain, nullptr)->contains("colorNames"));
        plain.setColorName(0, QStringLiteral("Red"));
        const QByteArray withNames = *encodePalette(plain, nullptr);
        QVERIFY(withNames.endsWith(",\"colorNames\":[\"Red\"]}"));
        QCOMPARE(Palette::fromJson(*parseJsonObject(withNames, nullptr), nullptr), plain);
        plain.setColorName(0, QString());
        QVERIFY(!plain.hasColorNames());

        // Names move with their colours.
        Palette p{QUuid::createUuid(), QStringLiteral("P"), {}, {}, {}};
        p.appendColor(RGBA{1, 0, 0, 1}, QStringLiteral("a"));
        p.appendColor(RGBA{0, 1, 0, 1});
        p.appendColor(RGBA{0, 0, 1, 1}, QStringLiteral("c"));
        p.moveColor(2, 0);
        QCOMPARE(p.colorNames, (QStringList{"c", "a"}));
        p.removeColor(1);
        QCOMPARE(p.colorNames, QStringList{"c"});
        p.insertColor(0, RGBA{1, 1, 1, 1});
        QCOMPARE(p.colorNames, (QStringList{"", "c"}));
    }
};

QTEST_GUILESS_MAIN(TestPaletteFormats)
#include "test_palette_formats.moc"
