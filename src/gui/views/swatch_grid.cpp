// SPDX-License-Identifier: GPL-3.0-or-later
#include "swatch_grid.h"

#include "gui/kit/theme.h"
#include "gui/views/accessible/swatch_grid_accessible.h"
#include "gui/views/swatch_delegate.h"
#include "model/items/color_roles.h"
#include "model/library/store.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <array>
#include <cmath>
#include <memory>

namespace pigmentry {

SwatchGrid::SwatchGrid(QWidget *parent)
    : QAbstractItemView(parent)
{
    // Cells that a screen reader can reach, for every grid.
    static const bool accessible = [] {
        QAccessible::installFactory(&SwatchGridAccessible::create);
        return true;
    }();
    Q_UNUSED(accessible);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(NoSelection);
    setEditTriggers(NoEditTriggers);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollMode(ScrollPerPixel);
    viewport()->setAutoFillBackground(false);
    viewport()->setCursor(Qt::PointingHandCursor);
}

void SwatchGrid::setCellSize(int minimumCellWidth, int height, bool stretchCells)
{
    minimumWidth_ = minimumCellWidth;
    cellHeight_ = height;
    stretch_ = stretchCells;
    contentChanged();
}

void SwatchGrid::setSpacing(int between, int betweenRows)
{
    spacing_ = between;
    rowSpacing_ = betweenRows < 0 ? between : betweenRows;
    contentChanged();
}

void SwatchGrid::setDragText(std::function<QString(const RGBA &)> text)
{
    dragText_ = std::move(text);
}

void SwatchGrid::cellClicked(const QModelIndex &index, const QPoint &)
{
    Q_EMIT chosen(index);
}

bool SwatchGrid::dragsFrom(const QModelIndex &, const QPoint &) const
{
    return true;
}

void SwatchGrid::mousePressEvent(QMouseEvent *event)
{
    QAbstractItemView::mousePressEvent(event);
    pressPosition_ = event->position().toPoint();
    pressed_ = event->button() == Qt::LeftButton ? indexAt(pressPosition_) : QModelIndex();
}

void SwatchGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QAbstractItemView::mouseReleaseEvent(event);
    const QPoint point = event->position().toPoint();
    const QModelIndex index = indexAt(point);
    if (event->button() == Qt::LeftButton && index.isValid() && index == pressed_)
        cellClicked(index, point - visualRect(index).topLeft());
    pressed_ = QPersistentModelIndex();
}

