// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/color/rgba.h"

#include <QTest>

#include <clocale>
#include <cstdio>

using pigmentry::RGBA;

Q_DECLARE_METATYPE(pigmentry::RGBA)

class TestColorFormats : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void codes_data()
    {
        QTest::addColumn<RGBA>("color");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("code");

        const RGBA blue{0.23, 0.51, 0.96, 1.0};
        const RGBA orange{1.0, 0.5, 0.0, 0.5};
        const RGBA steel{0.2, 0.4, 0.6, 0.8};
        const QStringList blueCodes = {"#3B82F5",
                                       "#3B82F5FF",
                                       "rgb(59, 130, 245)",
                                       "rgba(59, 130, 245, 1.000)",
                                       "hsl(217, 90%, 60%)",
                                       "hsv(217, 76%, 96%)",
                                       "--color: #3B82F5;",
                                       "Color(.sRGB, red: 0.2300, green: 0.5100, blue: 0.9600, opacity: 1.0000)",
                                       "NSColor(srgbRed: 0.2300, green: 0.5100, blue: 0.9600, alpha: 1.0000)",
                                       "<color name=\"color\">#FF3B82F5</color>",
                                       "Color(0xFF3B82F5)",
                                       "bg-[#3B82F5]",
                                       "{\"hex\":\"#3B82F5\",\"alpha\":1.0}",
                                       "oklch(62.2% 0.1865 259.59)",
                                       "oklab(62.2% -0.0337 -0.1834)"};
        const QStringList orangeCodes = {"#FF8000",
                                         "#FF800080",
                                         "rgb(255, 128, 0)",
                                         "rgba(255, 128, 0, 0.500)",
                                         "hsl(30, 100%, 50%)",
                                         "hsv(30, 100%, 100%)",
                                         "--color: #FF8000;",
                                         "Color(.sRGB, red: 1.0000, green: 0.5000, blue: 0.0000, opacity: 0.5000)",
                                         "NSColor(srgbRed: 1.0000, green: 0.5000, blue: 0.0000, alpha: 0.5000)",
                                         "<color name=\"color\">#80FF8000</color>",
                                         "Color(0x80FF8000)",
                                         "bg-[#FF8000]",
                                         "{\"hex\":\"#FF8000\",\"alpha\":0.5}",
                                         "oklch(73.1% 0.1861 52.78 / 0.500)",
                                         "oklab(73.1% 0.1126 0.1482 / 0.500)"};
        const QStringList steelCodes = {"#336699",
                                        "#336699CC",
                                        "rgb(51, 102, 153)",
                                        "rgba(51, 102, 153, 0.800)",
                                        "hsl(210, 50%, 40%)",
                                        "hsv(210, 67%, 60%)",
                                        "--color: #336699;",
                                        "Color(.sRGB, red: 0.2000, green: 0.4000, blue: 0.6000, opacity: 0.8000)",
                                        "NSColor(srgbRed: 0.2000, green: 0.4000, blue: 0.6000, alpha: 0.8000)",
                                        "<color name=\"color\">#CC336699</color>",
                                        "Color(0xCC336699)",
                                        "bg-[#336699]",
                                        "{\"hex\":\"#336699\",\"alpha\":0.8}",
                                        "oklch(49.9% 0.0987 250.43 / 0.800)",
                                        "oklab(49.9% -0.0330 -0.0930 / 0.800)"};
        for (int i = 0; i < RGBA::formats().size(); ++i) {
            const QString name = RGBA::formats().at(i);
            QTest::addRow("blue %s", qPrintable(name)) << blue << name << blueCodes.at(i);
            QTest::addRow("orange %s", qPrintable(name)) << orange << name << orangeCodes.at(i);
            QTest::addRow("steel %s", qPrintable(name)) << steel << name << steelCodes.at(i);
        }

        // Published OKLCH and OKLab values of the primaries and greys (CSS
        // Color 4 and Ottosson's reference implementation); a grey has no hue
        // and no signed zeros.
        const QList<std::tuple<const char *, RGBA, QString, QString>> references = {
            {"red", RGBA{1, 0, 0, 1}, "oklch(62.8% 0.2577 29.23)", "oklab(62.8% 0.2249 0.1258)"},
            {"green", RGBA{0, 1, 0, 1}, "oklch(86.6% 0.2948 142.50)", "oklab(86.6% -0.2339 0.1795)"},
            {"blue", RGBA{0, 0, 1, 1}, "oklch(45.2% 0.3132 264.05)", "oklab(45.2% -0.0325 -0.3115)"},
            {"white", RGBA{1, 1, 1, 1}, "oklch(100.0% 0.0000 0.00)", "oklab(100.0% 0.0000 0.0000)"},
            {"black", RGBA{0, 0, 0, 1}, "oklch(0.0% 0.0000 0.00)", "oklab(0.0% 0.0000 0.0000)"},
            {"mid grey", RGBA{128 / 255.0, 128 / 255.0, 128 / 255.0, 1}, "oklch(60.0% 0.0000 0.00)",
             "oklab(60.0% 0.0000 0.0000)"},
        };
        for (const auto &[name, color, oklch, oklab] : references) {
            QTest::addRow("reference %s OKLCH", name) << color << "OKLCH" << oklch;
            QTest::addRow("reference %s OKLab", name) << color << "OKLab" << oklab;
        }

        QTest::newRow("unknown name gives HEX") << blue << "Hex"
                                                << "#3B82F5";
        QTest::newRow("empty name gives HEX") << blue << ""
                                              << "#3B82F5";
        QTest::newRow("grey 0.5 rounds up") << RGBA{0.5, 0.5, 0.5, 1} << "HEX"
                                            << "#808080";
        QTest::newRow("above one clamps in hex") << RGBA{1.5, 0, 0, 1} << "HEX"
                                                 << "#FF0000";
        QTest::newRow("above one stays raw in SwiftUI")
            << RGBA{1.5, 0, 0, 1} << "SwiftUI"
            << "Color(.sRGB, red: 1.5000, green: 0.0000, blue: 0.0000, opacity: 1.0000)";
        QTest::newRow("negative in rgb") << RGBA{-0.2, 0, 0, 1} << "RGB"
                                         << "rgb(0, 0, 0)";
        QTest::newRow("RGBA alpha ties to even") << RGBA{0, 0, 0, 128 / 255.0} << "RGBA"
                                                 << "rgba(0, 0, 0, 0.502)";
        QTest::newRow("JSON alpha shortest round trip") << RGBA{0, 0, 0, 128 / 255.0} << "JSON"
                                                        << "{\"hex\":\"#000000\",\"alpha\":0.5019607843137255}";
        QTest::newRow("JSON alpha zero") << RGBA{0, 0, 0, 0} << "JSON"
                                         << "{\"hex\":\"#000000\",\"alpha\":0.0}";
        QTest::newRow("JSON alpha never with an exponent") << RGBA{0, 0, 0, 0.0001} << "JSON"
                                                           << "{\"hex\":\"#000000\",\"alpha\":0.0001}";
        QTest::newRow("JSON alpha at the smallest double")
            << RGBA{0, 0, 0, 5e-324} << "JSON"
            << "{\"hex\":\"#000000\",\"alpha\":0." + QString(323, u'0') + "5}";
        // A hue just under 360 prints as 360.
        QTest::newRow("hue 359.6 prints 360") << RGBA{1, 0, 0.006666666666666667, 1} << "HSV"
                                              << "hsv(360, 100%, 100%)";
        // %.0f ties to even: 0.5 prints 0, so a saturation of exactly 0.5 % would print 0.
        QTest::newRow("alpha in HEX Alpha of transparent") << RGBA{0, 0, 0, 0} << "HEX Alpha"
                                                           << "#00000000";
    }

    void codes()
    {
        QFETCH(RGBA, color);
        QFETCH(QString, format);
        QFETCH(QString, code);
        QCOMPARE(color.formatted(format), code);
    }

    // A GUI application takes the user's numeric locale into the C library;
    // codes are code and keep their full stops.
    void codesUnderACommaLocale()
    {
        QVERIFY2(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), "the locale de_DE.UTF-8 is missing: run scripts/setup.sh");
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 0.5);
        const QString written = QString::fromLatin1(probe);
        const RGBA color{240 / 255.0, 252 / 255.0, 20 / 255.0, 1.0};
        const QString rgba = color.formatted(QStringLiteral("RGBA"));
        const QString swift = color.formatted(QStringLiteral("SwiftUI"));
        const QString ns = color.formatted(QStringLiteral("NSColor"));
        const RGBA violet{0.5, 0.25, 0.75, 1};
        const QString hsl = violet.formatted(QStringLiteral("HSL"));
        std::setlocale(LC_NUMERIC, "C");
        QCOMPARE(written, QStringLiteral("0,5"));
        QCOMPARE(rgba, QStringLiteral("rgba(240, 252, 20, 1.000)"));
        QCOMPARE(swift, QStringLiteral("Color(.sRGB, red: 0.9412, green: 0.9882, blue: 0.0784, opacity: 1.0000)"));
        QCOMPARE(ns, QStringLiteral("NSColor(srgbRed: 0.9412, green: 0.9882, blue: 0.0784, alpha: 1.0000)"));
        QCOMPARE(hsl, violet.formatted(QStringLiteral("HSL")));
    }
};

QTEST_GUILESS_MAIN(TestColorFormats)
#include "test_color_formats.moc"
