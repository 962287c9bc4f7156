// SPDX-License-Identifier: GPL-3.0-or-later
// The palette list's drops: a colour onto a card joins that palette, onto
// its own card moves there; a card moves the palette.
#include "palette_list.h"

#include "gui/kit/swatch_painting.h"

#include <QDragEnterEvent>
#include <QMimeData>

namespace pigmentry {

using Part = PaletteCardDelegate::Part;

void PaletteList::setDropTarget(const QModelIndex &index)
{
    if (index == dropTarget_)
        return;
    if (dropTarget_.isValid())
        viewport()->update(visualRect(dropTarget_));
    dropTarget_ = index;
    if (index.isValid())
        viewport()->update(visualRect(index));
}

namespace {

// A colour's place in a palette, from a drag that left one: the palette's id
// and the position.
std::optional<std::pair<QUuid, int>> placeOf(const QMimeData *data)
{
    const QStringList parts = QString::fromUtf8(data->data(colorPlaceType())).split(u' ');
    bool ok = false;
    const int position = parts.value(1).toInt(&ok);
    if (parts.size() != 2 || !ok || QUuid(parts.first()).isNull())
        return std::nullopt;
    return std::pair{QUuid(parts.first()), position};
}

} // namespace

QString PaletteList::paletteType()
{
    return QStringLiteral("application/x-pigmentry-palette-row");
}

void PaletteList::dragEnterEvent(QDragEnterEvent *event)
{
    if (draggedColor(event->mimeData()) || event->mimeData()->hasFormat(paletteType()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void PaletteList::dragMoveEvent(QDragMoveEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const QMimeData *data = event->mimeData();
    if (index.isValid() && (draggedColor(data) || data->hasFormat(paletteType()))) {
        const auto place = placeOf(data);
        const bool moves = data->hasFormat(paletteType()) || (place && place->first == idOf(index));
        event->setDropAction(moves ? Qt::MoveAction : Qt::CopyAction);
        event->accept(visualRect(index));
        setDropTarget(index);
    } else {
        event->ignore();
        setDropTarget(QModelIndex());
    }
}

void PaletteList::dragLeaveEvent(QDragLeaveEvent *event)
{
    setDropTarget(QModelIndex());
    event->accept();
}

void PaletteList::dropEvent(QDropEvent *event)
{
    const QPoint point = event->position().toPoint();
    const QModelIndex index = indexAt(point);
    const QMimeData *data = event->mimeData();
    setDropTarget(QModelIndex());
    if (index.isValid() && data->hasFormat(paletteType())) {
        bool ok = false;
        const int from = data->data(paletteType()).toInt(&ok);
        event->setDropAction(Qt::MoveAction);
        event->accept();
        if (ok && from != index.row()) {
            Q_EMIT movePaletteRequested(from, index.row());
            setCurrentIndex(model()->index(index.row(), 0));
        }
        return;
    }
    const std::optional<RGBA> color = draggedColor(data);
    if (!index.isValid() || !color) {
        event->ignore();
        return;
    }
    // On its own card a colour moves to the swatch it is dropped on (or to
    // the end); elsewhere it joins the palette.
    if (const auto place = placeOf(data); place && place->first == idOf(index)) {
        const Part part = partAt(index, point);
        const int to = part.kind == Part::Swatch ? part.swatch : colorCount(index) - 1;
        event->setDropAction(Qt::MoveAction);
        event->accept();
        if (to != place->second)
            Q_EMIT moveColorRequested(idOf(index), place->second, to);
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    Q_EMIT colorDropped(idOf(index), *color, draggedColorName(data));
}

} // namespace pigmentry