void SwatchGrid::setFitsContent(bool value)
{
    fits_ = value;
    setVerticalScrollBarPolicy(fits_ ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(fits_);
    policy.setVerticalPolicy(fits_ ? QSizePolicy::Fixed : QSizePolicy::Expanding);
    setSizePolicy(policy);
    contentChanged();
}

int SwatchGrid::rows() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int SwatchGrid::columnsFor(int width) const
{
    return std::max(1, (width - 2 * ringRoom + spacing_) / (minimumWidth_ + spacing_));
}

int SwatchGrid::columnCount() const
{
    return columnsFor(viewport()->width());
}

double SwatchGrid::cellWidthFor(int width, int columns) const
{
    if (!stretch_)
        return minimumWidth_;
    return std::max<double>(minimumWidth_, double(width - 2 * ringRoom - (columns - 1) * spacing_) / columns);
}

int SwatchGrid::contentHeightFor(int width) const
{
    const int count = rows();
    if (count == 0)
        return 0;
    const int lines = (count + columnsFor(width) - 1) / columnsFor(width);
    return lines * cellHeight_ + (lines - 1) * rowSpacing_ + 2 * ringRoom;
}

QRect SwatchGrid::cellRect(int row, int width) const
{
    const int columns = columnsFor(width);
    const double cell = cellWidthFor(width, columns);
    const int column = row % columns;
    const int line = row / columns;
    // Edges from rounded positions, so neighbours never overlap or part.
    const int left = int(std::lround(column * (cell + spacing_)));
    const int right = int(std::lround(column * (cell + spacing_) + cell));
    return QRect(ringRoom + left, ringRoom + line * (cellHeight_ + rowSpacing_), right - left, cellHeight_);
}

void SwatchGrid::updateCells(const std::function<bool(const QModelIndex &)> &matches)
{
    if (!model())
        return;
    const int columns = columnCount();
    const int first = std::max(0, verticalOffset() / (cellHeight_ + rowSpacing_)) * columns;
    const int last =
        std::min(rows(), (verticalOffset() + viewport()->height()) / (cellHeight_ + rowSpacing_) * columns + columns);
    for (int row = first; row < last; ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        if (matches(index))
            viewport()->update(visualRect(index));
    }
}

void SwatchGrid::followSelection(Store &store)
{
    auto previous = std::make_shared<RGBA>(store.selected());
    connect(&store, &Store::selectedChanged, this, [this, &store, previous] {
        const RGBA now = store.selected();
        updateCells([&](const QModelIndex &index) {
            const RGBA color = index.data(ColorRole).value<RGBA>();
            return color == now || color == *previous;
        });
        *previous = now;
    });
}

QSize SwatchGrid::sizeHint() const
{
    const int width = 2 * ringRoom
        + (stretch_ ? minimumWidth_ * 4 + spacing_ * 3 : std::max(1, rows()) * (minimumWidth_ + spacing_) - spacing_);
    return QSize(width, fits_ ? contentHeightFor(width) : cellHeight_ * 3 + rowSpacing_ * 2 + 2 * ringRoom);
}

QSize SwatchGrid::minimumSizeHint() const
{
    return QSize(minimumWidth_ + 2 * ringRoom, fits_ ? 0 : cellHeight_ + 2 * ringRoom);
}

int SwatchGrid::heightForWidth(int width) const
{
    return contentHeightFor(width);
}

int SwatchGrid::verticalOffset() const
{
    return verticalScrollBar()->value();
}

QModelIndex SwatchGrid::indexAt(const QPoint &point) const
{
    if (!model())
        return {};
    const int width = viewport()->width();
    const int columns = columnsFor(width);
    const int y = point.y() + verticalOffset();
    if (y < 0 || point.x() < 0)
        return {};
    const int line = std::max(0, y - ringRoom) / (cellHeight_ + rowSpacing_);
    // Walk the few columns of that line; gaps between cells hit nothing.
    for (int column = 0; column < columns; ++column) {
        const int row = line * columns + column;
        if (row >= rows())
            break;
        if (cellRect(row, width).contains(point.x(), y))
            return model()->index(row, 0, rootIndex());
    }
    return {};
}

QRect SwatchGrid::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != model())
        return {};
    return cellRect(index.row(), viewport()->width()).translated(0, -verticalOffset());
}

void SwatchGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (fits_ || !index.isValid())
        return;
    const QRect rect = visualRect(index);
    QScrollBar *bar = verticalScrollBar();
    if (hint == PositionAtTop || rect.top() < 0)
        bar->setValue(bar->value() + rect.top());
    else if (hint == PositionAtBottom || rect.bottom() > viewport()->height())
        bar->setValue(bar->value() + rect.bottom() - viewport()->height() + 1);
    else if (hint == PositionAtCenter)
        bar->setValue(bar->value() + rect.center().y() - viewport()->height() / 2);
}

