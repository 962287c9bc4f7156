// SPDX-License-Identifier: GPL-3.0-or-later
// What a colour is called, how CSS writes it, its tint scale, and the
// nearest text colour that passes a contrast level.
#include "model/color/color_names.h"
#include "model/color/css_color.h"
#include "model/color/oklab.h"
#include "tools/contrast.h"
#include "tools/tint_scale.h"

#include <QHash>
#include <QTest>

using namespace pigmentry;

namespace {

RGBA rgb(unsigned value)
{
    return RGBA{((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0, 1.0};
}

} // namespace

class TestColorNames : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every CSS named colour is called by its CSS name, and of aliases by
    // the first in CSS's list; the data are complete and well-formed.
    void cssNamesAreExact()
    {
        QCOMPARE(color_name_data::css.size(), size_t(148));
        QVERIFY(color_name_data::xkcd.size() >= 900);
        QHash<unsigned, QString> first;
        for (const NamedColor &named : color_name_data::css) {
            if (!first.contains(named.rgb))
                first.insert(named.rgb, QString::fromLatin1(named.name));
            QCOMPARE(colorName(rgb(named.rgb)), first.value(named.rgb));
            QCOMPARE(cssNamedColor(QString::fromLatin1(named.name).toUpper()), rgb(named.rgb));
        }
        QCOMPARE(colorName(rgb(0x00FFFF)), QStringLiteral("aqua"));
        QCOMPARE(colorName(rgb(0x808080)), QStringLiteral("gray"));
        QCOMPARE(colorName(rgb(0xFF00FF)), QStringLiteral("fuchsia"));
        // Alpha does not change the name.
        QCOMPARE(colorName(RGBA{1, 0, 0, 0.2}), QStringLiteral("red"));
    }

    // Between entries, the nearest in OKLab names the colour.
    void nearestNames()
    {
        QCOMPARE(colorName(rgb(0xACC2D9)), QStringLiteral("Cloudy blue")); // an xkcd entry itself
        QCOMPARE(colorName(rgb(0xFE0001)), QStringLiteral("Fire engine red")); // a step from xkcd #FE0002
        QCOMPARE(colorName(rgb(0xACC2DA)), QStringLiteral("Cloudy blue"));
        // Whatever the colour, the nearest entry is no farther than any other.
        for (const unsigned probe : {0x123456u, 0x3B82F6u, 0xF5F5DCu, 0x7F7F00u}) {
            const QString name = colorName(rgb(probe));
            const Oklab lab = toOklab(rgb(probe));
            double chosen = 1e9, best = 1e9;
            for (const auto *list : {&color_name_data::css}) {
                for (const NamedColor &named : *list) {
                    const double d = distance2(lab, toOklab(rgb(named.rgb)));
                    best = std::min(best, d);
                    if (name == QLatin1String(named.name))
                        chosen = std::min(chosen, d);
                }
            }
            for (const NamedColor &named : color_name_data::xkcd) {
                const double d = distance2(lab, toOklab(rgb(named.rgb)));
                best = std::min(best, d);
                if (name.compare(QString::fromUtf8(named.name), Qt::CaseInsensitive) == 0)
                    chosen = std::min(chosen, d);
            }
            QVERIFY2(chosen <= best + 1e-12, qPrintable(name));
        }
    }

    void cssSyntax_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code"); // HEX Alpha, or empty for a refusal
        const QList<std::pair<const char *, const char *>> rows = {
            {"RebeccaPurple", "#663399FF"},
            {"transparent", "#00000000"},
            {"#abc", "#AABBCCFF"},
            {"#abcd", "#AABBCCDD"},
            {"#3B82F6", "#3B82F6FF"},
            {"3b82f680", "#3B82F680"},
            {"rgb(255, 128, 0)", "#FF8000FF"},
            {"rgba(255,128,0,.5)", "#FF800080"},
            {"RGB(100% 50% 0% / 50%)", "#FF800080"},
            {"rgb(300 -20 0)", "#FF0000FF"},
            {"hsl(120, 100%, 25%)", "#008000FF"},
            {"hsl(0.5turn 100% 50%)", "#00FFFFFF"},
            {"hsla(240deg 100% 50% / 0.25)", "#0000FF40"},
            {"hwb(0 0% 0%)", "#FF0000FF"},
            {"hwb(90 60% 60%)", "#808080FF"},
            {"oklab(62.8% 0.2249 0.1258)", "#FF0000FF"},
            {"oklch(0.628 0.2577 29.23)", "#FF0000FF"},
            {"oklch(0.9 0.4 150)", "#00FF00FF"}, // far outside sRGB: clamped
            {"rgb(none 0 0)", "#000000FF"},
            // color() in each space, lab() and lch() under D50: sRGB's red
            // and greys as each space writes them.
            {"color(srgb 1 0 0 / 50%)", "#FF000080"},
            {"color(srgb 100% 50% 0%)", "#FF8000FF"},
            {"color(srgb-linear 0.2 0 1)", "#7C00FFFF"},
            {"color(display-p3 0.9175 0.2003 0.1386)", "#FF0000FF"},
            {"color(display-p3 1 0 0)", "#FF0000FF"}, // outside sRGB: clipped
            {"color(a98-rgb 0.8585 0 0)", "#FF0000FF"},
            {"color(prophoto-rgb 0.5 0.5 0.5)", "#929292FF"},
            {"color(rec2020 0.5 0.5 0.5)", "#8B8B8BFF"},
            {"color(xyz 0.4124 0.2126 0.0193)", "#FF0000FF"},
            {"color(xyz-d65 0.9505 1 1.089)", "#FFFFFFFF"},
            {"color(xyz-d50 0.4360 0.2225 0.0139)", "#FF0000FF"},
            {"lab(50% 0 0)", "#777777FF"},
            {"lab(54.29 80.81 69.89)", "#FF0000FF"},
            {"lch(50 0 120)", "#777777FF"},
            {"lch(54.29 106.84 40.86deg / 0.5)", "#FF000080"},
            {"color(cmyk 1 0 0)", ""},
            {"color(srgb 1 0)", ""},
            {"color(srgb, 1, 0, 0)", ""},
            {"color(srgb 1deg 0 0)", ""},
            {"lab(50 10deg 0)", ""},
            {"#12", ""},
            {"#12345", ""},
            {"bluish", ""},
            {"rgb(1, 2)", ""},
            {"rgb(1 2 3 4)", ""},
            {"rgb(1, 2 3)", ""},
            {"hsl(10%, 50%, 50%)", ""},
            {"rgb(1deg 2 3)", ""},
            {"rgb(1 2 3 / 4 / 5)", ""},
            {"ABC", ""},
            {"", ""},
        };
        for (const auto &[text, code] : rows)
            QTest::newRow(text) << QString::fromUtf8(text) << QString::fromUtf8(code);
    }

