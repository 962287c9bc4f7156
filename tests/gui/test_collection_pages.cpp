// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_models.h"
#include "fake_desktop.h"
#include "find_widget.h"
#include "gui/kit/card.h"
#include "gui/kit/labels.h"
#include "gui/studio/palette_choices.h"
#include "gui/studio/studio_window.h"
#include "gui/views/history_grid.h"
#include "gui/views/palette/palette_list.h"
#include "gui/views/swatch_delegate.h"
#include "model/items/color_roles.h"
#include "model/library/store.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace pigmentry;
using test::named;
using test::shown;
using Part = HistoryCellDelegate::Part;
using CardPart = PaletteCardDelegate::Part;

namespace {

const RGBA red{1, 0, 0, 1};
const RGBA blue{0.0, 0.2, 1.0, 1};

RGBA grey(int i)
{
    return RGBA{i / 255.0, i / 255.0, i / 255.0, 1.0};
}

struct Fixture : test::DesktopModels {
    StudioWindow window{store, shortcuts, temp.prefs(), desktop.get(), [] {}};

    Fixture()
    {
        temp.prefs().setBoolean("autoCopy", false);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    void open(Page page)
    {
        window.setPage(page);
        QCoreApplication::processEvents();
    }
    HistoryGrid *grid() const { return shown<HistoryGrid>(&window, QStringLiteral("historyGrid")); }
    PaletteList *palettes() const { return shown<PaletteList>(&window, QStringLiteral("paletteList")); }
    QLineEdit *search() const { return shown<QLineEdit>(&window, QStringLiteral("searchField")); }
    EmptyState *empty() const { return shown<EmptyState>(&window, QStringLiteral("emptyState")); }
    QString emptyTitle() const
    {
        return empty() ? shown<QLabel>(empty(), QStringLiteral("emptyTitle"))->text() : QString();
    }

    // The hex codes the grid shows, in order.
    QStringList shownHex() const
    {
        QStringList codes;
        if (!grid())
            return codes;
        for (int row = 0; row < grid()->model()->rowCount(); ++row)
            codes << grid()->model()->index(row, 0).data(HexRole).toString();
        return codes;
    }
    void clickPart(int row, Part part)
    {
        const QRect cell = grid()->visualRect(grid()->model()->index(row, 0));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, HistoryCellDelegate::partRect(cell, part).center());
    }
    void clickCard(int row, const CardPart &part)
    {
        const QModelIndex index = palettes()->model()->index(row, 0);
        const int colors = int(store.library().palettes.at(row).colors.size());
        const QRect rect = PaletteCardDelegate::partRect(palettes()->visualRect(index), colors, part);
        QTest::mouseClick(palettes()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    QByteArray savedLibrary() const { return test::readFile(temp.libraryPath()); }
};

} // namespace

class TestCollectionPages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyStates()
    {
        Fixture f;
        for (const Page page : {Page::history, Page::favorites, Page::palettes}) {
            f.open(page);
            QVERIFY(f.empty() && !f.emptyTitle().isEmpty());
            QVERIFY(!f.grid() && !f.palettes());
        }

        // Colours but no star: Favorites stays empty, and a search that
        // finds nothing says so.
        f.store.capture(red);
        f.open(Page::history);
        QVERIFY(!f.empty());
        QCOMPARE(f.shownHex(), QStringList{"#FF0000"});
        f.open(Page::favorites);
        QVERIFY(f.empty());
        const QString unsearched = f.empty()->detail();
        f.search()->setText(QStringLiteral("zz"));
        QCOMPARE(f.empty()->detail(), QStringLiteral("Try another color code or label."));
        f.search()->clear();
        QCOMPARE(f.empty()->detail(), unsearched);
    }

