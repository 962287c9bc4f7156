// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/views/inline_text_delegate.h"
#include "gui/views/swatch_grid.h"

#include <QUuid>

namespace pigmentry {

class HistoryGrid;

// One cell of the Recent Colors and Favorites grids, painted: the swatch
// tile, the label (an editor opens on it), and a row with the date, the star
// and the trash. Rows of a HistoryModel, or of a filter over one, in the
// HistoryGrid that makes it, which says which part the pointer is on.
class HistoryCellDelegate : public InlineTextDelegate {
    Q_OBJECT

public:
    enum class Part { None, Tile, Label, Favorite, Remove };
    static constexpr int cellHeight = 178;
    static constexpr int minimumCellWidth = 135;

    // selected gives the store's selected colour, for the tile's outline.
    HistoryCellDelegate(HistoryGrid *grid, std::function<RGBA()> selected);

    // The part of a cell at point; both in the same coordinates.
    static Part partAt(const QRect &cell, const QPoint &point);
    static QRect partRect(const QRect &cell, Part part);
    // The date as the cell shows it: the locale's long date, no weekday.
    static QString dateText(const QDateTime &date);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

protected:
    // The editor is named by its cell, as a screen reader heard it.
    Editor editorFor(const QModelIndex &index) const override;

private:
    HistoryGrid *grid_;
    std::function<RGBA()> selected_;
};

// The grid of history cells, one view for thousands of colours. Besides the
// clicks on each part of a cell: Return or F2 edits the label, Delete asks to
// remove the colour, Ctrl+C to copy it, Space (or a click on the tile)
// chooses it; the context menu offers all of these. Several colours are
// selected with Ctrl+click, Shift+click, Ctrl+A and Shift+arrows; copy,
// removal, the star, adding to a palette and export then act on them all.
// Tiles drag out as colours.
class HistoryGrid : public SwatchGrid {
    Q_OBJECT

public:
    // selected gives the store's selected colour, for the tiles' outline.
    explicit HistoryGrid(std::function<RGBA()> selected, QWidget *parent = nullptr);
    // The part of the cell under the pointer; None for any other cell.
    HistoryCellDelegate::Part hoveredPart(const QModelIndex &index) const
    {
        return index.isValid() && index == hoveredIndex() ? hoveredPart_ : HistoryCellDelegate::Part::None;
    }
    // Whether more than one colour is selected, which the cells then mark.
    bool selectsSeveral() const { return several_; }
    // The palettes a selection can be added to, by id and by the name the
    // menu shows (same-named palettes told apart).
    void setPaletteChoices(std::function<QList<std::pair<QUuid, QString>>()> choices)
    {
        paletteChoices_ = std::move(choices);
    }
    // The cells an action on index applies to: the selection when index is
    // in it, else index alone; in the grid's order.
    QModelIndexList actedOn(const QModelIndex &index) const;

Q_SIGNALS:
    void removeRequested(const QModelIndexList &indexes);
    void copyRequested(const QModelIndexList &indexes);
    void favoriteRequested(const QModelIndexList &indexes, bool favorite);
    // A null palette asks for a new one.
    void addToPaletteRequested(const QModelIndexList &indexes, const QUuid &palette);
    void exportRequested(const QModelIndexList &indexes);

protected:
    void cellClicked(const QModelIndex &index, const QPoint &point) override;
    bool dragsFrom(const QModelIndex &index, const QPoint &point) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;

private:
    void toggleFavorite(const QModelIndex &index);
    // Asks to remove the colours and moves the focus as lists do.
    void remove(const QModelIndexList &indexes);
    HistoryCellDelegate::Part hoveredPart_ = HistoryCellDelegate::Part::None;
    bool several_ = false;
    std::function<QList<std::pair<QUuid, QString>>()> paletteChoices_;
};

} // namespace pigmentry
