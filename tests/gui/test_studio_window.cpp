#include "app/pages/inspector.h"
#include "app/pages/picker_page.h"
#include "app/pages/swatch_tile.h"
#include "app/studio_window.h"
#include "app/widgets.h"
#include "fake_hot_keys.h"
#include "model/store.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace pigmentry;

namespace {

struct Fixture {
    test::TempSettings temp;
    test::FakeHotKeys hotKeys;
    Store store{temp.prefs(), temp.libraryPath()};
    ShortcutSettings shortcuts{temp.prefs(), hotKeys};
    int picks = 0;
    StudioWindow window{store, shortcuts, temp.prefs(), [this] { ++picks; }};

    Fixture()
    {
        temp.prefs().setBoolean("autoCopy", false);
        window.show();
    }

    void enterHex(const QString &text)
    {
        window.inspector()->hexField()->setText(text);
        window.inspector()->submitHex();
    }
};

RGBA grey(int i)
{
    return RGBA{i / 255.0, i / 255.0, i / 255.0, 1.0};
}

} // namespace

class TestStudioWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensOnTheColorInspector()
    {
        Fixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Pigmentry — Color Studio"));
        QCOMPARE(f.window.size(), QSize(1180, 780));
        QCOMPARE(f.window.minimumSize(), QSize(1000, 680));
        QCOMPARE(f.window.page(), std::optional<Page>(Page::picker));
        QCOMPARE(f.window.pageTitle()->text(), QStringLiteral("Color Inspector"));
        QCOMPARE(f.window.pageSubtitle()->text(), QStringLiteral("Capture, refine, and make it yours."));
        QVERIFY(f.window.inspectorColumn()->isVisible());
        QCOMPARE(f.window.inspectorColumn()->width(), 280);
        QCOMPARE(f.window.statusText()->text(), QStringLiteral("On-device color tools"));
    }

    void sidebarListsNinePagesInThreeSections()
    {
        Fixture f;
        QStringList rows;
        for (int i = 0; i < f.window.sidebar()->count(); ++i)
            rows << f.window.sidebar()->item(i)->text();
        QCOMPARE(rows, (QStringList{"LIBRARY", "Color Inspector", "Recent Colors", "Favorites", "My Palettes",
                                    "DESIGN TOOLS", "Color Harmony", "Gradient Studio", "Contrast Checker",
                                    "Image Extraction", "", "Settings"}));
    }

    void settingsHasNoInspector()
    {
        Fixture f;
        f.window.setPage(Page::settings);
        QVERIFY(!f.window.inspectorColumn()->isVisible());
        QCOMPARE(f.window.pageMaximumWidth(), 720);
        f.window.setPage(Page::gradient);
        QVERIFY(f.window.inspectorColumn()->isVisible());
        QCOMPARE(f.window.pageMaximumWidth(), 900);
        QCOMPARE(f.window.pageTitle()->text(), QStringLiteral("Gradient Studio"));
    }

    void emptySelectionShowsTheColorInspector()
    {
        Fixture f;
        f.window.setPage(Page::harmony);
        f.window.sidebar()->clearSelection();
        QCOMPARE(f.window.page(), std::nullopt);
        QCOMPARE(f.window.pageTitle()->text(), QStringLiteral("Color Inspector"));
        QVERIFY(f.window.pickerPage()->isVisible());
        QVERIFY(f.window.inspectorColumn()->isVisible());
    }

    void statusBarShowsTheNoticeAfterACopy()
    {
        Fixture f;
        f.store.copy(f.store.selected());
        QCOMPARE(f.window.statusText()->text(), QStringLiteral("Copied #3B82F5"));
    }

    void hexEntry()
    {
        Fixture f;
        Inspector *inspector = f.window.inspector();
        f.enterHex(QStringLiteral("3b82f6"));
        QCOMPARE(f.store.selected(), *RGBA::fromHex(QStringLiteral("#3B82F6")));
        QCOMPARE(inspector->hexField()->text(), QStringLiteral("#3B82F6"));

        // The same colour again changes nothing: the field keeps the text.
        f.enterHex(QStringLiteral("  3B82f6 "));
        QCOMPARE(inspector->hexField()->text(), QStringLiteral("  3B82f6 "));

        f.enterHex(QStringLiteral("#3B82F680"));
        QCOMPARE(f.store.selected().a, 128 / 255.0);
        QCOMPARE(inspector->hexField()->text(), QStringLiteral("#3B82F6"));
        QCOMPARE(inspector->opacityLabel()->text(), QStringLiteral("50%"));

        f.enterHex(QStringLiteral("#FFF"));
        QCOMPARE(inspector->errorLabel()->text(), QStringLiteral("Use 6 or 8 hexadecimal digits."));
        QVERIFY(inspector->errorLabel()->isVisible());
        QCOMPARE(f.store.selected().a, 128 / 255.0);
        // Another change of the colour keeps the message; a valid entry clears it.
        f.store.select(grey(9));
        QVERIFY(inspector->errorLabel()->isVisible());
        f.enterHex(QStringLiteral("#FF8000"));
        QVERIFY(!inspector->errorLabel()->isVisible());
        QCOMPARE(f.store.selected(), (RGBA{1, 128 / 255.0, 0, 1}));
        QVERIFY(f.store.library().history.isEmpty()); // nothing is saved
    }

    void copyInTheChosenFormat()
    {
        Fixture f;
        Inspector *inspector = f.window.inspector();
        inspector->formatPicker()->setCurrentText(QStringLiteral("JSON"));
        QCOMPARE(inspector->copyButton()->text(), QStringLiteral("Copy JSON"));
        QTest::mouseClick(inspector->copyButton(), Qt::LeftButton);
        QCOMPARE(f.store.notice(), QStringLiteral("Copied #3B82F5"));
    }

    void recentCardShowsTheNewestSix()
    {
        Fixture f;
        QVERIFY(!f.window.pickerPage()->recentCard()->isVisible());
        for (int i = 1; i <= 10; ++i)
            f.store.capture(grey(i));
        QVERIFY(f.window.pickerPage()->recentCard()->isVisible());
        const QList<SwatchTile *> tiles = f.window.pickerPage()->recentTiles();
        QCOMPARE(tiles.size(), 6);
        QCOMPARE(tiles.first()->color(), grey(10));
        QVERIFY(tiles.first()->isSelectedColor());
        QTest::mouseClick(tiles.at(3), Qt::LeftButton);
        QCOMPARE(f.store.selected(), grey(7));
        QVERIFY(tiles.at(3)->isSelectedColor());
        QVERIFY(!tiles.first()->isSelectedColor());
        QCOMPARE(f.window.pickerPage()->largeSwatch()->color(), grey(7));
    }

    void recentTilesAfterNarrowingMatchAFreshLayout()
    {
        // Columns of an earlier, wider arrangement must not keep taking space.
        const auto tileWidths = [](int firstWidth, int secondWidth) {
            Fixture f;
            for (int i = 1; i <= 6; ++i)
                f.store.capture(grey(i));
            for (const int width : {firstWidth, secondWidth}) {
                f.window.resize(width, 780);
                QTest::qWait(50);
            }
            QList<int> widths;
            for (SwatchTile *tile : f.window.pickerPage()->recentTiles())
                widths.append(tile->width());
            return widths;
        };
        QCOMPARE(tileWidths(1600, 1000), tileWidths(1000, 1000));
    }

    void paletteMenuWithoutPalettesOpensMyPalettes()
    {
        Fixture f;
        QMenu *menu = f.window.inspector()->paletteButton()->menu();
        Q_EMIT menu->aboutToShow();
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("Create a palette in My Palettes"));
        menu->actions().first()->trigger();
        QCOMPARE(f.window.page(), std::optional<Page>(Page::palettes));

        f.store.createPalette(QStringLiteral("Warm"));
        Q_EMIT menu->aboutToShow();
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("Warm"));
        menu->actions().first()->trigger();
        QCOMPARE(f.store.library().palettes.first().colors.size(), 2);
    }

    void keysNoteFollowsThePickerMode()
    {
        Fixture f;
        QVERIFY(f.window.pickerPage()->keysNote()->text().startsWith(QStringLiteral("Precision mode · Shift + arrows")));
        f.temp.prefs().setBoolean("useNativePicker", true);
        f.window.setPage(Page::history);
        f.window.setPage(Page::picker);
        QVERIFY(f.window.pickerPage()->keysNote()->text().startsWith(QStringLiteral("Using the built-in desktop picker.")));
    }
};

QTEST_MAIN(TestStudioWindow)
#include "test_studio_window.moc"
