// SPDX-License-Identifier: GPL-3.0-or-later
#include "palette_list.h"

#include "gui/views/palette/palette_card.h"

#include "gui/kit/theme.h"
#include "gui/views/accessible/palette_list_accessible.h"
#include "gui/views/swatch_delegate.h"
#include "model/items/palette_model.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace pigmentry {

using Part = PaletteCardDelegate::Part;

PaletteList::PaletteList(std::function<RGBA()> selected, QWidget *parent)
    : QListView(parent)
{
    // Cards whose parts a screen reader can reach, for every list.
    static const bool accessible = [] {
        QAccessible::installFactory(&PaletteListAccessible::create);
        return true;
    }();
    Q_UNUSED(accessible);
    setItemDelegate(new PaletteCardDelegate(this, std::move(selected)));
    setFrameShape(QFrame::NoFrame);
    setViewMode(ListMode);
    setFlow(TopToBottom);
    setSpacing(0);
    setUniformItemSizes(false);
    setResizeMode(Adjust);
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(NoSelection);
    setEditTriggers(NoEditTriggers);
    setMouseTracking(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    viewport()->setAutoFillBackground(false);
}

int PaletteList::cardWidth() const
{
    return std::max(PaletteCardDelegate::narrowestCard, viewport()->width());
}

int PaletteList::colorCount(const QModelIndex &index) const
{
    return int(index.data(PaletteModel::ColorsRole).value<QList<RGBA>>().size());
}

RGBA PaletteList::colorAt(const QModelIndex &index, int position) const
{
    return index.data(PaletteModel::ColorsRole).value<QList<RGBA>>().value(position);
}

QString PaletteList::colorNameAt(const QModelIndex &index, int position) const
{
    return index.data(PaletteModel::ColorNamesRole).toStringList().value(position);
}

void PaletteList::editText(const QModelIndex &index, Part::Kind kind)
{
    // One text of a card is edited at a time: the other one's editor, every
    // keystroke of it already saved, closes.
    if (QWidget *open = state() == EditingState ? indexWidget(currentIndex()) : nullptr)
        closeEditor(open, QAbstractItemDelegate::NoHint);
    edited = kind == Part::Notes ? Part::Notes : Part::Name;
    setCurrentIndex(index);
    edit(index);
}

QUuid PaletteList::idOf(const QModelIndex &index) const
{
    return index.data(PaletteModel::IdRole).toUuid();
}

Part PaletteList::partAt(const QModelIndex &index, const QPoint &point) const
{
    if (!index.isValid())
        return {};
    return PaletteCardDelegate::partAt(visualRect(index), colorCount(index), point);
}

void PaletteList::activate(const QModelIndex &index, const Part &part)
{
    switch (part.kind) {
    case Part::Name:
    case Part::Notes: editText(index, part.kind); break;
    case Part::Swatch: Q_EMIT colorChosen(colorAt(index, part.swatch), colorNameAt(index, part.swatch)); break;
    case Part::Export: Q_EMIT exportRequested(idOf(index)); break;
    case Part::Duplicate: Q_EMIT duplicateRequested(idOf(index)); break;
    case Part::Delete: Q_EMIT deleteRequested(idOf(index)); break;
    case Part::Card:
    case Part::None: break;
    }
}

QList<int> PaletteList::actedOn(int position) const
{
    if (marked.size() > 1 && marked.contains(position))
        return marked;
    return {position};
}

QList<RGBA> PaletteList::colorsAt(const QModelIndex &index, const QList<int> &positions) const
{
    QList<RGBA> colors;
    for (const int position : positions)
        colors.append(colorAt(index, position));
    return colors;
}

void PaletteList::markTo(int position, bool keep)
{
    if (anchor < 0 || !keep) {
        anchor = position;
        marked = {position};
    } else {
        marked.clear();
        for (int i = std::min(anchor, position); i <= std::max(anchor, position); ++i)
            marked.append(i);
    }
    viewport()->update(visualRect(currentIndex()));
}

void PaletteList::moveFocusedColor(int by)
{
    const QModelIndex current = currentIndex();
    const int to = focused + by;
    if (focused < 0 || to < 0 || to >= colorCount(current))
        return;
    Q_EMIT moveColorRequested(idOf(current), focused, to);
    focused = to;
    markTo(to, false);
    announceFocus();
}

void PaletteList::moveCurrentPalette(int by)
{
    const int from = currentIndex().row();
    const int to = from + by;
    if (from < 0 || to < 0 || to >= model()->rowCount())
        return;
    Q_EMIT movePaletteRequested(from, to);
    setCurrentIndex(model()->index(to, 0));
    scrollTo(currentIndex());
}

void PaletteList::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || state() == EditingState) {
        QListView::keyPressEvent(event);
        return;
    }
    const int count = colorCount(current);
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool moving = shift && (modifiers & Qt::ControlModifier);
    auto focus = [this, &current, shift](int swatch) {
        focused = swatch;
        if (swatch >= 0)
            markTo(swatch, shift);
        else
            marked.clear();
        viewport()->update(visualRect(current));
        announceFocus();
    };
    // The keys act on the selected colours, or on the one in focus.
    const QList<int> selection = marked.isEmpty() ? QList<int>{focused} : marked;
    if (event->matches(QKeySequence::Copy) && focused >= 0) {
        Q_EMIT copyColorsRequested(colorsAt(current, selection));
        return;
    }
    if (event->matches(QKeySequence::SelectAll) && count > 0) {
        if (focused < 0)
            focused = 0;
        anchor = 0;
        markTo(count - 1, true);
        announceFocus();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int by = event->key() == Qt::Key_Left ? -1 : 1;
        if (moving)
            moveFocusedColor(by);
        else if (count > 0)
            focus(focused < 0 ? 0 : std::clamp(focused + by, 0, count - 1));
        return;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (moving) {
            moveCurrentPalette(event->key() == Qt::Key_Up ? -1 : 1);
            return;
        }
        break;
    case Qt::Key_Escape:
        if (focused >= 0) {
            focus(-1);
            return;
        }
        break;
    case Qt::Key_F2:
        if (focused >= 0 && !shift)
            Q_EMIT nameColorRequested(idOf(current), focused);
        else
            editText(current, shift ? Part::Notes : Part::Name);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (focused >= 0)
            Q_EMIT colorChosen(colorAt(current, focused), colorNameAt(current, focused));
        else if (event->key() != Qt::Key_Space)
            editText(current, Part::Name);
        return;
    case Qt::Key_Delete:
        if (focused >= 0) {
            const QList<int> positions = selection;
            const int left = count - int(positions.size());
            focused = left > 0 ? std::min(positions.first(), left - 1) : -1;
            anchor = -1;
            marked.clear();
            Q_EMIT removeColorsRequested(idOf(current), positions);
            if (focused >= 0)
                markTo(focused, false);
            announceFocus();
        } else {
            Q_EMIT deleteRequested(idOf(current));
        }
        return;
    default: break;
    }
    QListView::keyPressEvent(event);
}

