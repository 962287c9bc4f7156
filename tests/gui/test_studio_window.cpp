// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_models.h"
#include "fake_desktop.h"
#include "find_widget.h"
#include "gui/kit/color_patch.h"
#include "gui/kit/style.h"
#include "gui/studio/page.h"
#include "gui/studio/studio_window.h"
#include "gui/views/swatch_grid.h"
#include "model/items/color_roles.h"
#include "model/library/store.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>

using namespace pigmentry;
using test::named;
using test::shown;

namespace {

struct Fixture : test::DesktopModels {
    int picks = 0;
    StudioWindow window{store, shortcuts, temp.prefs(), desktop.get(), [this] { ++picks; }};

    Fixture()
    {
        temp.prefs().setBoolean("autoCopy", false);
        window.show();
    }

    // The page on screen, and a widget on it or in the frame around it.
    QWidget *page() const { return named<QStackedWidget>(&window, QStringLiteral("pages"))->currentWidget(); }
    QString text(const QString &name) const { return shown<QLabel>(&window, name)->text(); }
    QLineEdit *hexField() const { return named<QLineEdit>(&window, QStringLiteral("hexField")); }
    QWidget *inspector() const { return named(&window, QStringLiteral("inspectorColumn")); }
    SwatchGrid *recent() const { return named<SwatchGrid>(&window, QStringLiteral("recentColors")); }

    void enterHex(const QString &text)
    {
        hexField()->setText(text);
        QTest::keyClick(hexField(), Qt::Key_Return);
    }
};

RGBA grey(int i)
{
    return RGBA{i / 255.0, i / 255.0, i / 255.0, 1.0};
}

QColor pixelAt(QWidget *widget, const QPoint &point)
{
    return widget->grab().toImage().pixelColor(point * widget->devicePixelRatioF());
}

} // namespace

class TestStudioWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensOnTheColorInspector()
    {
        Fixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Pigmentry — Color Studio"));
        QCOMPARE(f.window.page(), std::optional<Page>(Page::picker));
        QCOMPARE(f.text("pageTitle"), QStringLiteral("Color Inspector"));
        QCOMPARE(f.text("pageSubtitle"), QStringLiteral("Capture, refine, and make it yours."));
        QCOMPARE(f.text("toolbarTitle"), QStringLiteral("Color Inspector"));
        QVERIFY(f.inspector()->isVisible());
        QCOMPARE(f.inspector()->width(), 280);
        QCOMPARE(f.text("statusText"), QStringLiteral("On-device color tools"));
        QCOMPARE(f.text("statusShortcut"), QStringLiteral("Shift+Super+P"));
        // The sidebar takes its ideal width.
        QCOMPARE(named(&f.window, QStringLiteral("sidebar"))->width(), 210);
    }

    // A shortcut that does nothing is not shown as if it worked.
    void unavailableShortcutIsSaidWhereItIsShown()
    {
        Fixture f;
        f.desktop.hotKeys->refused[{Qt::Key_P, 0x300}] = -10;
        f.shortcuts.action = [] {};
        f.shortcuts.activate();
        QCOMPARE(f.text("statusShortcut"), QStringLiteral("Shortcut unavailable"));
        QVERIFY(shown<QLabel>(&f.window, QStringLiteral("statusShortcut"))
                    ->toolTip()
                    .startsWith(QLatin1String("Shortcut unavailable (-10).")));
        QCOMPARE(f.text("shortcutText"), QStringLiteral("Shortcut unavailable"));
        f.desktop.hotKeys->refused.clear();
        f.shortcuts.activate();
        QCOMPARE(f.text("statusShortcut"), QStringLiteral("Shift+Super+P"));
        QCOMPARE(f.text("shortcutText"), QStringLiteral("Shift+Super+P"));
    }

    void sidebarListsNinePagesInThreeSections()
    {
        Fixture f;
        auto *sidebar = named<QListWidget>(&f.window, QStringLiteral("Pages"));
        QStringList rows;
        for (int i = 0; i < sidebar->count(); ++i)
            rows << sidebar->item(i)->text();
        QCOMPARE(
            rows,
            (QStringList{"LIBRARY", "Color Inspector", "Recent Colors", "Favorites", "My Palettes", "DESIGN TOOLS",
                         "Color Harmony", "Gradient Studio", "Contrast Checker", "Image Extraction", "", "Settings"}));
        // The keyboard walks the pages and skips the section headers.
        sidebar->setFocus();
        QTest::keyClick(sidebar, Qt::Key_Down);
        QTest::keyClick(sidebar, Qt::Key_Down);
        QTest::keyClick(sidebar, Qt::Key_Down);
        QTest::keyClick(sidebar, Qt::Key_Down);
        QCOMPARE(f.window.page(), std::optional<Page>(Page::harmony));
    }

    void pagesAreBuiltWhenFirstShown()
    {
        Fixture f;
        QVERIFY(named(&f.window, QStringLiteral("picker")));
        for (const Page page : allPages())
            if (page != Page::picker)
                QVERIFY2(!named(&f.window, key(page)), qPrintable(key(page)));
        f.window.setPage(Page::gradient);
        QWidget *gradient = f.page();
        QCOMPARE(gradient->objectName(), QStringLiteral("gradient"));
        f.window.setPage(Page::picker);
        f.window.setPage(Page::gradient);
        QCOMPARE(f.page(), gradient);
    }

    void settingsHasNoInspector()
    {
        Fixture f;
        f.window.setPage(Page::settings);
        QVERIFY(!f.inspector()->isVisible());
        QCOMPARE(shown(f.page(), QStringLiteral("pageBlock"))->maximumWidth(), 720);
        f.window.setPage(Page::gradient);
        QVERIFY(f.inspector()->isVisible());
        QCOMPARE(shown(f.page(), QStringLiteral("pageBlock"))->maximumWidth(), 900);
        QCOMPARE(f.text("pageTitle"), QStringLiteral("Gradient Studio"));
    }

    void emptySelectionShowsTheColorInspector()
    {
        Fixture f;
        f.window.setPage(Page::harmony);
        named<QListWidget>(&f.window, QStringLiteral("sidebar"))->clearSelection();
        QCOMPARE(f.window.page(), std::nullopt);
        QCOMPARE(f.text("pageTitle"), QStringLiteral("Color Inspector"));
        QVERIFY(shown(&f.window, QStringLiteral("largeSwatch")));
        QVERIFY(f.inspector()->isVisible());
    }

    void statusBarShowsTheNoticeAfterACopy()
    {
        Fixture f;
        QTest::mouseClick(named<QPushButton>(&f.window, QStringLiteral("copyColor")), Qt::LeftButton);
        QCOMPARE(f.text("statusText"), QStringLiteral("Copied #3B82F5"));
        QCOMPARE(f.desktop.clipboard->text(), QStringLiteral("#3B82F5"));
        QTest::mouseClick(named<QPushButton>(&f.window, QStringLiteral("pickColor")), Qt::LeftButton);
        QCOMPARE(f.picks, 1);
    }

    void hexEntry()
    {
        Fixture f;
        f.enterHex(QStringLiteral("3b82f6"));
        QCOMPARE(f.store.selected(), *RGBA::fromHex(QStringLiteral("#3B82F6")));
        QCOMPARE(f.hexField()->text(), QStringLiteral("#3B82F6"));

        // The same colour again changes nothing: the field keeps the text.
        f.enterHex(QStringLiteral("  3B82f6 "));
        QCOMPARE(f.hexField()->text(), QStringLiteral("  3B82f6 "));
        // Until the Studio is put on screen again.
        f.window.hide();
        f.window.show();
        QCOMPARE(f.hexField()->text(), QStringLiteral("#3B82F6"));

        f.enterHex(QStringLiteral("#3B82F680"));
        QCOMPARE(f.store.selected().a, 128 / 255.0);
        QCOMPARE(f.hexField()->text(), QStringLiteral("#3B82F6"));
        QCOMPARE(f.text("opacityText"), QStringLiteral("50%"));

        // Names and the short codes of CSS are understood; the field then
        // shows the six-digit code.
        f.enterHex(QStringLiteral("#FFF"));
        QCOMPARE(f.hexField()->text(), QStringLiteral("#FFFFFF"));
        f.enterHex(QStringLiteral("RebeccaPurple"));
        QCOMPARE(f.store.selected(), *RGBA::fromHex(QStringLiteral("#663399")));
        QCOMPARE(f.text("colorName"), QStringLiteral("rebeccapurple"));
        f.enterHex(QStringLiteral("#3B82F680"));

        f.enterHex(QStringLiteral("#FFFF0"));
        QCOMPARE(f.text("hexError"), QStringLiteral("Use a hex code (#RGB to #RRGGBBAA) or a CSS color."));
        QCOMPARE(f.store.selected().a, 128 / 255.0);
        // Another change of the colour keeps the message; a valid entry clears it.
        f.store.select(grey(9));
        QVERIFY(shown(&f.window, QStringLiteral("hexError")));
        f.enterHex(QStringLiteral("#FF8000"));
        QVERIFY(!shown(&f.window, QStringLiteral("hexError")));
        QCOMPARE(f.store.selected(), (RGBA{1, 128 / 255.0, 0, 1}));
        QVERIFY(f.store.library().history.isEmpty()); // nothing is saved
    }

    // Opacity in percent, as it is shown and read out: an arrow moves 1 %,
    // a page key 10 %, a click on the track jumps there.
    void opacityMovesInPercent()
    {
        installStyle();
        Fixture f;
        f.store.select(RGBA{0.2, 0.4, 0.6, 1});
        auto *slider = qobject_cast<QSlider *>(named(&f.window, QStringLiteral("opacitySlider")));
        QVERIFY(slider);
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Left);
        QCOMPARE(f.store.selected().a, 0.99);
        QTest::keyClick(slider, Qt::Key_PageDown);
        QCOMPARE(f.store.selected().a, 0.89);
        QCOMPARE(f.text("opacityText"), QStringLiteral("89%"));
        QAccessibleValueInterface *value = QAccessible::queryAccessibleInterface(slider)->valueInterface();
        QCOMPARE(value->currentValue().toInt(), 89);
        QCOMPARE(value->maximumValue().toInt(), 100);
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() / 4, slider->height() / 2));
        QVERIFY2(std::abs(f.store.selected().a - 0.25) <= 0.03, qPrintable(QString::number(f.store.selected().a)));
    }

    void colourEditorGivesTheSameColourAsItsHexCode()
    {
        Fixture f;
        QTest::mouseClick(named<QAbstractButton>(&f.window, QStringLiteral("Edit color")), Qt::LeftButton);
        auto *editor = f.window.findChild<QColorDialog *>();
        QVERIFY(editor && editor->isVisible());
        editor->setCurrentColor(QColor(59, 130, 246, 128));
        // Exactly what typing the code gives, so Save finds it equal.
        QCOMPARE(f.store.selected(), *RGBA::fromHex(QStringLiteral("#3B82F680")));
        f.store.capture(*RGBA::fromHex(QStringLiteral("#3B82F680")));
        f.store.capture(f.store.selected());
        QCOMPARE(f.store.library().history.size(), 1);
    }

    // What is typed in the dialog stays as typed while it becomes the colour.
    void colourEditorKeepsWhatIsTyped()
    {
        Fixture f;
        QTest::mouseClick(named<QAbstractButton>(&f.window, QStringLiteral("Edit color")), Qt::LeftButton);
        auto *editor = f.window.findChild<QColorDialog *>();
        QVERIFY(editor && editor->isVisible());
        QLineEdit *html = nullptr;
        for (QLineEdit *field : editor->findChildren<QLineEdit *>())
            if (field->text().startsWith(u'#'))
                html = field;
        QVERIFY(html);
        for (const QString &typed : {QStringLiteral("#a1b2c3"), QStringLiteral("#3366cc")}) {
            html->setFocus();
            html->selectAll();
            QTest::keyClick(html, Qt::Key_Backspace);
            QTest::keyClicks(html, typed);
            QCOMPARE(html->text(), typed);
            QCOMPARE(f.store.selected().hex(), typed.toUpper());
        }
        // A change from elsewhere still shows in the open dialog.
        f.store.select(grey(9));
        QCOMPARE(editor->currentColor(), QColor(9, 9, 9));
    }

    void copyInTheChosenFormat()
    {
        Fixture f;
        named<QComboBox>(&f.window, QStringLiteral("formatPicker"))->setCurrentText(QStringLiteral("JSON"));
        auto *copy = named<QPushButton>(&f.window, QStringLiteral("copyFormat"));
        QCOMPARE(copy->text(), QStringLiteral("Copy JSON"));
        QTest::mouseClick(copy, Qt::LeftButton);
        QCOMPARE(f.store.notice(), QStringLiteral("Copied #3B82F5"));
        QCOMPARE(f.desktop.clipboard->text(), QStringLiteral("{\"hex\":\"#3B82F5\",\"alpha\":1.0}"));
    }

    void recentCardShowsTheNewestSixAsWholeTiles()
    {
        Fixture f;
        QVERIFY(!shown(&f.window, QStringLiteral("recentCard")));
        for (int i = 1; i <= 10; ++i)
            f.store.capture(grey(i));
        QVERIFY(shown(&f.window, QStringLiteral("recentCard")));
        SwatchGrid *grid = f.recent();
        QCOMPARE(grid->model()->rowCount(), 6);
        QCOMPARE(grid->model()->index(0, 0).data(ColorRole).value<RGBA>(), grey(10));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(3, 0)).center());
        QCOMPARE(f.store.selected(), grey(7));
        QCOMPARE(named<ColorPatch>(&f.window, QStringLiteral("largeSwatch"))->color(), grey(7));

        // At any width every tile is whole: the grid grows by rows.
        for (const int width : {1600, 1000, 1180}) {
            f.window.resize(width, 780);
            QTRY_VERIFY(grid->width() > 0 && grid->height() == grid->heightForWidth(grid->width()));
            for (int row = 0; row < 6; ++row)
                QVERIFY2(grid->viewport()->rect().contains(grid->visualRect(grid->model()->index(row, 0))),
                         qPrintable(QStringLiteral("tile %1 at width %2").arg(row).arg(width)));
        }
    }

    void capturesCreateNoWidgets()
    {
        Fixture f;
        f.store.capture(grey(1));
        const qsizetype objects = f.window.findChildren<QObject *>().size();
        for (int i = 2; i < 30; ++i)
            f.store.capture(grey(i));
        QCOMPARE(f.window.findChildren<QObject *>().size(), objects);
    }

    void paletteMenuWithoutPalettesOpensMyPalettes()
    {
        Fixture f;
        QMenu *menu = named<QPushButton>(&f.window, QStringLiteral("paletteMenu"))->menu();
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
        QVERIFY(f.text("keysNote").startsWith(QStringLiteral("Precision mode · Shift + arrows")));
        // Where the screen is read without asking, no access is said to be needed.
        QVERIFY(!f.text("keysNote").contains(QLatin1String("access")));
        // Switched while the page is on screen, as the access alert's "Use
        // Desktop Picker" does.
        f.temp.prefs().setBoolean("useNativePicker", true);
        QVERIFY(f.text("keysNote").startsWith(QStringLiteral("Using the built-in desktop picker.")));
    }

    // With a full collection, at the smallest and the default size: a view
    // of colours never scrolls inside a page that scrolls, and nothing sits
    // under the page's scroll bar.
    void viewsScrollOnceAndBesideTheBar()
    {
        Fixture f;
        for (int i = 0; i < 40; ++i)
            f.store.capture(grey(i * 5));
        for (int i = 0; i < 20; ++i)
            f.store.toggleFavorite(f.store.library().history.at(i).id);
        for (int p = 0; p < 3; ++p) {
            QList<RGBA> colors;
            for (int i = 0; i < 9; ++i)
                colors.append(grey(p * 40 + i * 4));
            f.store.appendPalette(Palette{QUuid::createUuid(), QStringLiteral("Palette %1").arg(p), colors, {}, {}});
        }
        for (const QSize size : {StudioWindow::smallestSize, StudioWindow::defaultSize}) {
            f.window.resize(size);
            for (const Page page : allPages()) {
                f.window.setPage(page);
                for (int pass = 0; pass < 5; ++pass)
                    QCoreApplication::processEvents();
                const QString where = QStringLiteral("%1 at %2 wide").arg(key(page)).arg(size.width());
                auto *scroll = f.page()->findChild<QScrollArea *>();
                QScrollBar *bar = scroll ? scroll->verticalScrollBar() : nullptr;
                const bool pageScrolls = bar && bar->isVisible() && bar->maximum() > 0;
                // The five harmony rules are seen whole at the default size.
                if (page == Page::harmony && size == StudioWindow::defaultSize)
                    QVERIFY2(!pageScrolls, qPrintable(where));
                const QRect barArea = pageScrolls ? QRect(bar->mapTo(&f.window, QPoint()), bar->size()) : QRect();
                for (QAbstractItemView *view : f.page()->findChildren<QAbstractItemView *>()) {
                    if (!view->isVisibleTo(&f.window) || qobject_cast<QComboBox *>(view->parentWidget()))
                        continue;
                    const QString name = where + u' ' + view->objectName();
                    if (pageScrolls)
                        QVERIFY2(view->verticalScrollBar()->maximum() == 0, qPrintable(name + " scrolls inside"));
                    QVERIFY2(!QRect(view->mapTo(&f.window, QPoint()), view->size()).intersects(barArea),
                             qPrintable(name + " under the bar"));
                }
            }
        }
    }

    // Tab goes the way the eye reads: the sidebar, the toolbar, the page,
    // the inspector, then round again; on a page built late as well.
    void tabFollowsReadingOrder()
    {
        Fixture f;
        f.store.capture(grey(60));
        QApplication::setActiveWindow(&f.window);
        for (const Page page : {Page::picker, Page::gradient, Page::contrast}) {
            f.window.setPage(page);
            QCoreApplication::processEvents();
            QWidget *sidebar = named(&f.window, QStringLiteral("sidebar"));
            sidebar->setFocus(Qt::TabFocusReason);
            const QList<QWidget *> regions = {sidebar, named(&f.window, QStringLiteral("toolbar")), f.page(),
                                              f.inspector()};
            QList<int> visited;
            for (int step = 0; step < 60; ++step) {
                QWidget *focus = QApplication::focusWidget();
                QVERIFY(focus);
                int region = -1;
                for (int i = 0; i < regions.size(); ++i) {
                    if (regions.at(i) == focus || regions.at(i)->isAncestorOf(focus))
                        region = i;
                }
                QVERIFY2(region >= 0, qPrintable(focus->metaObject()->className() + focus->objectName()));
                if (visited.isEmpty() || visited.last() != region)
                    visited << region;
                QTest::keyClick(focus, Qt::Key_Tab);
            }
            // Round and round: 0 1 2 3 0 1 2 3 ...
            for (int i = 0; i < visited.size(); ++i)
                QVERIFY2(visited.at(i) == i % 4, qPrintable(key(page) + QStringLiteral(": step %1").arg(i)));
            QVERIFY(visited.size() >= 5);
        }
    }

    void switchingToDarkRepaintsEverything()
    {
        Fixture f;
        const QPalette light = QApplication::palette();
        QPalette dark = light;
        dark.setColor(QPalette::Window, QColor(30, 30, 32));
        dark.setColor(QPalette::Base, QColor(44, 44, 46));
        dark.setColor(QPalette::WindowText, QColor(240, 240, 240));
        dark.setColor(QPalette::Text, QColor(240, 240, 240));
        dark.setColor(QPalette::Button, QColor(58, 58, 60));
        dark.setColor(QPalette::ButtonText, QColor(240, 240, 240));
        QApplication::setPalette(dark);
        QCoreApplication::processEvents();

        auto *title = shown<QLabel>(&f.window, QStringLiteral("pageTitle"));
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(240, 240, 240));
        // The page area and the cards paint with the new colours.
        QCOMPARE(pixelAt(f.page(), QPoint(4, 4)), QColor(30, 30, 32));
        QCOMPARE(pixelAt(named(&f.window, QStringLiteral("largeSwatch"))->parentWidget(), QPoint(10, 30)),
                 QColor(44, 44, 46));
        QCOMPARE(pixelAt(named(&f.window, QStringLiteral("inspector")), QPoint(4, 4)), QColor(44, 44, 46));
        QApplication::setPalette(light);
    }
};

QTEST_MAIN(TestStudioWindow)
#include "test_studio_window.moc"