    // Label and code are one text; the search is shared by both pages and
    // outlives the window's closing.
    void searchFindsLabelAndCode()
    {
        Fixture f;
        f.store.capture(red);
        f.store.capture(RGBA{1.0, 0.5, 0.0, 1});
        f.store.capture(blue);
        f.store.setLabel(QStringLiteral("Blue"), f.store.library().history.at(0).id);
        f.store.setLabel(QStringLiteral("red"), f.store.library().history.at(2).id);
        f.open(Page::history);
        const QStringList all{"#0033FF", "#FF8000", "#FF0000"};
        QCOMPARE(f.shownHex(), all);

        const QList<std::pair<QString, QStringList>> searches = {
            {"ff0000", {"#FF0000"}},
            {"FF0000", {"#FF0000"}},
            {"RED", {"#FF0000"}},
            {"e#00", {"#0033FF"}},
            {"#FF", {"#FF8000", "#FF0000"}},
            // What a colour is called is searched too.
            {"pumpkin", {"#FF8000"}},
            {"vivid b", {"#0033FF"}},
            {"zz", {}},
            {"", all},
        };
        for (const auto &[text, expected] : searches) {
            f.search()->setText(text);
            QCOMPARE(f.shownHex(), expected);
        }

        f.store.toggleFavorite(f.store.library().history.at(2).id);
        f.search()->setText(QStringLiteral("ff"));
        f.open(Page::favorites);
        QCOMPARE(f.search()->text(), QStringLiteral("ff"));
        QCOMPARE(f.shownHex(), QStringList{"#FF0000"});
        f.window.close();
        f.window.show();
        QCOMPARE(f.search()->text(), QStringLiteral("ff"));
    }

    // Each part of a cell does its own thing; deletions come back with
    // Ctrl+Z in place and go again with Ctrl+Shift+Z.
    void cellPartsAndUndo()
    {
        Fixture f;
        for (int i = 1; i <= 3; ++i)
            f.store.capture(grey(i));
        f.open(Page::history);
        QCOMPARE(f.shownHex(), (QStringList{"#030303", "#020202", "#010101"}));

        // The part under the pointer lights up, in its cell only.
        const QModelIndex first = f.grid()->model()->index(0, 0);
        for (Part part : {Part::Favorite, Part::Label, Part::Tile}) {
            QTest::mouseMove(f.grid()->viewport(),
                             HistoryCellDelegate::partRect(f.grid()->visualRect(first), part).center());
            QCOMPARE(f.grid()->hoveredPart(first), part);
            QCOMPARE(f.grid()->hoveredPart(f.grid()->model()->index(1, 0)), Part::None);
            QCOMPARE(f.grid()->viewport()->cursor().shape(),
                     part == Part::Label ? Qt::IBeamCursor : Qt::PointingHandCursor);
        }

        f.clickPart(1, Part::Tile);
        QCOMPARE(f.store.selected(), grey(2));
        const QRect date = f.grid()->visualRect(f.grid()->model()->index(2, 0));
        QTest::mouseDClick(f.grid()->viewport(), Qt::LeftButton, {}, QPoint(date.left() + 12, date.bottom() - 12));
        QCOMPARE(f.store.selected(), grey(1));
        f.clickPart(1, Part::Favorite);
        QVERIFY(f.store.library().history.at(1).favorite);
        QVERIFY(f.savedLibrary().contains("\"favorite\":true"));

        f.clickPart(1, Part::Remove);
        QCOMPARE(f.shownHex(), (QStringList{"#030303", "#010101"}));
        QCOMPARE(f.store.notice(), QStringLiteral("Deleted. Ctrl+Z to undo"));
        f.store.capture(grey(4));
        QTest::keyClick(&f.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.shownHex(), (QStringList{"#040404", "#020202", "#030303", "#010101"}));
        QCOMPARE(f.store.notice(), QStringLiteral("Restored"));
        QVERIFY(f.store.library().history.at(1).favorite);
        QVERIFY(f.savedLibrary().contains(uuidText(f.store.library().history.at(1).id).toUtf8()));
        QTest::keyClick(&f.window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.shownHex(), (QStringList{"#040404", "#030303", "#010101"}));
    }