void PaletteList::setHovered(const QModelIndex &index, const Part &part)
{
    if (index == hovered && part == hoveredPart_)
        return;
    if (hovered.isValid())
        viewport()->update(visualRect(hovered));
    hovered = index;
    hoveredPart_ = part;
    if (index.isValid())
        viewport()->update(visualRect(index));
    switch (part.kind) {
    case Part::Name:
    case Part::Notes: viewport()->setCursor(Qt::IBeamCursor); break;
    case Part::Swatch: viewport()->setCursor(Qt::PointingHandCursor); break;
    default: viewport()->unsetCursor(); break;
    }
}

void PaletteList::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    pressed = indexAt(point);
    pressedPart = partAt(pressed, point);
    pressPosition = point;
    QListView::mousePressEvent(event);
}

void PaletteList::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    const bool dragging = pressed.isValid() && (event->buttons() & Qt::LeftButton)
        && (point - pressPosition).manhattanLength() >= QApplication::startDragDistance();
    if (dragging && dragText && pressedPart.kind == Part::Swatch) {
        const RGBA color = colorAt(pressed, pressedPart.swatch);
        // Its place, so that a drop on its own card moves it there.
        const QString place = idOf(pressed).toString() + u' ' + QString::number(pressedPart.swatch);
        pressed = QPersistentModelIndex();
        startColorDrag(this, color, dragText(color), place);
        return;
    }
    if (dragging && pressedPart.kind == Part::Card) {
        // A card dragged by its background moves the palette.
        auto *drag = new QDrag(this);
        auto *data = new QMimeData;
        data->setData(paletteType(), QByteArray::number(pressed.row()));
        drag->setMimeData(data);
        QPixmap image(visualRect(pressed).size().boundedTo(QSize(320, 200)) * devicePixelRatioF());
        image.setDevicePixelRatio(devicePixelRatioF());
        image.fill(Qt::transparent);
        viewport()->render(&image, QPoint(), QRegion(visualRect(pressed)));
        drag->setPixmap(image);
        drag->setHotSpot(point - visualRect(pressed).topLeft());
        pressed = QPersistentModelIndex();
        drag->exec(Qt::MoveAction);
        return;
    }
    const QModelIndex index = indexAt(point);
    setHovered(index, partAt(index, point));
    QListView::mouseMoveEvent(event);
}

