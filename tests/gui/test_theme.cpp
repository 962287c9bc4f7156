// Every text tone of the theme reads against the backgrounds it is drawn on,
// in light and dark palettes: 4.5 : 1, as WCAG asks of normal text.
#include "gui/kit/theme.h"
#include "tools/contrast.h"

#include <QApplication>
#include <QPalette>
#include <QTest>

using namespace pigmentry;

namespace {

QPalette paletteOf(QColor window, QColor base, QColor text)
{
    QPalette palette = QApplication::palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, window);
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Text, text);
    }
    return palette;
}

// The colour seen where tone is painted over background.
QColor over(const QColor &tone, const QColor &background)
{
    const double a = tone.alphaF();
    return QColor::fromRgbF(float(tone.redF() * a + background.redF() * (1 - a)),
                            float(tone.greenF() * a + background.greenF() * (1 - a)),
                            float(tone.blueF() * a + background.blueF() * (1 - a)));
}

} // namespace

class TestTheme : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textTonesRead_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << paletteOf(QColor(0xEF, 0xEF, 0xEF), Qt::white, Qt::black);
        QTest::newRow("dark") << paletteOf(QColor(30, 30, 32), QColor(44, 44, 46), QColor(240, 240, 240));
        QTest::newRow("dark, Adwaita") << paletteOf(QColor(0x24, 0x24, 0x24), QColor(0x1E, 0x1E, 0x1E), Qt::white);
    }

    void textTonesRead()
    {
        QFETCH(QPalette, palette);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(palette);
        QStringList failing;
        const QList<std::pair<const char *, theme::Tone>> tones = {{"primary", theme::Tone::Primary},
                                                                   {"secondary", theme::Tone::Secondary},
                                                                   {"accent", theme::Tone::Accent},
                                                                   {"green", theme::Tone::Green},
                                                                   {"red", theme::Tone::Red}};
        for (const auto &[name, tone] : tones) {
            for (const auto role : {QPalette::Window, QPalette::Base}) {
                const QColor background = palette.color(role);
                const double ratio =
                    contrastRatio(theme::rgba(over(theme::color(tone), background)), theme::rgba(background));
                if (ratio < 4.5)
                    failing << QStringLiteral("%1 on %2: %3")
                                   .arg(QLatin1String(name), background.name())
                                   .arg(ratio, 0, 'f', 2);
            }
        }
        QApplication::setPalette(before);
        QVERIFY2(failing.isEmpty(), qPrintable(failing.join(QLatin1String("; "))));
    }
};

QTEST_MAIN(TestTheme)
#include "test_theme.moc"