    // A screen reader hears each cell: its colour, label and star; the
    // keyboard's place is the selected cell, and a press chooses the colour.
    void cellsAreHeard()
    {
        Fixture f;
        f.store.capture(red);
        f.store.capture(blue);
        f.open(Page::history);
        QAbstractItemModel *model = f.grid()->model();
        model->setData(model->index(0, 0), QStringLiteral("Sky"), LabelRole);
        model->setData(model->index(0, 0), true, FavoriteRole);

        QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(f.grid());
        QCOMPARE(grid->role(), QAccessible::List);
        QCOMPARE(grid->childCount(), 2);
        QAccessibleInterface *sky = grid->child(0);
        QCOMPARE(sky->role(), QAccessible::ListItem);
        QCOMPARE(sky->text(QAccessible::Name), QStringLiteral("Color #0033FF, Sky, favorite"));
        QCOMPARE(grid->child(1)->text(QAccessible::Name), QStringLiteral("Color #FF0000"));
        QCOMPARE(grid->indexOfChild(sky), 0);
        QCOMPARE(sky->parent(), grid);
        QVERIFY(sky->state().selectable && !sky->state().selected);

        QAccessibleActionInterface *actions = grid->child(1)->actionInterface();
        QVERIFY(actions);
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(f.store.selected(), red);
        QVERIFY(grid->child(1)->state().selected);
        QCOMPARE(grid->childAt(sky->rect().center().x(), sky->rect().center().y()), sky);

        // A row that goes takes its cell along.
        f.clickPart(0, Part::Remove);
        QCOMPARE(grid->childCount(), 1);
        QCOMPARE(grid->child(0)->text(QAccessible::Name), QStringLiteral("Color #FF0000"));
    }

    // The label field opens on the cell, saves every keystroke, and keeps
    // its cursor while the store echoes the change.
    void labelsAreEditedInPlace()
    {
        Fixture f;
        f.store.capture(red);
        f.store.capture(blue);
        f.open(Page::history);
        f.clickPart(1, Part::Label);
        auto *editor = f.grid()->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(editor->placeholderText(), QStringLiteral("Add a label"));
        QTest::keyClicks(editor, QStringLiteral("Brand"));
        QCOMPARE(f.store.library().history.at(1).label, QStringLiteral("Brand"));
        QVERIFY(f.savedLibrary().contains("\"label\":\"Brand\""));
        editor->setCursorPosition(0);
        QTest::keyClicks(editor, QStringLiteral("X"));
        QCOMPARE(editor->text(), QStringLiteral("XBrand"));
        QCOMPARE(editor->cursorPosition(), 1);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!f.grid()->viewport()->findChild<QLineEdit *>() || !editor->isVisible());

        // The entry vanishes while its label is being edited: the editor
        // closes and the other entry keeps its label.
        f.grid()->setFocus();
        f.grid()->setCurrentIndex(f.grid()->model()->index(0, 0));
        QTest::keyClick(f.grid(), Qt::Key_F2);
        editor = f.grid()->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        const QUuid gone = f.store.library().history.at(0).id;
        QPointer<QLineEdit> watched(editor);
        f.store.deleteRecord(gone);
        QTRY_VERIFY(!watched || !watched->isVisible());
        QCOMPARE(f.store.library().history.size(), 1);
        QCOMPARE(f.store.library().history.at(0).label, QStringLiteral("XBrand"));
    }

    void keyboardAndCopy()
    {
        Fixture f;
        for (int i = 1; i <= 6; ++i)
            f.store.capture(grey(i));
        f.open(Page::history);
        HistoryGrid *grid = f.grid();
        grid->setFocus(Qt::TabFocusReason);
        QCOMPARE(grid->currentIndex().row(), 0);
        QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(grid->currentIndex().row(), 1);
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(grid->currentIndex().row(), 1 + grid->columnCount());
        QTest::keyClick(grid, Qt::Key_Home);

        QTest::keyClick(grid, Qt::Key_Space);
        QCOMPARE(f.store.selected(), grey(6));
        f.temp.prefs().setText("format", QStringLiteral("RGB"));
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.desktop.clipboard->text(), QStringLiteral("rgb(6, 6, 6)"));
        QCOMPARE(f.store.notice(), QStringLiteral("Copied #060606"));

        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(f.store.library().history.size(), 5);
        QCOMPARE(f.shownHex().first(), QStringLiteral("#050505"));
        // The focus goes on to the next colour, as in a list; back to the
        // new last one when the last is removed.
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(grid->currentIndex().data(HexRole).toString(), QStringLiteral("#030303"));
        QVERIFY(grid->selectionModel()->isSelected(grid->currentIndex()));
        QTest::keyClick(grid, Qt::Key_End);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(grid->currentIndex().data(HexRole).toString(), QStringLiteral("#020202"));
        QCOMPARE(f.shownHex(), (QStringList{"#050505", "#030303", "#020202"}));

