// SPDX-License-Identifier: GPL-3.0-or-later
// Every text tone of the theme reads against the backgrounds it is drawn on,
// in light and dark palettes: 4.5 : 1, as WCAG asks of normal text.
#include "gui/kit/color_patch.h"
#include "gui/kit/style.h"
#include "gui/kit/theme.h"
#include "gui/views/swatch_delegate.h"
#include "gui/views/swatch_grid.h"
#include "model/items/color_list_model.h"
#include "tools/contrast.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QSvgRenderer>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace pigmentry;

namespace {

QPalette paletteOf(QColor window, QColor base, QColor text)
{
    // Every role derived from the window, as a desktop's theme gives them.
    QPalette palette(window, window);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, window);
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::ButtonText, text);
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
    void initTestCase() { installStyle(); }

    void textTonesRead_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << paletteOf(QColor(0xEF, 0xEF, 0xEF), Qt::white, Qt::black);
        QTest::newRow("dark") << paletteOf(QColor(30, 30, 32), QColor(44, 44, 46), QColor(240, 240, 240));
        QTest::newRow("dark, Adwaita") << paletteOf(QColor(0x24, 0x24, 0x24), QColor(0x1E, 0x1E, 0x1E), Qt::white);
        QTest::newRow("dark, cards on a darker window")
            << paletteOf(QColor(0x1A, 0x1A, 0x1A), QColor(0x24, 0x24, 0x24), QColor(0xDE, 0xDE, 0xDE));
    }

    // The palettes a focus ring and a code on a swatch must read in.
    void ringsAndCodesRead_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << paletteOf(QColor(0xEF, 0xEF, 0xEF), Qt::white, Qt::black);
        QTest::newRow("dark") << paletteOf(QColor(30, 30, 32), QColor(44, 44, 46), QColor(240, 240, 240));
        QTest::newRow("high contrast, light") << paletteOf(Qt::white, Qt::white, Qt::black);
        QTest::newRow("high contrast, dark") << paletteOf(Qt::black, Qt::black, Qt::white);
    }

    // Every control that takes the focus draws a ring that stands at 3 : 1
    // against what was there before; the grid's ring is whole around a cell
    // of the first row and unlike the outline of a selected colour; a code
    // on a swatch reads at 4.5 : 1 on its colour.
    void ringsAndCodesRead()
    {
        QFETCH(QPalette, palette);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(palette);

        QWidget card;
        card.setAutoFillBackground(true);
        card.setBackgroundRole(QPalette::Base);
        auto *layout = new QVBoxLayout(&card);
        auto *quit = new QPushButton(QStringLiteral("Quit"));
        quit->setFlat(true);
        auto *plain = new QPushButton(QStringLiteral("Save Palette"));
        auto *tool = new QToolButton;
        tool->setAutoRaise(true);
        tool->setFixedSize(20, 20);
        auto *field = new QLineEdit;
        ColorListModel colors;
        colors.setColors({RGBA{1, 0, 0, 1}, RGBA{0, 0.5, 1, 1}, RGBA{0.54, 0.69, 0.49, 1}});
        auto *grid = new SwatchGrid;
        grid->setCellSize(88, 68, false);
        grid->setFitsContent(true);
        grid->setItemDelegate(new SwatchDelegate(SwatchDelegate::Look::Tile, nullptr, grid));
        grid->setModel(&colors);
        for (QWidget *control : std::initializer_list<QWidget *>{quit, plain, tool, field, grid})
            layout->addWidget(control, 0, Qt::AlignLeft);
        card.resize(320, card.sizeHint().height());
        card.show();
        QVERIFY(QTest::qWaitForWindowExposed(&card));
        QApplication::setActiveWindow(&card);
        card.setFocus();
        // As after a Tab: a window forgets it when shown.
        card.setAttribute(Qt::WA_KeyboardFocusChange);
        const QImage plainCard = card.grab().toImage();

        // The strongest change a focus makes in the control's area and two
        // pixels around it.
        auto ring = [&](QWidget *control, QRect area, QColor *strongest) {
            control->setFocus(Qt::TabFocusReason);
            const QImage focused = card.grab().toImage();
            double best = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    const double ratio =
                        contrastRatio(theme::rgba(focused.pixelColor(x, y)), theme::rgba(plainCard.pixelColor(x, y)));
                    if (ratio > best) {
                        best = ratio;
                        if (strongest)
                            *strongest = focused.pixelColor(x, y);
                    }
                }
            }
            return best;
        };
        QStringList faint;
        for (QWidget *control : std::initializer_list<QWidget *>{quit, plain, tool, field}) {
            const double ratio = ring(control, control->geometry().adjusted(-2, -2, 2, 2), nullptr);
            if (ratio < 3.0)
                faint << QStringLiteral("%1: %2").arg(QLatin1String(control->metaObject()->className())).arg(ratio);
        }
        // The first cell's ring shows above it, inside the grid.
        const QRect cell = grid->visualRect(colors.index(0)).translated(grid->viewport()->mapTo(&card, QPoint()));
        QColor drawn;
        const double above = ring(grid, QRect(cell.left() + 20, cell.top() - 2, cell.width() - 40, 2), &drawn);
        if (above < 3.0)
            faint << QStringLiteral("the grid's ring above its first row: %1").arg(above);
        QVERIFY2(contrastRatio(theme::rgba(drawn), theme::rgba(theme::accent())) >= 3.0,
                 qPrintable(QStringLiteral("the grid's ring is the selection's accent: ") + drawn.name()));

        // A code on its colour, as the inspector and the popover show it.
        ColorPatch patch;
        patch.setColor(RGBA{0x8A / 255.0, 0xB1 / 255.0, 0x7D / 255.0, 1});
        patch.setCaption(QStringLiteral("#8AB17D"), theme::monospace(16, QFont::Bold));
        patch.resize(200, 80);
        const QImage swatch = patch.grab().toImage();
        double code = 0;
        for (int y = 0; y < swatch.height(); ++y) {
            for (int x = 0; x < swatch.width(); ++x)
                code = std::max(code, contrastRatio(theme::rgba(swatch.pixelColor(x, y)), patch.color()));
        }
        QApplication::setPalette(before);
        QVERIFY2(faint.isEmpty(), qPrintable(faint.join(QLatin1String("; "))));
        QVERIFY2(code >= 4.5, qPrintable(QString::number(code)));
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

    void controlsStandOut_data() { textTonesRead_data(); }

    // A control's edge stands at 3 : 1 on the window and on a card, and the
    // controls drawn on a card show it.
    void controlsStandOut()
    {
        QFETCH(QPalette, palette);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(palette);
        const QColor edge = controlEdge(palette);
        for (const auto role : {QPalette::Window, QPalette::Base})
            QVERIFY2(contrastRatio(theme::rgba(edge), theme::rgba(palette.color(role))) >= 3.0,
                     qPrintable(edge.name() + QLatin1String(" on ") + palette.color(role).name()));

        // Each control on a card; where its edge is, some pixel must stand
        // out from the card. Where that is: the check box's indicator, the
        // middle of a field's left side, the right side of a slider's knob
        // at the end of its track (the filled track lies to its left).
        QWidget card;
        card.setAutoFillBackground(true);
        card.setBackgroundRole(QPalette::Base);
        auto *layout = new QVBoxLayout(&card);
        auto *box = new QCheckBox(QStringLiteral("Automatically copy picked colors"));
        auto *combo = new QComboBox;
        combo->addItem(QStringLiteral("HEX"));
        auto *spin = new QSpinBox;
        auto *slider = new QSlider(Qt::Horizontal);
        slider->setValue(slider->maximum());
        for (QWidget *control : std::initializer_list<QWidget *>{box, combo, spin, slider})
            layout->addWidget(control);
        card.resize(300, card.sizeHint().height());
        card.show();
        QVERIFY(QTest::qWaitForWindowExposed(&card));
        const QImage drawn = card.grab().toImage();
        QStyleOptionButton option;
        option.initFrom(box);
        QStyleOptionSlider knob;
        knob.initFrom(slider);
        knob.minimum = slider->minimum();
        knob.maximum = slider->maximum();
        knob.sliderPosition = knob.sliderValue = slider->value();
        const QRect handle = slider->style()->subControlRect(QStyle::CC_Slider, &knob, QStyle::SC_SliderHandle, slider);
        auto middleOfLeft = [](QWidget *field) { return QRect(field->x(), field->y() + field->height() / 2, 3, 1); };
        const QList<std::pair<const char *, QRect>> edges = {
            {"check box",
             box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).translated(box->pos())},
            {"combo box", middleOfLeft(combo)},
            {"spin box", middleOfLeft(spin)},
            {"slider", QRect(handle.right() - 3, handle.center().y(), 4, 1).translated(slider->pos())},
        };
        QStringList faint;
        for (const auto &[name, area] : edges) {
            double strongest = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x)
                    strongest = std::max(
                        strongest,
                        contrastRatio(theme::rgba(drawn.pixelColor(x, y)), theme::rgba(palette.color(QPalette::Base))));
            }
            if (strongest < 3.0)
                faint << QStringLiteral("%1: %2").arg(QLatin1String(name)).arg(strongest, 0, 'f', 2);
        }
        QApplication::setPalette(before);
        QVERIFY2(faint.isEmpty(), qPrintable(faint.join(QLatin1String("; "))));
    }

    // The application icon as the package's PNG files are rendered from it:
    // nothing of the colours outside its rounded outline.
    void applicationIconIsRounded()
    {
        QSvgRenderer renderer(QStringLiteral(PIGMENTRY_SOURCE_DIR "/resources/io.github.pigmentry.Pigmentry.svg"));
        QVERIFY(renderer.isValid());
        QImage image(128, 128, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        for (const QPoint corner : {QPoint(10, 10), QPoint(117, 10), QPoint(10, 117), QPoint(117, 117)})
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
        QCOMPARE(qAlpha(image.pixel(30, 64)), 255);
    }
};

QTEST_MAIN(TestTheme)
#include "test_theme.moc"