    void cssSyntax()
    {
        QFETCH(QString, text);
        QFETCH(QString, code);
        const std::optional<RGBA> color = parseCssColor(text);
        if (code.isEmpty()) {
            QVERIFY(!color);
            return;
        }
        QVERIFY(color);
        QCOMPARE(color->formatted(QStringLiteral("HEX Alpha")), code);
    }

    // Eleven steps at their lightness, in sRGB, the colour in the step
    // nearest its own lightness.
    void tintScales()
    {
        const QList<int> steps = {50, 100, 200, 300, 400, 500, 600, 700, 800, 900, 950};
        const QList<double> lightness = {0.97, 0.93, 0.87, 0.79, 0.70, 0.62, 0.53, 0.45, 0.37, 0.29, 0.21};
        for (const unsigned source : {0x3B82F6u, 0xFF0000u, 0x00FF00u, 0x808080u, 0xFFFF00u}) {
            const QList<TintStep> scale = tintScale(rgb(source));
            QCOMPARE(scale.size(), 11);
            int own = 0;
            for (int i = 0; i < 11; ++i) {
                QCOMPARE(scale.at(i).step, steps.at(i));
                QVERIFY(inGamut(scale.at(i).color));
                if (scale.at(i).color == rgb(source)) {
                    own = i;
                    continue;
                }
                QVERIFY2(std::abs(toOklab(scale.at(i).color).l - lightness.at(i)) < 1e-3,
                         qPrintable(QStringLiteral("%1 step %2").arg(source, 6, 16).arg(scale.at(i).step)));
            }
            const double l = toOklab(rgb(source)).l;
            for (const double other : lightness)
                QVERIFY(std::abs(lightness.at(own) - l) <= std::abs(other - l) + 1e-9);
        }
        // The hue stays: the blue's steps are blue.
        for (const TintStep &step : tintScale(rgb(0x3B82F6)))
            QVERIFY(step.color.b >= step.color.r);
    }

    // A suggestion passes, and a smaller move of its lightness would not.
    void contrastSuggestions()
    {
        const RGBA white = rgb(0xFFFFFF);
        QCOMPARE(nearestPassingText(rgb(0x777777), white, 4.5)->hex(), QStringLiteral("#767676"));
        QCOMPARE(nearestPassingText(rgb(0x595959), white, 4.5), rgb(0x595959)); // already passes
        QVERIFY(!nearestPassingText(rgb(0x3B82F6), rgb(0x808080), 7.0)); // neither black nor white reach 7
        for (const auto &[text, background] :
             {std::pair{0x3B82F6u, 0xFFFFFFu}, std::pair{0xFF8000u, 0x202020u}, std::pair{0x808080u, 0x606060u}}) {
            for (const double minimum : {4.5, 7.0}) {
                const std::optional<RGBA> fixed = nearestPassingText(rgb(text), rgb(background), minimum);
                if (!fixed)
                    continue;
                QVERIFY(contrastRatio(*fixed, rgb(background)) >= minimum);
                const Oklch from = toOklch(toOklab(rgb(text)));
                const double to = toOklab(*fixed).l;
                const double nearer = to + (from.l - to) * 0.02 / std::abs(from.l - to);
                QVERIFY(contrastRatio(fittedOklch(nearer, from.c, from.h), rgb(background)) < minimum);
                // Its hue is kept where it has one.
                if (from.c > 0.05)
                    QVERIFY(std::abs(toOklch(toOklab(*fixed)).h - from.h) < 3);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestColorNames)
#include "test_color_names.moc"
