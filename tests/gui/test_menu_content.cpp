// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_desktop.h"
#include "find_widget.h"
#include "gui/kit/color_patch.h"
#include "gui/kit/labels.h"
#include "gui/popover/menu_content.h"
#include "gui/popover/popover.h"
#include "gui/views/swatch_grid.h"
#include "model/items/color_roles.h"
#include "model/library/store.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"

#include <QHelpEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

using namespace pigmentry;

namespace {

struct Fixture {
    test::TempSettings temp;
    test::FakeHotKeys hotKeys;
    test::FakeClipboard clipboard;
    Store store{temp.prefs(), clipboard, temp.libraryPath()};
    ShortcutSettings shortcuts{temp.prefs(), hotKeys};
    int picks = 0, newPalettes = 0, opens = 0, quits = 0;
    MenuContent menu{
        store, shortcuts, {[this] { ++picks; }, [this] { ++newPalettes; }, [this] { ++opens; }, [this] { ++quits; }}};

    Fixture()
    {
        temp.prefs().setBoolean("autoCopy", false);
        menu.show();
    }

    ColorPatch *swatch() const { return test::named<ColorPatch>(&menu, QStringLiteral("swatch")); }
    SwatchGrid *recent() const { return test::named<SwatchGrid>(&menu, QStringLiteral("recentColors")); }
    QString text(const QString &name) const
    {
        if (auto *button = test::named<QPushButton>(&menu, name))
            return button->text();
        return test::named<QLabel>(&menu, name)->text();
    }
    QList<RGBA> tiles() const
    {
        QList<RGBA> colors;
        for (int row = 0; row < recent()->model()->rowCount(); ++row)
            colors << recent()->model()->index(row, 0).data(ColorRole).value<RGBA>();
        return colors;
    }
    void clickTile(int row)
    {
        SwatchGrid *grid = recent();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 0)).center());
    }
};

RGBA grey(int i)
{
    return RGBA{i / 255.0, i / 255.0, i / 255.0, 1.0};
}

// A grey whose luminance is the given value, found by bisection.
RGBA greyWithLuminance(double target)
{
    double lo = 0, hi = 1;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (RGBA{mid, mid, mid, 1}.luminance() < target ? lo : hi) = mid;
    }
    return RGBA{hi, hi, hi, 1};
}

} // namespace

