// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/color/rgba.h"

#include <QJsonDocument>
#include <QTest>

#include <cmath>
#include <limits>

using pigmentry::RGBA;

Q_DECLARE_METATYPE(std::optional<pigmentry::RGBA>)

class TestRgba : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parsesHex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("alpha");

        QTest::newRow("lower case with #") << "#3b82f6" << true << 1.0;
        QTest::newRow("upper case without #") << "3B82F6" << true << 1.0;
        QTest::newRow("spaces and line break around") << "  #3B82F6\n" << true << 1.0;
        QTest::newRow("unicode white space around") << QStringLiteral("\u00A0\u2003#3B82F6\u2028\t") << true << 1.0;
        QTest::newRow("eight digits are alpha last") << "#3B82F680" << true << 128 / 255.0;
        QTest::newRow("two leading #") << "##3B82F6" << false << 0.0;
        QTest::newRow("five digits") << "#3B82F" << false << 0.0;
        QTest::newRow("seven digits") << "#3B82F6A" << false << 0.0;
        QTest::newRow("inner space") << "3B 82F6" << false << 0.0;
        QTest::newRow("sign") << "+3B82F" << false << 0.0;
        QTest::newRow("sign with six") << "+3B82F6" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("only #") << "#" << false << 0.0;
        QTest::newRow("non-ascii digits") << QStringLiteral("３B82F6") << false << 0.0;
        QTest::newRow("letter past F") << "#3B82G6" << false << 0.0;
        QTest::newRow("0x prefix") << "0x3B82F6" << false << 0.0;
    }

    void parsesHex()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, alpha);
        const std::optional<RGBA> color = RGBA::fromHex(text);
        QCOMPARE(color.has_value(), valid);
        if (!valid)
            return;
        QCOMPARE(color->r, 59 / 255.0);
        QCOMPARE(color->g, 130 / 255.0);
        QCOMPARE(color->b, 246 / 255.0);
        QCOMPARE(color->a, alpha);
        QCOMPARE(color->formatted(QStringLiteral("HEX")), QStringLiteral("#3B82F6"));
    }

    void channelValues_data()
    {
        QTest::addColumn<double>("component");
        QTest::addColumn<int>("value");
        QTest::newRow("half rounds away from zero") << 0.5 << 128;
        QTest::newRow("0.23 rounds 58.65 up") << 0.23 << 59;
        QTest::newRow("0.96") << 0.96 << 245;
        QTest::newRow("above one clamps") << 1.2 << 255;
        QTest::newRow("negative is zero") << -0.1 << 0;
        QTest::newRow("NaN is zero") << std::nan("") << 0;
        QTest::newRow("infinity clamps") << std::numeric_limits<double>::infinity() << 255;
        QTest::newRow("zero") << 0.0 << 0;
    }

    void channelValues()
    {
        QFETCH(double, component);
        QFETCH(int, value);
        QCOMPARE(pigmentry::channelValue(component), value);
    }

    void hueSaturationValueAndLightness()
    {
        auto hsv = [](double r, double g, double b) { return RGBA{r, g, b, 1}.hsv(); };
        QCOMPARE(hsv(1, 0, 0).hue, 0.0);
        QCOMPARE(hsv(1, 0, 0).saturation, 1.0);
        QCOMPARE(hsv(1, 0, 0).third, 1.0);
        QCOMPARE(hsv(0, 0, 1).hue, 240.0);
        QCOMPARE(hsv(1, 0, 1).hue, 300.0);
        QCOMPARE(hsv(0.5, 0.5, 0.5).hue, 0.0);
        QCOMPARE(hsv(0.5, 0.5, 0.5).saturation, 0.0);
        QCOMPARE(hsv(0, 0, 0).saturation, 0.0);
        // Red and green tied at the maximum take the red branch: hue 60.
        QCOMPARE(hsv(1, 1, 0).hue, 60.0);

        const RGBA::Triple orange = RGBA{1, 0.5, 0, 1}.hsl();
        QCOMPARE(orange.hue, 30.0);
        QCOMPARE(orange.saturation, 1.0);
        QCOMPARE(orange.third, 0.5);
        QCOMPARE(RGBA({1, 1, 1, 1}).hsl().saturation, 0.0);
        QCOMPARE(RGBA({1, 1, 1, 1}).hsl().third, 1.0);
    }

    void luminance()
    {
        QCOMPARE(RGBA({1, 1, 1, 1}).luminance(), 1.0);
        QCOMPARE(RGBA({0, 0, 0, 1}).luminance(), 0.0);
        // 0.04045 itself takes the linear branch.
        QCOMPARE(RGBA({0.04045, 0, 0, 1}).luminance(), 0.2126 * 0.04045 / 12.92);
        // Text over a swatch is whichever of black and white reads better:
        // on #8AB17D white is 2.42 : 1 and black 8.7 : 1.
        QVERIFY(pigmentry::prefersDarkForeground(*RGBA::fromHex(QStringLiteral("#8AB17D"))));
        QVERIFY(!pigmentry::prefersDarkForeground(RGBA{0.1, 0.1, 0.1, 1}));
        QVERIFY(!pigmentry::prefersDarkForeground(*RGBA::fromHex(QStringLiteral("#1F4E79"))));
        // The two ratios meet at a luminance of about 0.179.
        for (const double l : {0.17, 0.19}) {
            const double v = std::pow(l, 1 / 2.4) * 1.055 - 0.055;
            QCOMPARE(pigmentry::prefersDarkForeground(RGBA{v, v, v, 1}), l > 0.179);
        }
    }

    void equalityAndHashing()
    {
        const RGBA plus{0.0, 0.5, 1.0, 1.0};
        const RGBA minus{-0.0, 0.5, 1.0, 1.0};
        QCOMPARE(plus, minus);
        QCOMPARE(qHash(plus), qHash(minus));
        QVERIFY(!(RGBA{0.5, 0.5, 0.5, 1.0} == RGBA{0.5, 0.5, 0.5, 0.5}));
        QVERIFY(!(RGBA{0.5, 0.5, 0.5, 1.0} == RGBA{std::nextafter(0.5, 1.0), 0.5, 0.5, 1.0}));
        const RGBA nan{std::nan(""), 0, 0, 1};
        QVERIFY(!(nan == nan));
    }

    void jsonForm()
    {
        auto parse = [](const char *json) { return RGBA::fromJson(QJsonDocument::fromJson(json).object()); };
        QCOMPARE(parse(R"({"a":1,"b":0,"g":0.5,"r":1,"extra":"ignored"})"), (RGBA{1, 0.5, 0, 1}));
        QVERIFY(!parse(R"({"r":1,"g":0.5,"b":0})"));
        QVERIFY(!parse(R"({"r":1,"g":"0.5","b":0,"a":1})"));
        QVERIFY(!parse(R"({"r":1,"g":null,"b":0,"a":1})"));
    }
};

QTEST_GUILESS_MAIN(TestRgba)
#include "test_rgba.moc"
