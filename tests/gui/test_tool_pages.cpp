// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_models.h"
#include "fake_desktop.h"
#include "find_widget.h"
#include "gui/kit/color_well.h"
#include "gui/kit/theme.h"
#include "gui/studio/studio_window.h"
#include "gui/views/swatch_grid.h"
#include "model/items/color_roles.h"
#include "model/library/store.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

using namespace pigmentry;
using test::shown;

namespace {

struct Fixture : test::DesktopModels {
    StudioWindow window{store, shortcuts, temp.prefs(), desktop.get(), [] {}};

    explicit Fixture(Page page)
    {
        window.show();
        window.setPage(page);
    }
    template <typename T = QWidget>
    T *get(const QString &name) const
    {
        return shown<T>(&window, name);
    }
    QString text(const QString &name) const { return get<QLabel>(name)->text(); }
    QStringList row(const QString &rule) const
    {
        auto *tiles = shown<SwatchGrid>(get(rule), rule);
        QStringList codes;
        for (int i = 0; i < tiles->model()->rowCount(); ++i)
            codes << tiles->model()->index(i, 0).data(HexRole).toString();
        return codes;
    }
};

} // namespace

class TestToolPages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The rows follow the selection; a tile selects; Save keeps the row.
    void harmonyFollowsAndSaves()
    {
        Fixture f(Page::harmony);
        f.store.select(RGBA{1, 0, 0, 0.5});
        QCOMPARE(f.row("Complementary"), (QStringList{"#FF0000", "#00FFFF"}));
        QCOMPARE(f.row("Tetradic"), (QStringList{"#FF0000", "#80FF00", "#00FFFF", "#8000FF"}));

        auto *tiles = shown<SwatchGrid>(f.get("Triadic"), "Triadic");
        QTest::mouseClick(tiles->viewport(), Qt::LeftButton, {},
                          tiles->visualRect(tiles->model()->index(1, 0)).center());
        QCOMPARE(f.store.selected(), (RGBA{0, 1, 0, 1}));
        QCOMPARE(f.row("Complementary"), (QStringList{"#00FF00", "#FF00FF"}));

        shown<QPushButton>(f.get("Tetradic"), "Save Palette, Tetradic")->click();
        const Palette saved = f.store.library().palettes.last();
        QCOMPARE(saved.name, QStringLiteral("Tetradic"));
        QCOMPARE(saved.colors.size(), 4);
        QVERIFY(saved.notes.isEmpty());
        QVERIFY(test::readFile(f.temp.libraryPath()).contains("\"name\":\"Tetradic\""));
    }

    void gradientAngleEndAndCss()
    {
        Fixture f(Page::gradient);
        f.store.select(RGBA{1, 0.5, 0, 0.3});
        QCOMPARE(f.get<QSpinBox>("angleDegrees")->value(), 90);
        f.get<QPushButton>("copyCss")->click();
        QCOMPARE(f.desktop.clipboard->text(), QStringLiteral("linear-gradient(90deg, #FF8000 0%, #AF52DE 100%)"));
        QVERIFY(f.store.notice().isEmpty());

        auto *angle = f.get<QSlider>("angle");
        angle->setValue(4570);
        QCOMPARE(f.get<QSpinBox>("angleDegrees")->value(), 45);
        auto *well = f.get<ColorWell>("endColor");
        Q_EMIT well->edited(RGBA{0.5, 0, 0.5, 1});
        f.get<QPushButton>("copyCss")->click();
        QCOMPARE(f.desktop.clipboard->text(), QStringLiteral("linear-gradient(45deg, #FF8000 0%, #800080 100%)"));

        // The page's state outlives the window's closing.
        f.window.close();
        f.window.show();
        QCOMPARE(f.get<QSpinBox>("angleDegrees")->value(), 45);
        // Typed, the angle moves the slider too; the start stop has a well.
        f.get<QSpinBox>("angleDegrees")->setValue(120);
        QCOMPARE(angle->value(), 12000);
        Q_EMIT f.get<ColorWell>("startColor")->edited(RGBA{0, 0, 1, 1});
        QCOMPARE(f.store.selected(), (RGBA{0, 0, 1, 1}));
        f.get<QPushButton>("copyCss")->click();
        QCOMPARE(f.desktop.clipboard->text(), QStringLiteral("linear-gradient(120deg, #0000FF 0%, #800080 100%)"));
        angle->setValue(36000);
        f.get<QPushButton>("copyCss")->click();
        QVERIFY(f.desktop.clipboard->text().startsWith(QLatin1String("linear-gradient(360deg, ")));
    }

    // Ratio and verdicts are the real colours'; Swap exchanges them; the
    // vision changes only the sample.
    // Where a normal level fails, the nearest passing text colour is offered;
    // "Use" takes it, Ctrl+Z takes it back.
    void contrastSuggestionsAreUsed()
    {
        Fixture f(Page::contrast);
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QApplication::setActiveWindow(&f.window);
        const RGBA grey{0x77 / 255.0, 0x77 / 255.0, 0x77 / 255.0, 1};
        f.store.select(grey);
        QWidget *aa = f.get("suggest AA normal");
        QVERIFY(f.get("suggest AAA normal"));
        QCOMPARE(shown<QLabel>(aa, QString())->text(), QStringLiteral("Nearest text color for AA normal: #767676"));
        shown<QPushButton>(aa, QString())->click();
        QCOMPARE(f.store.selected().hex(), QStringLiteral("#767676"));
        // Now AA normal passes and its offer goes.
        QVERIFY(!f.get("suggest AA normal"));
        QTest::keyClick(&f.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.store.selected(), grey);
        // Where neither black nor white reaches the level, it says so.
        Q_EMIT f.get<ColorWell>("background")->edited(RGBA{0.5, 0.5, 0.5, 1});
        QWidget *aaa = f.get("suggest AAA normal");
        QCOMPARE(shown<QLabel>(aaa, QString())->text(),
                 QStringLiteral("No text color reaches AAA normal on this background."));
        QVERIFY(!shown<QPushButton>(aaa, QString()));
    }

    // The inspector page's tint scale follows the colour, chooses a step on
    // a click and is saved under the colour's name, its steps named.
    void tintScaleOnTheInspectorPage()
    {
        Fixture f(Page::picker);
        f.store.select(*RGBA::fromHex(QStringLiteral("#3B82F6")));
        auto *steps = f.get<SwatchGrid>("tintScale");
        QCOMPARE(steps->model()->rowCount(), 11);
        QCOMPARE(steps->model()->index(5, 0).data(HexRole).toString(), QStringLiteral("#3B82F6"));
        QCOMPARE(steps->model()->index(0, 0).data(Qt::DisplayRole).toString(), QStringLiteral("50"));
        f.get<QPushButton>("saveScale")->click();
        const Palette saved = f.store.library().palettes.last();
        QCOMPARE(saved.name, QStringLiteral("Dodger blue scale"));
        QCOMPARE(saved.colors.size(), 11);
        QCOMPARE(saved.colorName(10), QStringLiteral("950"));
        QTest::mouseClick(steps->viewport(), Qt::LeftButton, {},
                          steps->visualRect(steps->model()->index(9, 0)).center());
        QCOMPARE(f.store.selected().hex(), saved.colors.at(9).hex());
    }

    void contrastVerdictsSwapAndVision()
    {
        Fixture f(Page::contrast);
        f.store.select(RGBA{0, 0, 0, 0.2});
        QCOMPARE(f.text("ratio"), QStringLiteral("21.00 : 1"));
        for (const char *level : {"AA normal", "AA large", "AAA normal", "AAA large"})
            QCOMPARE(f.text(level), QStringLiteral("Pass"));

        f.store.select(RGBA{0x76 / 255.0, 0x76 / 255.0, 0x76 / 255.0, 1});
        QCOMPARE(f.text("ratio"), QStringLiteral("4.54 : 1"));
        QCOMPARE(f.text("AAA normal"), QStringLiteral("Fail"));
        // Read out whole, the ratio named.
        QCOMPARE(f.get<QLabel>("AAA normal")->accessibleName(), QStringLiteral("AAA normal: Fail"));
        QVERIFY(f.get<QLabel>("AA normal")->accessibleName().endsWith(QLatin1String(": Pass")));
        QVERIFY(f.get("sample")->accessibleDescription().contains(QLatin1String("Sample button")));
        // At the smallest size the vision picker stands clear of the sample.
        f.window.resize(StudioWindow::smallestSize);
        QCoreApplication::processEvents();
        QWidget *card = f.get("sample");
        QWidget *picker = f.get("vision");
        const QRect sampleArea(card->mapTo(&f.window, QPoint()), card->size());
        const QRect pickerArea(picker->mapTo(&f.window, QPoint()), picker->size());
        QVERIFY(!sampleArea.intersects(pickerArea));
        QCOMPARE(f.get<QLabel>("AAA normal")->palette().color(QPalette::WindowText), theme::red());
        QCOMPARE(f.get<QLabel>("AA normal")->palette().color(QPalette::WindowText), theme::green());

        f.get<QPushButton>("swap")->click();
        QCOMPARE(f.store.selected(), (RGBA{1, 1, 1, 1}));
        QCOMPARE(f.text("ratio"), QStringLiteral("4.54 : 1"));

        auto *sample = f.get("sample");
        const QColor before = sample->grab().toImage().pixelColor(20, 20);
        Q_EMIT f.get<ColorWell>("background")->edited(RGBA{1, 0, 0, 0.5});
        QCOMPARE(f.text("ratio"), QStringLiteral("4.00 : 1"));
        const QColor red = sample->grab().toImage().pixelColor(20, 20);
        QVERIFY(red != before);
        f.get<QComboBox>("vision")->setCurrentIndex(4);
        const QColor grey = sample->grab().toImage().pixelColor(20, 20);
        QCOMPARE(grey.red(), grey.green());
        QVERIFY(grey != red);
        QCOMPARE(f.text("ratio"), QStringLiteral("4.00 : 1"));
    }
};

QTEST_MAIN(TestToolPages)
#include "test_tool_pages.moc"