class TestMenuContent : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyHistoryShowsNoRecentRow()
    {
        Fixture f;
        QCOMPARE(f.menu.size(), QSize(310, 340));
        QVERIFY(!test::shown(&f.menu, QStringLiteral("recentColors")));
        QCOMPARE(f.text("copyButton"), QStringLiteral("Copy HEX"));
        QCOMPARE(f.text("footer"), QStringLiteral("Local. Private. Ready."));
        QCOMPARE(f.text("shortcutText"), QStringLiteral("Shift+Super+P"));
        QCOMPARE(f.swatch()->captionText(), QStringLiteral("#3B82F5"));
        QCOMPARE(f.swatch()->accessibleName(), QStringLiteral("Color #3B82F5"));
    }

    void twelveRecordsShowTheNewestEight()
    {
        Fixture f;
        for (int i = 1; i <= 12; ++i)
            f.store.capture(grey(i));
        QVERIFY(test::shown(&f.menu, QStringLiteral("recentColors")));
        QList<RGBA> expected;
        for (int i = 12; i > 4; --i)
            expected << grey(i);
        QCOMPARE(f.tiles(), expected);
        // Every tile is whole on one row, and the panel keeps its size.
        SwatchGrid *grid = f.recent();
        QCOMPARE(grid->columnCount(), 8);
        QVERIFY(grid->viewport()->rect().contains(grid->visualRect(grid->model()->index(7, 0))));
        QVERIFY2(f.menu.layout()->minimumSize().height() <= f.menu.height(),
                 qPrintable(QString::number(f.menu.layout()->minimumSize().height())));

        QHelpEvent help(QEvent::ToolTip, grid->visualRect(grid->model()->index(0, 0)).center(), QPoint(10, 10));
        QCoreApplication::sendEvent(grid->viewport(), &help);
        QCOMPARE(QToolTip::text(), QLatin1String("Copy ") + grey(12).hex());
    }

    void capturesCreateNoWidgets()
    {
        Fixture f;
        f.store.capture(grey(1));
        const qsizetype widgets = f.menu.findChildren<QObject *>().size();
        for (int i = 2; i < 40; ++i)
            f.store.capture(grey(i));
        f.store.deleteRecord(f.store.library().history.first().id);
        QCOMPARE(f.menu.findChildren<QObject *>().size(), widgets);
    }

    void tileSelectsAndCopies()
    {
        Fixture f;
        f.temp.prefs().setText("format", "RGB");
        f.store.capture(RGBA{1, 0.5, 0, 1});
        f.store.select(grey(3));
        f.clickTile(0);
        QCOMPARE(f.store.selected(), (RGBA{1, 0.5, 0, 1}));
        QCOMPARE(f.text("copyButton"), QStringLiteral("Copy RGB"));
        QCOMPARE(f.clipboard.text(), QStringLiteral("rgb(255, 128, 0)"));
        QCOMPARE(f.text("footer"), QStringLiteral("Copied #FF8000"));

        // From the keyboard: the tiles take focus, Return copies.
        f.store.capture(grey(7));
        SwatchGrid *grid = f.recent();
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(1, 0));
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(f.store.selected(), (RGBA{1, 0.5, 0, 1}));
        QCOMPARE(f.clipboard.texts.size(), 2);
    }

    // The caption is whichever of black and white contrasts more with the
    // colour: black from a luminance of about 0.179, where the ratios meet.
    void captionTakesTheHigherContrast()
    {
        Fixture f;
        f.store.select(greyWithLuminance(0.19));
        QCOMPARE(f.swatch()->captionColor(), QColor(Qt::black));
        f.store.select(greyWithLuminance(0.17));
        QCOMPARE(f.swatch()->captionColor(), QColor(Qt::white));
        // White on this green is 2.42 : 1, black 8.7 : 1.
        f.store.select(*RGBA::fromHex(QStringLiteral("#8AB17D")));
        QCOMPARE(f.swatch()->captionColor(), QColor(Qt::black));
    }

    void clampedHexForOutOfRangeColours()
    {
        Fixture f;
        f.store.select(RGBA{-0.2, 1.4, 0.5, 1});
        QCOMPARE(f.swatch()->captionText(), QStringLiteral("#00FF80"));
    }

    void followsNoticeAndShortcut()
    {
        Fixture f;
        QTest::mouseClick(test::named<QPushButton>(&f.menu, QStringLiteral("copyButton")), Qt::LeftButton);
        QCOMPARE(f.text("footer"), QStringLiteral("Copied #3B82F5"));
        f.shortcuts.action = [] {};
        f.shortcuts.beginRecording();
        f.shortcuts.set(
            ShortcutConfiguration{quint32(Qt::Key_K), ShortcutConfiguration::Ctrl | ShortcutConfiguration::Alt, "K"});
        QCOMPARE(f.text("shortcutText"), QStringLiteral("Ctrl+Alt+K"));
        QTest::mouseClick(test::named<QPushButton>(&f.menu, QStringLiteral("pickButton")), Qt::LeftButton);
        QCOMPARE(f.picks, 1);
        QTest::mouseClick(test::named<QPushButton>(&f.menu, QStringLiteral("quit")), Qt::LeftButton);
        QCOMPARE(f.quits, 1);
    }

    // The copy button names the format it copies in, never a code cut in
    // its middle; the code itself is on the card, under the hex code, and
    // whole in the tooltips.
    void copyButtonNamesTheFormat()
    {
        Fixture f;
        f.temp.prefs().setText("format", QStringLiteral("RGB"));
        f.store.select(RGBA{59 / 255.0, 130 / 255.0, 245 / 255.0, 1});
        QCOMPARE(f.text("copyButton"), QStringLiteral("Copy RGB"));
        QCOMPARE(f.swatch()->toolTip(), QStringLiteral("rgb(59, 130, 245)"));
        QTest::mouseClick(test::named<QPushButton>(&f.menu, QStringLiteral("copyButton")), Qt::LeftButton);
        QCOMPARE(f.clipboard.text(), QStringLiteral("rgb(59, 130, 245)"));

        // A format changed elsewhere shows when the panel is shown again.
        f.temp.prefs().setText("format", QStringLiteral("OKLCH"));
        f.menu.hide();
        f.menu.show();
        auto *button = test::named<QPushButton>(&f.menu, QStringLiteral("copyButton"));
        QCOMPARE(button->text(), QStringLiteral("Copy OKLCH"));
        QCOMPARE(button->toolTip(), QStringLiteral("Copy ") + f.store.selected().formatted(QStringLiteral("OKLCH")));
        QVERIFY(button->width() <= MenuContent::copyButtonWidth);
        // HEX shows no second code.
        f.temp.prefs().setText("format", QStringLiteral("HEX"));
        f.menu.hide();
        f.menu.show();
        QVERIFY(f.swatch()->toolTip().isEmpty());
    }

    // A failure is marked as one; a long notice
    // is elided with "…", never cut, and stays whole as text and tooltip.
    void failuresAreMarked()
    {
        Fixture f;
        QTest::mouseClick(test::named<QPushButton>(&f.menu, QStringLiteral("copyButton")), Qt::LeftButton);
        QVERIFY(!test::named<QWidget>(&f.menu, QStringLiteral("footerMark"))->isVisible());

        const QString reason =
            QStringLiteral("Invalid palette: the data is not valid JSON (at offset 0: illegal value)");
        f.store.setNotice(reason, Store::NoticeKind::Failure);
        QVERIFY(test::named<QWidget>(&f.menu, QStringLiteral("footerMark"))->isVisible());
        auto *footer = test::named<NoticeLabel>(&f.menu, QStringLiteral("footer"));
        QCOMPARE(footer->text(), reason);
        QCOMPARE(footer->toolTip(), reason);
        const QString shown = footer->shownText();
        QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
        QVERIFY(reason.startsWith(shown.chopped(1)));
        QVERIFY(footer->fontMetrics().horizontalAdvance(shown) <= footer->contentsRect().width());

        f.store.copy(f.store.selected());
        QVERIFY(!test::named<QWidget>(&f.menu, QStringLiteral("footerMark"))->isVisible());
    }

    void popoverPlacement_data()
    {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("below an icon in a top panel") << QRect(1800, 0, 24, 24) << QPoint() << QPoint(1610, 28);
        QTest::newRow("above an icon in a bottom panel") << QRect(1000, 1056, 24, 24) << QPoint() << QPoint(857, 712);
        QTest::newRow("near the pointer without geometry") << QRect() << QPoint(100, 900) << QPoint(0, 552);
    }

    void popoverPlacement()
    {
        QFETCH(QRect, anchor);
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, topLeft);
        QCOMPARE(Popover::placement(anchor, pointer, QRect(0, 0, 1920, 1080), MenuContent::panelSize), topLeft);
    }
};

QTEST_MAIN(TestMenuContent)
#include "test_menu_content.moc"