void PaletteList::mouseReleaseEvent(QMouseEvent *event)
{
    QListView::mouseReleaseEvent(event);
    const QPoint point = event->position().toPoint();
    const QModelIndex index = indexAt(point);
    if (event->button() == Qt::LeftButton && index.isValid() && index == pressed
        && partAt(index, point) == pressedPart) {
        if (pressedPart.kind == Part::Swatch) {
            // Ctrl and Shift select colours of the card; a plain click
            // selects one and chooses it.
            const bool toggle = event->modifiers() & Qt::ControlModifier;
            const bool extend = event->modifiers() & Qt::ShiftModifier;
            if (index != currentIndex()) {
                setCurrentIndex(index);
                marked.clear();
                anchor = -1;
            }
            focused = pressedPart.swatch;
            if (toggle) {
                if (marked.contains(focused))
                    marked.removeOne(focused);
                else
                    marked.append(focused);
                std::sort(marked.begin(), marked.end());
                anchor = focused;
                viewport()->update(visualRect(index));
            } else {
                markTo(focused, extend);
            }
            announceFocus();
            if (!toggle && !extend)
                activate(index, pressedPart);
        } else {
            activate(index, pressedPart);
        }
    }
    pressed = QPersistentModelIndex();
}

void PaletteList::leaveEvent(QEvent *event)
{
    setHovered(QModelIndex(), {});
    QListView::leaveEvent(event);
}

void PaletteList::contextMenuEvent(QContextMenuEvent *event)
{
    const bool mouse = event->reason() == QContextMenuEvent::Mouse;
    const QModelIndex index = mouse ? indexAt(event->pos()) : currentIndex();
    if (!index.isValid())
        return;
    const Part part = mouse ? partAt(index, event->pos()) : Part{focused >= 0 ? Part::Swatch : Part::Card, focused};
    const QUuid id = idOf(index);
    QMenu menu(this);
    if (part.kind == Part::Swatch) {
        // A colour is known by its place, so a repeated colour loses only
        // the one clicked.
        const int position = part.swatch;
        if (index != currentIndex() || !marked.contains(position)) {
            setCurrentIndex(index);
            focused = position;
            markTo(position, false);
        }
        const QList<int> positions = actedOn(position);
        const QList<RGBA> colors = colorsAt(index, positions);
        const bool one = positions.size() == 1;
        if (one)
            menu.addAction(QCoreApplication::translate("PaletteList", "Name…"), QKeySequence(Qt::Key_F2), this,
                           [this, id, position] { Q_EMIT nameColorRequested(id, position); });
        menu.addAction(one ? QCoreApplication::translate("PaletteList", "Copy")
                           : QCoreApplication::translate("PaletteList", "Copy %n Colors", nullptr, int(colors.size())),
                       QKeySequence::Copy, this, [this, colors] { Q_EMIT copyColorsRequested(colors); });
        QMenu *palettes = menu.addMenu(QCoreApplication::translate("PaletteList", "Add to Palette"));
        palettes->addAction(QCoreApplication::translate("PaletteList", "New Palette"), this,
                            [this, colors] { Q_EMIT addColorsRequested(colors, QUuid()); });
        if (paletteChoices) {
            const QList<std::pair<QUuid, QString>> choices = paletteChoices();
            if (!choices.isEmpty())
                palettes->addSeparator();
            for (const auto &[target, shown] : choices)
                palettes->addAction(shown, this,
                                    [this, colors, target = target] { Q_EMIT addColorsRequested(colors, target); });
        }
        menu.addAction(QCoreApplication::translate("PaletteList", "Export as Palette…"), this,
                       [this, colors] { Q_EMIT exportColorsRequested(colors); });
        menu.addSeparator();
        menu.addAction(
            one ? QCoreApplication::translate("PaletteList", "Remove")
                : QCoreApplication::translate("PaletteList", "Remove %n Colors", nullptr, int(colors.size())),
            QKeySequence(Qt::Key_Delete), this, [this, id, positions] { Q_EMIT removeColorsRequested(id, positions); });
    } else {
        const QPersistentModelIndex target(index);
        menu.addAction(QCoreApplication::translate("PaletteList", "Rename"), QKeySequence(Qt::Key_F2), this,
                       [this, target] {
                           if (target.isValid())
                               editText(target, Part::Name);
                       });
        menu.addAction(QCoreApplication::translate("PaletteList", "Edit Notes"), QKeySequence(Qt::SHIFT | Qt::Key_F2),
                       this, [this, target] {
                           if (target.isValid())
                               editText(target, Part::Notes);
                       });
        menu.addAction(QCoreApplication::translate("PaletteList", "Export…"), this,
                       [this, id] { Q_EMIT exportRequested(id); });
        menu.addAction(QCoreApplication::translate("PaletteList", "Duplicate"), this,
                       [this, id] { Q_EMIT duplicateRequested(id); });
        menu.addSeparator();
        menu.addAction(QCoreApplication::translate("PaletteList", "Delete"), QKeySequence(Qt::Key_Delete), this,
                       [this, id] { Q_EMIT deleteRequested(id); });
    }
    const QRect place = part.kind == Part::Swatch
        ? PaletteCardDelegate::partRect(visualRect(index), colorCount(index), part)
        : visualRect(index);
    menu.exec(mouse ? event->globalPos() : viewport()->mapToGlobal(place.center()));
}