QModelIndex SwatchGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    const int count = rows();
    if (count == 0)
        return {};
    const QModelIndex current = currentIndex();
    int row = current.isValid() ? current.row() : -1;
    const int columns = columnCount();
    const int page = std::max(1, viewport()->height() / (cellHeight_ + rowSpacing_)) * columns;
    switch (action) {
    case MoveLeft:
    case MovePrevious: row = row < 0 ? 0 : row - 1; break;
    case MoveRight:
    case MoveNext: row = row + 1; break;
    case MoveUp: row = row < 0 ? 0 : row - columns; break;
    case MoveDown: row = row < 0 ? 0 : row + columns; break;
    case MoveHome: row = 0; break;
    case MoveEnd: row = count - 1; break;
    case MovePageUp: row -= page; break;
    case MovePageDown: row += page; break;
    }
    if (row < 0 || row >= count) {
        // Up from the first line and down from the last stay put; the page
        // keys stop at the ends.
        if (action == MovePageUp)
            row = 0;
        else if (action == MovePageDown)
            row = count - 1;
        else
            return current;
    }
    return model()->index(row, 0, rootIndex());
}

void SwatchGrid::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags flags)
{
    // A Shift+click or Shift+arrow asks for the rectangle from the anchor's
    // centre to a point in the current cell; in a grid that flows, the cells
    // between them in reading order are meant, not those in the rectangle.
    const QModelIndex current = currentIndex();
    if (current.isValid() && model()) {
        const QRect area = rect.normalized();
        const QRect cell = visualRect(current).adjusted(-1, -1, 1, 1);
        const std::array<std::pair<QPoint, QPoint>, 4> corners{{{area.topLeft(), area.bottomRight()},
                                                                {area.bottomRight(), area.topLeft()},
                                                                {area.topRight(), area.bottomLeft()},
                                                                {area.bottomLeft(), area.topRight()}}};
        for (const auto &[here, there] : corners) {
            const QModelIndex anchor = indexAt(there);
            if (!cell.contains(here) || !anchor.isValid())
                continue;
            const int first = std::min(anchor.row(), current.row());
            const int last = std::max(anchor.row(), current.row());
            selectionModel()->select(
                QItemSelection(model()->index(first, 0, rootIndex()), model()->index(last, 0, rootIndex())), flags);
            return;
        }
    }
    QItemSelection selection;
    for (int row = 0; row < rows(); ++row) {
        if (visualRect(model()->index(row, 0, rootIndex())).intersects(rect)) {
            const QModelIndex index = model()->index(row, 0, rootIndex());
            selection.select(index, index);
        }
    }
    selectionModel()->select(selection, flags);
}

QRegion SwatchGrid::visualRegionForSelection(const QItemSelection &selection) const
{
    QRegion region;
    for (const QModelIndex &index : selection.indexes())
        region += visualRect(index);
    return region;
}

void SwatchGrid::paintEvent(QPaintEvent *event)
{
    if (!model())
        return;
    QPainter painter(viewport());
    const int width = viewport()->width();
    const int columns = columnsFor(width);
    const int count = rows();
    const int offset = verticalOffset();
    const QRect area = event->rect();
    const int firstLine = std::max(0, (area.top() + offset - ringRoom) / (cellHeight_ + rowSpacing_));
    const int lastLine = std::max(0, area.bottom() + offset) / (cellHeight_ + rowSpacing_);

    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex current = currentIndex();
    for (int row = firstLine * columns; row < std::min(count, (lastLine + 1) * columns); ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        option.rect = cellRect(row, width).translated(0, -offset);
        option.state &= ~(QStyle::State_MouseOver | QStyle::State_HasFocus | QStyle::State_Selected);
        if (index == hovered_)
            option.state |= QStyle::State_MouseOver;
        if (selectionModel() && selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        itemDelegateForIndex(index)->paint(&painter, option, index);
        // The keyboard's place: a ring in the text's colour just around the
        // cell, unlike the accent outline of a selected colour.
        if (hasFocus() && index == current && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing);
            QPen pen(theme::primary(), 2);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            const double radius = cellHeight_ > 40 ? 12 : 7;
            painter.drawRoundedRect(QRectF(option.rect).adjusted(-1, -1, 1, 1), radius + 1, radius + 1);
            painter.restore();
        }
    }
}

void SwatchGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractItemView::resizeEvent(event);
    updateGeometries();
    if (fits_)
        updateGeometry();
}

void SwatchGrid::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (currentIndex().isValid()) {
            Q_EMIT chosen(currentIndex());
            event->accept();
            return;
        }
        break;
    default: break;
    }
    QAbstractItemView::keyPressEvent(event);
}

void SwatchGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (dragText_ && pressed_.isValid() && (event->buttons() & Qt::LeftButton)
        && (event->position().toPoint() - pressPosition_).manhattanLength() >= QApplication::startDragDistance()
        && dragsFrom(pressed_, pressPosition_ - visualRect(pressed_).topLeft())) {
        const RGBA color = pressed_.data(ColorRole).value<RGBA>();
        const QString label = pressed_.data(LabelRole).toString();
        pressed_ = QPersistentModelIndex();
        startColorDrag(this, color, dragText_(color), QString(), label);
        return;
    }
    if (index != hovered_) {
        if (hovered_.isValid())
            viewport()->update(visualRect(hovered_));
        hovered_ = index;
        if (index.isValid())
            viewport()->update(visualRect(index));
    }
    QAbstractItemView::mouseMoveEvent(event);
}

void SwatchGrid::leaveEvent(QEvent *event)
{
    if (hovered_.isValid())
        viewport()->update(visualRect(hovered_));
    hovered_ = QPersistentModelIndex();
    QAbstractItemView::leaveEvent(event);
}

void SwatchGrid::focusInEvent(QFocusEvent *event)
{
    QAbstractItemView::focusInEvent(event);
    if (!currentIndex().isValid() && rows() > 0 && event->reason() != Qt::MouseFocusReason)
        setCurrentIndex(model()->index(0, 0, rootIndex()));
    else
        announceCurrent();
    viewport()->update();
}

void SwatchGrid::focusOutEvent(QFocusEvent *event)
{
    QAbstractItemView::focusOutEvent(event);
    viewport()->update();
}

void SwatchGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QAbstractItemView::currentChanged(current, previous);
    announceCurrent();
    // The ring stands outside the cell.
    if (previous.isValid())
        viewport()->update(visualRect(previous).adjusted(-4, -4, 4, 4));
    if (current.isValid())
        viewport()->update(visualRect(current).adjusted(-4, -4, 4, 4));
}

void SwatchGrid::setModel(QAbstractItemModel *model)
{
    QAbstractItemView::setModel(model);
    contentChanged();
}

void SwatchGrid::reset()
{
    QAbstractItemView::reset();
    forgetAccessibleRows(0);
    contentChanged();
}

void SwatchGrid::rowsInserted(const QModelIndex &parent, int first, int last)
{
    QAbstractItemView::rowsInserted(parent, first, last);
    forgetAccessibleRows(first);
    contentChanged();
}

void SwatchGrid::rowsAboutToBeRemoved(const QModelIndex &parent, int first, int last)
{
    QAbstractItemView::rowsAboutToBeRemoved(parent, first, last);
    forgetAccessibleRows(first);
    // The count drops after this returns; a filter removes many runs at
    // once, and one update after them all is enough.
    if (!contentChangePending_) {
        contentChangePending_ = true;
        QMetaObject::invokeMethod(this, &SwatchGrid::contentChanged, Qt::QueuedConnection);
    }
}

void SwatchGrid::updateGeometries()
{
    QAbstractItemView::updateGeometries();
    const int content = contentHeightFor(viewport()->width());
    QScrollBar *bar = verticalScrollBar();
    bar->setRange(0, fits_ ? 0 : std::max(0, content - viewport()->height()));
    bar->setPageStep(viewport()->height());
    bar->setSingleStep(cellHeight_ / 2 + 1);
}

void SwatchGrid::contentChanged()
{
    contentChangePending_ = false;
    updateGeometries();
    if (fits_)
        updateGeometry();
    viewport()->update();
}

} // namespace pigmentry
