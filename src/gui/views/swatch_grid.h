// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QAbstractItemView>

#include <functional>

namespace pigmentry {

class Store;

// A grid of equal cells for colour swatches, painted by the view's delegate:
// one view for thousands of colours, never a widget per colour. Columns adapt
// to the width (each at least the minimum cell width; with stretch they share
// the whole row), only visible rows are painted, and the arrow keys, Home,
// End and the page keys move between cells. Clicking a cell, or Return or
// Space on the current one, emits chosen; a subclass may give the parts of
// a cell their own clicks.
class SwatchGrid : public QAbstractItemView {
    Q_OBJECT

public:
    // Room around the cells for the focus ring, which hugs the cell.
    static constexpr int ringRoom = 2;

    explicit SwatchGrid(QWidget *parent = nullptr);

    void setCellSize(int minimumWidth, int height, bool stretch);
    // Between cells, and between rows when betweenRows is not negative.
    void setSpacing(int between, int betweenRows = -1);
    // Makes every cell a drag source: its colour as application/x-color and
    // as the text given for it (a colour code).
    void setDragText(std::function<QString(const RGBA &)> text);
    // The grid takes the height of all its rows and never scrolls; otherwise
    // it scrolls vertically.
    void setFitsContent(bool fits);

    int columnCount() const;
    // The editor open on a cell, if any: a child of the grid to a screen
    // reader while it is open.
    QWidget *openEditor() const;
    // The cell under the pointer, if any.
    QModelIndex hoveredIndex() const { return hovered_; }
    // Repaints the cells on screen whose index matches, and nothing else:
    // a change of the selected colour touches two tiles, not the grid.
    void updateCells(const std::function<bool(const QModelIndex &)> &matches);
    // Keeps the tiles' selected outline in step with a store: repaints the
    // tiles of the colour that was selected and of the one that is.
    void followSelection(Store &store);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return fits_; }
    int heightForWidth(int width) const override;

    QModelIndex indexAt(const QPoint &point) const override;
    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void setModel(QAbstractItemModel *model) override;
    void reset() override;

Q_SIGNALS:
    void chosen(const QModelIndex &index);

protected:
    // A click on a cell, at point within the cell; chooses the cell.
    virtual void cellClicked(const QModelIndex &index, const QPoint &point);
    // Whether a drag may start at point within the cell.
    virtual bool dragsFrom(const QModelIndex &index, const QPoint &point) const;
    int cellHeightValue() const { return cellHeight_; }

    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex &) const override { return false; }
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags flags) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void rowsInserted(const QModelIndex &parent, int first, int last) override;
    void rowsAboutToBeRemoved(const QModelIndex &parent, int first, int last) override;
    void updateGeometries() override;

private:
    int rows() const;
    int columnsFor(int width) const;
    double cellWidthFor(int width, int columns) const;
    int contentHeightFor(int width) const;
    QRect cellRect(int row, int width) const;
    void contentChanged();
    // A screen reader hears the keyboard's place as the focused cell.
    void announceCurrent();
    // The accessible cells of rows from first on no longer stand for theirs.
    void forgetAccessibleRows(int first);

    int minimumWidth_ = 85;
    int cellHeight_ = 108;
    bool stretch_ = true;
    int spacing_ = 12;
    int rowSpacing_ = 12;
    bool fits_ = false;
    bool contentChangePending_ = false;
    QPersistentModelIndex hovered_;
    QPersistentModelIndex pressed_;
    QPoint pressPosition_;
    std::function<QString(const RGBA &)> dragText_;
};

} // namespace pigmentry