        // Dragged out: the default format's code, the colour, and the exact
        // components for drops inside Pigmentry.
        const RGBA odd{0.123456789, 0.5, 1.0, 0.25};
        std::unique_ptr<QMimeData> data(colorMimeData(odd, odd.formatted(QStringLiteral("RGB"))));
        QCOMPARE(data->text(), odd.formatted(QStringLiteral("RGB")));
        QVERIFY(data->hasColor());
        QCOMPARE(draggedColor(data.get()), odd);
        QMimeData foreign;
        foreign.setText(QStringLiteral(" #336699 "));
        QCOMPARE(draggedColor(&foreign), RGBA::fromHex(QStringLiteral("#336699")));
        foreign.setText(QStringLiteral("not a color"));
        QVERIFY(!draggedColor(&foreign));
    }

    // Several colours selected with the pointer and the keys, and acted on
    // at once: copied one a line, starred, removed and put back in one step.
    void severalColorsAtOnce()
    {
        Fixture f;
        for (int i = 1; i <= 8; ++i)
            f.store.capture(grey(i));
        f.open(Page::history);
        HistoryGrid *grid = f.grid();
        auto selectedRows = [grid] {
            QList<int> rows;
            for (const QModelIndex &index : grid->actedOn(grid->currentIndex()))
                rows << index.row();
            return rows;
        };
        auto tile = [grid](int row) {
            return HistoryCellDelegate::partRect(grid->visualRect(grid->model()->index(row, 0)), Part::Tile).center();
        };
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, tile(1));
        QCOMPARE(f.store.selected(), grey(7));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, tile(3));
        QCOMPARE(selectedRows(), (QList<int>{1, 3}));
        // Selecting does not choose.
        QCOMPARE(f.store.selected(), grey(7));
        QVERIFY(grid->selectsSeveral());
        // Shift extends from the last colour clicked, in reading order
        // across the grid's lines.
        QVERIFY(grid->columnCount() < 5);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, tile(5));
        QCOMPARE(selectedRows(), (QList<int>{1, 3, 4, 5}));
        QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(selectedRows(), (QList<int>{1, 3, 4, 5, 6}));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, tile(2));

        f.temp.prefs().setText("format", QStringLiteral("RGB"));
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.desktop.clipboard->text().split(u'\n').size(), 6);
        QVERIFY(f.desktop.clipboard->text().startsWith(QLatin1String("rgb(7, 7, 7)\nrgb(6, 6, 6)\n")));
        QCOMPARE(f.store.notice(), QStringLiteral("Copied 6 colors"));

        Q_EMIT grid->favoriteRequested(grid->actedOn(grid->currentIndex()), true);
        int starred = 0;
        for (const ColorRecord &record : f.store.library().history)
            starred += record.favorite;
        QCOMPARE(starred, 6);

        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(f.shownHex(), (QStringList{"#080808", "#010101"}));
        QTest::keyClick(&f.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.shownHex(),
                 (QStringList{"#080808", "#070707", "#060606", "#050505", "#040404", "#030303", "#020202", "#010101"}));
        QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(selectedRows().size(), 8);

        // Added to a palette, the colours keep their labels as names.
        f.store.setLabel(QStringLiteral("Dark"), f.store.library().history.at(7).id);
        f.store.createPalette(QStringLiteral("Greys"));
        const QUuid greys = f.store.library().palettes.first().id;
        Q_EMIT grid->addToPaletteRequested({grid->model()->index(6, 0), grid->model()->index(7, 0)}, greys);
        QCOMPARE(f.store.library().palettes.first().colors.size(), 3);
        QCOMPARE(f.store.library().palettes.first().colorNames,
                 (QStringList{QString(), QString(), QStringLiteral("Dark")}));
    }

    // The menus that add to a palette tell same-named palettes apart.
    void samePalettesToldApart()
    {
        Library library;
        for (const char *name : {"Sunset", "Sea", "Sunset", ""})
            library.palettes.append(Palette{QUuid::createUuid(), QString::fromUtf8(name), {red, blue}, {}, {}});
        library.palettes[2].colors.append(red);
        QStringList shown;
        for (const auto &[id, text] : paletteChoices(library))
            shown << text;
        QCOMPARE(shown, (QStringList{"Sunset (1, 2 colors)", "Sea", "Sunset (2, 3 colors)", "Untitled Palette"}));
    }

    // A capture while the page is shown inserts one row at the front; the
    // view is never reset for it.
    void capturesInsertRows()
    {
        Fixture f;
        for (int i = 1; i <= 3; ++i)
            f.store.capture(grey(i));
        f.open(Page::history);
        QAbstractItemModel *model = f.grid()->model();
        QSignalSpy resets(model, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(model, &QAbstractItemModel::rowsInserted);
        f.store.capture(grey(9));
        f.store.capture(grey(2));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(inserts.count(), 2);
        QCOMPARE(f.shownHex(), (QStringList{"#020202", "#090909", "#030303", "#010101"}));
    }

    // A palette is made of the selected colour, under the name typed (which
    // the field keeps between pages), and duplicated whole.
    void palettesAreMadeAndDuplicated()
    {
        Fixture f;
        f.store.select(red);
        f.open(Page::palettes);
        auto *name = shown<QLineEdit>(&f.window, QStringLiteral("paletteName"));
        QCOMPARE(name->text(), QStringLiteral("Untitled Palette"));
        name->clear();
        shown<QPushButton>(&f.window, QStringLiteral("createPalette"))->click();
        QCOMPARE(f.store.library().palettes.size(), 1);
        QCOMPARE(f.store.library().palettes.at(0).name, QString());
        QCOMPARE(f.store.library().palettes.at(0).colors, QList<RGBA>{red});
        QVERIFY(!f.empty());

        name->setText(QStringLiteral("Sunset"));
        f.open(Page::history);
        f.open(Page::palettes);
        QCOMPARE(name->text(), QStringLiteral("Sunset"));
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(f.store.library().palettes.at(1).name, QStringLiteral("Sunset"));
        // Emptied, ready for the next name.
        QVERIFY(name->text().isEmpty());
        const QUuid sunset = f.store.library().palettes.at(1).id;
        f.store.insertColor(sunset, 1, blue);
        f.clickCard(1, {CardPart::Duplicate});
        QCOMPARE(f.store.library().palettes.size(), 3);
        QCOMPARE(f.store.library().palettes.at(2).name, QStringLiteral("Sunset Copy"));
        QCOMPARE(f.store.library().palettes.at(2).colors, (QList<RGBA>{red, blue}));
    }

    // Renaming in place saves every keystroke.
    void palettesAreRenamedInPlace()
    {
        Fixture f;
        f.store.createPalette(QStringLiteral("Sunset"));
        f.open(Page::palettes);
        f.clickCard(0, {CardPart::Name});
        auto *editor = f.palettes()->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor && editor->isVisible());
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, QStringLiteral("Sea"));
        QCOMPARE(f.store.library().palettes.at(0).name, QStringLiteral("Sea"));
        QVERIFY(f.savedLibrary().contains("\"name\":\"Sea\""));
        QTest::keyClick(editor, Qt::Key_Escape);
    }

    // A colour goes by its place, from the keyboard, and undo puts it back
    // in that place; the only colour can go, and the palette stays.
    void colorsLeavePalettesByTheirPlace()
    {
        Fixture f;
        f.store.select(red);
        f.store.createPalette(QStringLiteral("Single"));
        f.store.createPalette(QStringLiteral("Sunset"));
        const QUuid sunset = f.store.library().palettes.at(1).id;
        f.store.insertColor(sunset, 1, red);
        f.store.insertColor(sunset, 1, blue);
        QCOMPARE(f.store.library().palettes.at(1).colors, (QList<RGBA>{red, blue, red}));
        f.open(Page::palettes);

        PaletteList *list = f.palettes();
        list->setFocus();
        list->setCurrentIndex(list->model()->index(1, 0));
        QTest::keyClick(list, Qt::Key_Right);
        QTest::keyClick(list, Qt::Key_Right);
        QTest::keyClick(list, Qt::Key_Right);
        QCOMPARE(list->focusedSwatch(), 2);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(f.store.library().palettes.at(1).colors, (QList<RGBA>{red, blue}));
        QTest::keyClick(&f.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.store.library().palettes.at(1).colors, (QList<RGBA>{red, blue, red}));

        f.store.select(blue);
        f.clickCard(0, {CardPart::Swatch, 0});
        QCOMPARE(f.store.selected(), red);
        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::keyClick(list, Qt::Key_Left);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(f.store.library().palettes.at(0).colors, QList<RGBA>{});
        QCOMPARE(f.store.library().palettes.size(), 2);
    }

    // Delete, undo, redo.
    void palettesAreDeletedAndComeBack()
    {
        Fixture f;
        f.store.createPalette(QStringLiteral("Sunset"));
        f.store.createPalette(QStringLiteral("Sea"));
        f.open(Page::palettes);
        f.clickCard(1, {CardPart::Delete});
        QCOMPARE(f.store.library().palettes.size(), 1);
        QTest::keyClick(&f.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.store.library().palettes.size(), 2);
        QCOMPARE(f.store.library().palettes.at(1).name, QStringLiteral("Sea"));
        QTest::keyClick(&f.window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.store.library().palettes.size(), 1);
    }

    // A screen reader reaches every part of a card: the name and the notes
    // to edit, each colour by its code and own name, and the three buttons,
    // each pressed as with the pointer.
    void cardPartsAreHeard()
    {
        Fixture f;
        f.store.select(red);
        f.store.createPalette(QStringLiteral("Sunset"));
        const QUuid id = f.store.library().palettes.at(0).id;
        f.store.insertColor(id, 1, blue, QStringLiteral("Ocean"));
        f.open(Page::palettes);

        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(f.palettes());
        QCOMPARE(list->childCount(), 1);
        QAccessibleInterface *card = list->child(0);
        QCOMPARE(card->text(QAccessible::Name), QStringLiteral("Palette Sunset, 2 colors"));
        QStringList parts;
        for (int i = 0; i < card->childCount(); ++i)
            parts << card->child(i)->text(QAccessible::Name);
        QCOMPARE(parts,
                 (QStringList{"Palette name", "Palette notes", "Color #FF0000", "Color #0033FF, Ocean", "Export",
                              "Duplicate", "Delete"}));
        QAccessibleInterface *name = card->child(0);
        QCOMPARE(name->role(), QAccessible::EditableText);
        QCOMPARE(name->text(QAccessible::Value), QStringLiteral("Sunset"));
        QCOMPARE(name->parent(), card);
        QCOMPARE(card->child(5)->role(), QAccessible::Button);

        name->setText(QAccessible::Value, QStringLiteral("Dusk"));
        QCOMPARE(f.store.library().palettes.at(0).name, QStringLiteral("Dusk"));
        card->child(1)->setText(QAccessible::Value, QStringLiteral("For the header"));
        QCOMPARE(f.store.library().palettes.at(0).notes, QStringLiteral("For the header"));
        // A colour chosen from a card shows its own name in the inspector.
        f.store.select(red);
        card->child(3)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(f.store.selected(), blue);
        QCOMPARE(shown<QLabel>(&f.window, QStringLiteral("colorName"))->text(), QStringLiteral("Ocean"));
        // Chosen otherwise, it shows what the colour is called.
        f.store.select(red);
        QCOMPARE(shown<QLabel>(&f.window, QStringLiteral("colorName"))->text(), QStringLiteral("red"));
        card->child(5)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(f.store.library().palettes.size(), 2);
        QCOMPARE(list->childCount(), 2);
        // The copy keeps the colours' names.
        QCOMPARE(f.store.library().palettes.at(1).colorNames, (QStringList{"", "Ocean"}));
    }

    // The notes open in place under the name, and every keystroke is kept.
    void notesAreEditedInPlace()
    {
        Fixture f;
        f.store.select(red);
        f.store.createPalette(QStringLiteral("Sunset"));
        f.open(Page::palettes);
        PaletteList *list = f.palettes();
        const QModelIndex card = list->model()->index(0, 0);
        const QRect notes =
            PaletteCardDelegate::partRect(list->visualRect(card), 1, {PaletteCardDelegate::Part::Notes});
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, notes.center());
        auto *field = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(field);
        QCOMPARE(field->geometry(), notes);
        QTest::keyClicks(field, QStringLiteral("Warm"));
        QCOMPARE(f.store.library().palettes.at(0).notes, QStringLiteral("Warm"));
        QCOMPARE(f.store.library().palettes.at(0).name, QStringLiteral("Sunset"));
        // F2 goes to the name, closing the notes' editor.
        QTest::keyClick(field, Qt::Key_Escape);
        QTest::keyClick(list, Qt::Key_F2);
        field = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(field);
        QCOMPARE(field->text(), QStringLiteral("Sunset"));
    }

    // A colour dropped on a card joins that palette, exactly.
    void colorsDropOntoCards()
    {
        Fixture f;
        f.store.appendPalette(Palette{QUuid::createUuid(), QStringLiteral("A"), {red}, {}, {}});
        f.store.appendPalette(Palette{QUuid::createUuid(), QStringLiteral("B"), {}, {}, {}});
        f.open(Page::palettes);
        PaletteList *list = f.palettes();
        const RGBA odd{0.123456789, 0.5, 1.0, 0.25};
        std::unique_ptr<QMimeData> data(colorMimeData(odd, QStringLiteral("#1F80FF")));
        const QPoint target = list->visualRect(list->model()->index(1, 0)).center();

        QDragEnterEvent enter(target, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent move(target, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &move);
        QVERIFY(move.isAccepted());
        QDropEvent drop(QPointF(target), Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &drop);
        QCOMPARE(f.store.library().palettes.at(1).colors, QList<RGBA>{odd});
        QCOMPARE(f.store.library().palettes.at(0).colors, QList<RGBA>{red});
        // A labelled colour brings its label as its name in the palette.
        std::unique_ptr<QMimeData> labelled(colorMimeData(red, QStringLiteral("#FF0000"), QStringLiteral("Warm red")));
        QDragEnterEvent namedEnter(target, Qt::CopyAction, labelled.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &namedEnter);
        QDragMoveEvent namedMove(target, Qt::CopyAction, labelled.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &namedMove);
        QDropEvent namedDrop(QPointF(target), Qt::CopyAction, labelled.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &namedDrop);
        QCOMPARE(f.store.library().palettes.at(1).colorNames, (QStringList{QString(), QStringLiteral("Warm red")}));

        // Resting on a sidebar row with a colour opens that page.
        f.open(Page::history);
        auto *sidebar = named<QListWidget>(&f.window, QStringLiteral("sidebar"));
        QModelIndex row;
        for (int i = 0; i < sidebar->count(); ++i) {
            if (sidebar->item(i)->text() == QLatin1String("My Palettes"))
                row = sidebar->model()->index(i, 0);
        }
        const QPoint over = sidebar->visualRect(row).center();
        QDragEnterEvent overSidebar(over, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(sidebar->viewport(), &overSidebar);
        QVERIFY(overSidebar.isAccepted());
        QDragMoveEvent rest(over, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(sidebar->viewport(), &rest);
        QTRY_COMPARE(f.window.page(), std::optional(Page::palettes));

        QMimeData words;
        words.setText(QStringLiteral("hello"));
        QDragEnterEvent refused(target, Qt::CopyAction, &words, Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &refused);
        QVERIFY(!refused.isAccepted());
    }

    // A card's colours selected several at once and removed in one step;
    // colours and palettes moved with the keys and by dragging, each move
    // one step of undo.
    void paletteColorsSelectedAndMoved()
    {
        Fixture f;
        Palette a{QUuid::createUuid(), QStringLiteral("A"), {}, {}, {}};
        for (int i = 1; i <= 5; ++i)
            a.appendColor(grey(i), i == 2 ? QStringLiteral("two") : QString());
        f.store.appendPalette(a);
        f.store.appendPalette(Palette{QUuid::createUuid(), QStringLiteral("B"), {red}, {}, {}});
        f.open(Page::palettes);
        PaletteList *list = f.palettes();
        const QModelIndex card = list->model()->index(0, 0);
        auto swatch = [&](int i) {
            return PaletteCardDelegate::partRect(list->visualRect(card), 5, {CardPart::Swatch, i}).center();
        };
        auto marked = [&] {
            QList<int> positions;
            for (int i = 0; i < 5; ++i) {
                if (list->isMarked(card, i))
                    positions << i;
            }
            return positions;
        };
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, swatch(1));
        QCOMPARE(f.store.selectedName(), QStringLiteral("two"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, swatch(3));
        QCOMPARE(marked(), (QList<int>{1, 2, 3}));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, swatch(2));
        QCOMPARE(marked(), (QList<int>{1, 3}));
        QTest::keyClick(list, Qt::Key_Delete);
        auto hex = [&f](int palette) {
            QStringList codes;
            for (const RGBA &c : f.store.library().palettes.at(palette).colors)
                codes << c.hex();
            return codes;
        };
        QCOMPARE(hex(0), (QStringList{"#010101", "#030303", "#050505"}));
        QTest::keyClick(&f.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(hex(0), (QStringList{"#010101", "#020202", "#030303", "#040404", "#050505"}));
        QCOMPARE(f.store.library().palettes.at(0).colorName(1), QStringLiteral("two"));

        // Keys: Ctrl+A and copy, a colour moved right, the palette moved down.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(marked(), (QList<int>{0, 1, 2, 3, 4}));
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.desktop.clipboard->text().count(u'\n'), 4);
        QTest::keyClick(list, Qt::Key_Home);
        QTest::keyClick(list, Qt::Key_Left);
        QCOMPARE(list->focusedSwatch(), 0);
        QTest::keyClick(list, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(hex(0).mid(0, 2), (QStringList{"#020202", "#010101"}));
        QCOMPARE(list->focusedSwatch(), 1);
        QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.store.library().palettes.at(1).name, QStringLiteral("A"));
        QCOMPARE(list->currentIndex().row(), 1);
        QTest::keyClick(&f.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.store.library().palettes.at(0).name, QStringLiteral("A"));
        QTest::keyClick(&f.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(hex(0).mid(0, 2), (QStringList{"#010101", "#020202"}));

        // Dragged: a colour dropped on a swatch of its own card moves there;
        // a card dropped on another moves the palette.
        const QModelIndex first = list->model()->index(0, 0);
        std::unique_ptr<QMimeData> data(colorMimeData(grey(1), QStringLiteral("#010101")));
        data->setData(colorPlaceType(),
                      (f.store.library().palettes.at(0).id.toString() + QStringLiteral(" 0")).toUtf8());
        const QPoint onFourth =
            PaletteCardDelegate::partRect(list->visualRect(first), 5, {CardPart::Swatch, 3}).center();
        QDragEnterEvent enter(onFourth, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &enter);
        QDragMoveEvent move(onFourth, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &move);
        QCOMPARE(move.dropAction(), Qt::MoveAction);
        QDropEvent drop(QPointF(onFourth), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &drop);
        QCOMPARE(hex(0), (QStringList{"#020202", "#030303", "#040404", "#010101", "#050505"}));
        QMimeData wholeCard;
        wholeCard.setData(PaletteList::paletteType(), "0");
        const QPoint onSecond = list->visualRect(list->model()->index(1, 0)).center();
        QDragEnterEvent cardEnter(onSecond, Qt::MoveAction, &wholeCard, Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &cardEnter);
        QVERIFY(cardEnter.isAccepted());
        QDropEvent cardDrop(QPointF(onSecond), Qt::MoveAction, &wholeCard, Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &cardDrop);
        QCOMPARE(f.store.library().palettes.at(0).name, QStringLiteral("B"));
    }

    // The export and import buttons go through the file panels.
    void exportAndImportButtons()
    {
        Fixture f;
        f.store.capture(red);
        f.store.capture(grey(128));
        f.open(Page::favorites);
        f.desktop.fileDialogs->answer = f.temp.path("history.txt");
        shown<QPushButton>(&f.window, QStringLiteral("exportHistory"))->click();
        QCOMPARE(test::readFile(f.temp.path("history.txt")), QByteArray("#808080\n#FF0000"));

        test::writeFile(f.temp.path("in.gpl"), "GIMP Palette\nName: From GIMP\n255 0 0 Red\n");
        f.desktop.fileDialogs->answer = f.temp.path("in.gpl");
        f.open(Page::palettes);
        shown<QPushButton>(&f.window, QStringLiteral("importPalette"))->click();
        QCOMPARE(f.store.library().palettes.size(), 1);
        QCOMPARE(f.store.library().palettes.at(0).name, QStringLiteral("From GIMP"));
        QCOMPARE(f.palettes()->model()->rowCount(), 1);
    }
};

QTEST_MAIN(TestCollectionPages)
#include "test_collection_pages.moc"
