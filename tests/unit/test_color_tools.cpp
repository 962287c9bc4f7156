// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/contrast.h"
#include "tools/gradient.h"
#include "tools/harmony.h"

#include <QTest>

using namespace pigmentry;

namespace {

const HarmonyRule &rule(const QString &name)
{
    for (const HarmonyRule &r : harmonyRules()) {
        if (r.name == name)
            return r;
    }
    qFatal("no rule %s", qPrintable(name));
}

QStringList hexes(const QList<RGBA> &colors)
{
    QStringList codes;
    for (const RGBA &c : colors)
        codes << c.hex();
    return codes;
}

bool near(const QPointF &a, const QPointF &b)
{
    return std::abs(a.x() - b.x()) < 1e-12 && std::abs(a.y() - b.y()) < 1e-12;
}

} // namespace

class TestColorTools : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void harmonyRules_()
    {
        QStringList names;
        for (const HarmonyRule &r : harmonyRules())
            names << r.name << QString::number(r.offsets.size());
        QCOMPARE(names,
                 (QStringList{"Complementary", "2", "Analogous", "3", "Triadic", "3", "Split complementary", "3",
                              "Tetradic", "4"}));

        const RGBA red{1, 0, 0, 1};
        QCOMPARE(harmonyColors(red, rule("Complementary")), (QList<RGBA>{red, RGBA{0, 1, 1, 1}}));
        QCOMPARE(harmonyColors(red, rule("Triadic")), (QList<RGBA>{red, RGBA{0, 1, 0, 1}, RGBA{0, 0, 1, 1}}));
        QCOMPARE(harmonyColors(red, rule("Tetradic")).at(1), (RGBA{0.5, 1, 0, 1}));

        // Alpha is ignored and every result is opaque.
        for (const RGBA &c : harmonyColors(RGBA{1, 0, 0, 0.5}, rule("Tetradic")))
            QCOMPARE(c.a, 1.0);

        // Hue 10: the analogous hues are 340, 10, 40, in that order.
        const RGBA hue10 = harmonyColors(red, HarmonyRule{QString(), {10}}).first();
        QList<double> hues;
        for (const RGBA &c : harmonyColors(hue10, rule("Analogous")))
            hues << std::round(c.hsl().hue);
        QCOMPARE(hues, (QList<double>{340, 10, 40}));

        // Greys stay themselves, made opaque.
        for (const RGBA &grey : {RGBA{1, 1, 1, 1}, RGBA{0, 0, 0, 1}, RGBA{0.5, 0.5, 0.5, 0.2}}) {
            for (const HarmonyRule &r : harmonyRules())
                QCOMPARE(hexes(harmonyColors(grey, r)), QStringList(r.offsets.size(), grey.hex()));
        }
    }

    void gradient()
    {
        const QList<std::tuple<double, QPointF, QPointF>> lines = {
            {0, {0.5, 1}, {0.5, 0}},
            {90, {0, 0.5}, {1, 0.5}},
            {180, {0.5, 0}, {0.5, 1}},
            {360, {0.5, 1}, {0.5, 0}},
        };
        for (const auto &[angle, start, end] : lines) {
            QVERIFY2(near(gradientLine(angle).start, start), qPrintable(QString::number(angle)));
            QVERIFY2(near(gradientLine(angle).end, end), qPrintable(QString::number(angle)));
        }
        const RGBA orange{1, 0.5, 0, 1}, purple{0.5, 0, 0.5, 1};
        QCOMPARE(gradientCss(orange, purple, 90), QStringLiteral("linear-gradient(90deg, #FF8000 0%, #800080 100%)"));
        QCOMPARE(gradientCss(orange, purple, 45.7), QStringLiteral("linear-gradient(45deg, #FF8000 0%, #800080 100%)"));
        QCOMPARE(gradientCss(orange, purple, 89.9).left(20), QStringLiteral("linear-gradient(89de"));
        QCOMPARE(gradientCss(orange, purple, 360).left(21), QStringLiteral("linear-gradient(360de"));
        // Alpha never shows; channels round half away and clamp.
        QCOMPARE(gradientCss(RGBA{0.498, 1.2, -0.1, 0.3}, RGBA{0.5, 0.5, 0.5, 1}, 0),
                 QStringLiteral("linear-gradient(0deg, #7FFF00 0%, #808080 100%)"));
    }

    void contrast()
    {
        const RGBA black{0, 0, 0, 1}, white{1, 1, 1, 1};
        QCOMPARE(ratioText(contrastRatio(black, white)), QStringLiteral("21.00 : 1"));
        QCOMPARE(ratioText(contrastRatio(white, white)), QStringLiteral("1.00 : 1"));
        const RGBA grey{0.4, 0.45, 0.5, 0.2};
        QCOMPARE(contrastRatio(grey, white), contrastRatio(white, grey));
        QCOMPARE(contrastRatio(grey, white), contrastRatio(RGBA{0.4, 0.45, 0.5, 1}, white));

        // 4.496 shows as 4.50 but fails what needs 4.5; exactly 3 passes 3.
        QCOMPARE(ratioText(4.496), QStringLiteral("4.50 : 1"));
        QStringList verdicts;
        for (const ContrastLevel &level : contrastLevels())
            verdicts << level.name + (passes(4.496, level) ? " Pass" : " Fail");
        QCOMPARE(verdicts, (QStringList{"AA normal Fail", "AA large Pass", "AAA normal Fail", "AAA large Fail"}));
        QVERIFY(passes(3.0, contrastLevels().at(1)));
    }

    // The simulations keep white, black and alpha; red and green, which
    // protanopes and deuteranopes confuse, come out alike; achromatopsia
    // keeps the luminance.
    void colorVision()
    {
        QCOMPARE(colorVisionNames(),
                 (QStringList{"Normal", "Protanopia", "Deuteranopia", "Tritanopia", "Achromatopsia"}));
        const RGBA red{1, 0, 0, 0.4}, green{0, 1, 0, 1}, blue{0, 0, 1, 1};
        QCOMPARE(simulateColorVision(red, ColorVision::Normal), red);
        for (int v = 1; v <= 4; ++v) {
            const auto vision = ColorVision(v);
            QCOMPARE(simulateColorVision(RGBA{1, 1, 1, 1}, vision).hex(), QStringLiteral("#FFFFFF"));
            QCOMPARE(simulateColorVision(RGBA{0, 0, 0, 1}, vision).hex(), QStringLiteral("#000000"));
            QCOMPARE(simulateColorVision(red, vision).a, 0.4);
        }
        // The matrix column of the primary, encoded (computed apart).
        QCOMPARE(simulateColorVision(red, ColorVision::Protanopia).hex(), QStringLiteral("#6D5F00"));
        QCOMPARE(simulateColorVision(red, ColorVision::Deuteranopia).hex(), QStringLiteral("#A39000"));
        QCOMPARE(simulateColorVision(blue, ColorVision::Tritanopia).hex(), QStringLiteral("#006B96"));
        const RGBA redSeen = simulateColorVision(red, ColorVision::Protanopia);
        const RGBA greenSeen = simulateColorVision(green, ColorVision::Protanopia);
        QVERIFY(std::abs(redSeen.hsl().hue - greenSeen.hsl().hue) < 10);
        const RGBA grey = simulateColorVision(green, ColorVision::Achromatopsia);
        QCOMPARE(grey.r, grey.g);
        QCOMPARE(grey.g, grey.b);
        QVERIFY(std::abs(grey.luminance() - green.luminance()) < 1e-9);
    }
};

QTEST_GUILESS_MAIN(TestColorTools)
#include "test_color_tools.moc"
