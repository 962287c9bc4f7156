#pragma once

#include "gui/views/inline_text_delegate.h"
#include "gui/views/swatch_grid.h"

namespace pigmentry {

// One cell of the Recent Colors and Favorites grids, painted: the swatch
// tile, the label (an editor opens on it), and a row with the date, the star
// and the trash. Rows of a HistoryModel, or of a filter over one.
class HistoryCellDelegate : public InlineTextDelegate {
    Q_OBJECT

public:
    enum class Part { None, Tile, Label, Favorite, Remove };
    static constexpr int cellHeight = 178;
    static constexpr int minimumCellWidth = 135;

    // selected gives the store's selected colour, for the tile's outline.
    explicit HistoryCellDelegate(std::function<RGBA()> selected, QObject *parent = nullptr);

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
    explicit HistoryGrid(QWidget *parent = nullptr);

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
    QPersistentModelIndex lastHovered;
};

} // namespace pigmentry
