// SPDX-License-Identifier: GPL-3.0-or-later
#include "palette_list.h"

#include "gui/views/palette/palette_card.h"

#include "gui/kit/theme.h"
#include "gui/views/accessible/palette_list_accessible.h"
#include "gui/views/color_actions.h"
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
    edited_ = kind == Part::Notes ? Part::Notes : Part::Name;
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

QList<RGBA> PaletteList::colorsAt(const QModelIndex &index, const QList<int> &positions) const
{
    QList<RGBA> colors;
    for (const int position : positions)
        colors.append(colorAt(index, position));
    return colors;
}

void PaletteList::focusSwatch(int position, bool extend)
{
    swatches_.focus(position, extend);
    viewport()->update(visualRect(currentIndex()));
}

void PaletteList::moveFocusedColor(int by)
{
    const QModelIndex current = currentIndex();
    const int focused = swatches_.focused();
    const int to = focused + by;
    if (focused < 0 || to < 0 || to >= colorCount(current))
        return;
    Q_EMIT moveColorRequested(idOf(current), focused, to);
    focusSwatch(to);
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
    const int focused = swatches_.focused();
    auto focus = [this, shift](int swatch) {
        focusSwatch(swatch, shift);
        announceFocus();
    };
    if (event->matches(QKeySequence::Copy) && focused >= 0) {
        Q_EMIT copyColorsRequested(colorsAt(current, swatches_.keyTargets()));
        return;
    }
    if (event->matches(QKeySequence::SelectAll) && count > 0) {
        swatches_.selectAll(count);
        viewport()->update(visualRect(current));
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
            const QList<int> positions = swatches_.keyTargets();
            swatches_.removed(positions, count);
            Q_EMIT removeColorsRequested(idOf(current), positions);
            viewport()->update(visualRect(current));
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
    if (index == hovered_ && part == hoveredPart_)
        return;
    if (hovered_.isValid())
        viewport()->update(visualRect(hovered_));
    hovered_ = index;
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
    pressed_ = indexAt(point);
    pressedPart_ = partAt(pressed_, point);
    pressPosition_ = point;
    QListView::mousePressEvent(event);
}

void PaletteList::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    const bool dragging = pressed_.isValid() && (event->buttons() & Qt::LeftButton)
        && (point - pressPosition_).manhattanLength() >= QApplication::startDragDistance();
    if (dragging && dragText_ && pressedPart_.kind == Part::Swatch) {
        const RGBA color = colorAt(pressed_, pressedPart_.swatch);
        // Its place, so that a drop on its own card moves it there.
        const QString place = idOf(pressed_).toString() + u' ' + QString::number(pressedPart_.swatch);
        const QString name = colorNameAt(pressed_, pressedPart_.swatch);
        pressed_ = QPersistentModelIndex();
        startColorDrag(this, color, dragText_(color), place, name);
        return;
    }
    if (dragging && pressedPart_.kind == Part::Card) {
        // A card dragged by its background moves the palette.
        auto *drag = new QDrag(this);
        auto *data = new QMimeData;
        data->setData(paletteType(), QByteArray::number(pressed_.row()));
        drag->setMimeData(data);
        QPixmap image(visualRect(pressed_).size().boundedTo(QSize(320, 200)) * devicePixelRatioF());
        image.setDevicePixelRatio(devicePixelRatioF());
        image.fill(Qt::transparent);
        viewport()->render(&image, QPoint(), QRegion(visualRect(pressed_)));
        drag->setPixmap(image);
        drag->setHotSpot(point - visualRect(pressed_).topLeft());
        pressed_ = QPersistentModelIndex();
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
    if (event->button() == Qt::LeftButton && index.isValid() && index == pressed_
        && partAt(index, point) == pressedPart_) {
        if (pressedPart_.kind == Part::Swatch) {
            // Ctrl and Shift select colours of the card; a plain click
            // selects one and chooses it.
            const bool toggle = event->modifiers() & Qt::ControlModifier;
            const bool extend = event->modifiers() & Qt::ShiftModifier;
            if (index != currentIndex()) {
                setCurrentIndex(index);
                swatches_.clear();
            }
            if (toggle) {
                swatches_.toggle(pressedPart_.swatch);
                viewport()->update(visualRect(index));
            } else {
                focusSwatch(pressedPart_.swatch, extend);
            }
            announceFocus();
            if (!toggle && !extend)
                activate(index, pressedPart_);
        } else {
            activate(index, pressedPart_);
        }
    }
    pressed_ = QPersistentModelIndex();
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
    const int focused = swatches_.focused();
    const Part part = mouse ? partAt(index, event->pos()) : Part{focused >= 0 ? Part::Swatch : Part::Card, focused};
    const QUuid id = idOf(index);
    const QPersistentModelIndex target(index);
    QMenu menu(this);
    if (part.kind == Part::Swatch) {
        // A colour is known by its place, so a repeated colour loses only
        // the one clicked.
        const int position = part.swatch;
        if (index != currentIndex() || !swatches_.contains(position)) {
            setCurrentIndex(index);
            focusSwatch(position);
        }
        const QList<int> positions = actedOn(position);
        const QList<RGBA> colors = colorsAt(index, positions);
        ColorActions actions;
        actions.count = int(colors.size());
        actions.valid = [this, target, positions, colors] {
            return target.isValid() && positions.last() < colorCount(target) && colorsAt(target, positions) == colors;
        };
        actions.copy = [this, colors] { Q_EMIT copyColorsRequested(colors); };
        actions.addToPalette = [this, colors](const QUuid &palette) { Q_EMIT addColorsRequested(colors, palette); };
        if (paletteChoices_)
            actions.paletteChoices = paletteChoices_();
        actions.exportAsPalette = [this, colors] { Q_EMIT exportColorsRequested(colors); };
        actions.remove = [this, id, positions] { Q_EMIT removeColorsRequested(id, positions); };
        if (positions.size() == 1)
            menu.addAction(tr("Name…"), QKeySequence(Qt::Key_F2),
                           actions.guarded([this, id, position] { Q_EMIT nameColorRequested(id, position); }));
        addColorActions(menu, actions);
    } else {
        auto edit = [this, target](Part::Kind kind) {
            return [this, target, kind] {
                if (target.isValid())
                    editText(target, kind);
            };
        };
        menu.addAction(tr("Rename"), QKeySequence(Qt::Key_F2), edit(Part::Name));
        menu.addAction(tr("Edit Notes"), QKeySequence(Qt::SHIFT | Qt::Key_F2), edit(Part::Notes));
        if (pickIntoPalette_)
            menu.addAction(tr("Pick Colors into This Palette"), this, [this, id] { pickIntoPalette_(id); });
        menu.addAction(tr("Export…"), this, [this, id] { Q_EMIT exportRequested(id); });
        menu.addAction(tr("Duplicate"), this, [this, id] { Q_EMIT duplicateRequested(id); });
        menu.addSeparator();
        menu.addAction(tr("Delete"), QKeySequence(Qt::Key_Delete), this, [this, id] { Q_EMIT deleteRequested(id); });
    }
    const QRect place = part.kind == Part::Swatch
        ? PaletteCardDelegate::partRect(visualRect(index), colorCount(index), part)
        : visualRect(index);
    menu.exec(mouse ? event->globalPos() : viewport()->mapToGlobal(place.center()));
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
        cards->part(currentIndex().row(),
                    swatches_.focused() < 0 ? -1 : PaletteListAccessible::partOfColor(swatches_.focused())),
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
    swatches_.clear();
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
    if (currentIndex() == topLeft)
        swatches_.fit(colorCount(topLeft));
    scheduleDelayedItemsLayout();
}

} // namespace pigmentry
