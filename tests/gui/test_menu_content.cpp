#include "app/menu_content.h"
#include "app/popover.h"
#include "app/widgets.h"
#include "fake_hot_keys.h"
#include "model/store.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace pigmentry;

namespace {

struct Fixture {
    test::TempSettings temp;
    test::FakeHotKeys hotKeys;
    Store store{temp.prefs(), temp.libraryPath()};
    ShortcutSettings shortcuts{temp.prefs(), hotKeys};
    int picks = 0, opens = 0;
    MenuContent menu{store, shortcuts, [this] { ++picks; }, [this] { ++opens; }};

    Fixture() { temp.prefs().setBoolean("autoCopy", false); }
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
        QVERIFY(f.menu.recentTiles().isEmpty());
        QCOMPARE(f.menu.copyButton()->text(), QStringLiteral("Copy #3B82F5"));
        QCOMPARE(f.menu.footer()->text(), QStringLiteral("Local. Private. Ready."));
        QCOMPARE(f.menu.shortcutText(), QStringLiteral("Shift+Super+P"));
        QCOMPARE(f.menu.swatch()->captionText(), QStringLiteral("#3B82F5"));
    }

    void twelveRecordsShowTheNewestEight()
    {
        Fixture f;
        for (int i = 1; i <= 12; ++i)
            f.store.capture(grey(i));
        const QList<QAbstractButton *> tiles = f.menu.recentTiles();
        QCOMPARE(tiles.size(), 8);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(static_cast<ColorButton *>(tiles.at(i))->color(), grey(12 - i));
            QCOMPARE(tiles.at(i)->toolTip(), QLatin1String("Copy ") + grey(12 - i).hex());
        }
        // Everything fits the fixed panel: no row is squeezed over another.
        QVERIFY2(f.menu.layout()->minimumSize().height() <= f.menu.height(),
                 qPrintable(QString::number(f.menu.layout()->minimumSize().height())));
    }

    void tileSelectsAndCopies()
    {
        Fixture f;
        f.temp.prefs().setText("format", "RGB");
        f.store.capture(RGBA{1, 0.5, 0, 1});
        f.store.select(grey(3));
        QTest::mouseClick(f.menu.recentTiles().first(), Qt::LeftButton);
        QCOMPARE(f.store.selected(), (RGBA{1, 0.5, 0, 1}));
        QCOMPARE(f.menu.copyButton()->text(), QStringLiteral("Copy #FF8000"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("rgb(255, 128, 0)"));
        QCOMPARE(f.menu.footer()->text(), QStringLiteral("Copied #FF8000"));
    }

    void captionIsBlackOnlyAboveLuminance04()
    {
        Fixture f;
        const RGBA light = greyWithLuminance(0.41);
        f.store.select(light);
        QCOMPARE(f.menu.swatch()->captionColor(), QColor(Qt::black));
        // A colour whose luminance is exactly 0.4 keeps white text.
        const RGBA boundary{0, 0.7406023092426888, 0.7406023092426888, 1};
        QCOMPARE(boundary.luminance(), 0.4);
        f.store.select(boundary);
        QCOMPARE(f.menu.swatch()->captionColor(), QColor(Qt::white));
    }

    void clampedHexForOutOfRangeColours()
    {
        Fixture f;
        f.store.select(RGBA{-0.2, 1.4, 0.5, 1});
        QCOMPARE(f.menu.swatch()->captionText(), QStringLiteral("#00FF80"));
    }

    void followsNoticeAndShortcut()
    {
        Fixture f;
        QTest::mouseClick(f.menu.copyButton(), Qt::LeftButton);
        QCOMPARE(f.menu.footer()->text(), QStringLiteral("Copied #3B82F5"));
        f.shortcuts.action = [] {};
        f.shortcuts.beginRecording();
        f.shortcuts.set(ShortcutConfiguration{quint32(Qt::Key_K), ShortcutConfiguration::Ctrl | ShortcutConfiguration::Alt, "K"});
        QCOMPARE(f.menu.shortcutText(), QStringLiteral("Ctrl+Alt+K"));
        QTest::mouseClick(f.menu.pickButton(), Qt::LeftButton);
        QCOMPARE(f.picks, 1);
    }

    void popoverPlacement_data()
    {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("topLeft");
        const QRect screen(0, 0, 1920, 1080);
        Q_UNUSED(screen);
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
