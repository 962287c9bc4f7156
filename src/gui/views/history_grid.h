#pragma once

#include "gui/views/inline_text_delegate.h"
#include "gui/views/swatch_grid.h"

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

private:
    HistoryGrid *grid;
    std::function<RGBA()> selected;
};

// The grid of history cells, one view for thousands of colours. Besides the
// clicks on each part of a cell: Return or F2 edits the label, Delete asks to
// remove the colour, Ctrl+C to copy it, Space (or a click on the tile)
// chooses it; the context menu offers all of these. Tiles drag out as
// colours.
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

Q_SIGNALS:
    void removeRequested(const QModelIndex &index);
    void copyRequested(const QModelIndex &index);

protected:
    void cellClicked(const QModelIndex &index, const QPoint &point) override;
    bool dragsFrom(const QModelIndex &index, const QPoint &point) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void toggleFavorite(const QModelIndex &index);
    HistoryCellDelegate::Part hoveredPart_ = HistoryCellDelegate::Part::None;
};

} // namespace pigmentry