void PaletteList::setDropTarget(const QModelIndex &index)
{
    if (index == dropTarget)
        return;
    if (dropTarget.isValid())
        viewport()->update(visualRect(dropTarget));
    dropTarget = index;
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
    Q_EMIT colorDropped(idOf(index), *color);
}

void PaletteList::forgetAccessibleCards()
{
    if (!QAccessible::isActive())
        return;
    if (auto *cards = dynamic_cast<PaletteListAccessible *>(QAccessible::queryAccessibleInterface(this)))
        cards->forgetParts();
}

void PaletteList::announceFocus()
{
    if (!QAccessible::isActive() || !hasFocus() || !currentIndex().isValid())
        return;
    auto *cards = dynamic_cast<PaletteListAccessible *>(QAccessible::queryAccessibleInterface(this));
    if (!cards)
        return;
    QAccessibleEvent event(
        cards->part(currentIndex().row(), focused < 0 ? -1 : PaletteListAccessible::partOfColor(focused)),
        QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void PaletteList::rowsInserted(const QModelIndex &parent, int first, int last)
{
    forgetAccessibleCards();
    QListView::rowsInserted(parent, first, last);
}

void PaletteList::rowsAboutToBeRemoved(const QModelIndex &parent, int first, int last)
{
    forgetAccessibleCards();
    QListView::rowsAboutToBeRemoved(parent, first, last);
}

void PaletteList::reset()
{
    forgetAccessibleCards();
    QListView::reset();
}

void PaletteList::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    focused = -1;
    marked.clear();
    anchor = -1;
    QListView::currentChanged(current, previous);
    announceFocus();
    if (previous.isValid())
        viewport()->update(visualRect(previous));
}

void PaletteList::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles)
{
    QListView::dataChanged(topLeft, bottomRight, roles);
    // A name typed keeps the parts; colours come and go with theirs.
    if (roles.isEmpty() || roles.contains(PaletteModel::ColorsRole))
        forgetAccessibleCards();
    // A colour more or less may change a card's height.
    if (currentIndex() == topLeft && focused >= colorCount(topLeft)) {
        focused = colorCount(topLeft) - 1;
    }
    if (currentIndex() == topLeft)
        marked.removeIf([count = colorCount(topLeft)](int position) { return position >= count; });
    scheduleDelayedItemsLayout();
}

} // namespace pigmentry
