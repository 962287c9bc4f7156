// SPDX-License-Identifier: GPL-3.0-or-later
#include "history_grid.h"

#include "gui/kit/theme.h"
#include "gui/views/color_actions.h"
#include "gui/views/swatch_delegate.h"
#include "model/color/color_names.h"
#include "model/items/color_roles.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QToolTip>

namespace pigmentry {
namespace {

constexpr int tileHeight = swatchTileHeight;
constexpr int labelTop = tileHeight + 10;
constexpr int labelHeight = 24;
constexpr int rowTop = labelTop + labelHeight + 10;
constexpr int rowHeight = 18;
constexpr int iconSize = 13;

} // namespace

HistoryCellDelegate::HistoryCellDelegate(HistoryGrid *grid, std::function<RGBA()> selected)
    : InlineTextDelegate({LabelRole, theme::font(11), QCoreApplication::translate("HistoryGrid", "Add a label"),
                          QCoreApplication::translate("HistoryGrid", "Label"), 6},
                         grid)
    , grid_(grid)
    , selected_(std::move(selected))
{ }

InlineTextDelegate::Editor HistoryCellDelegate::editorFor(const QModelIndex &index) const
{
    Editor editor = InlineTextDelegate::editorFor(index);
    editor.accessibleName = tr("Label of color %1").arg(index.data(HexRole).toString());
    return editor;
}

QRect HistoryCellDelegate::partRect(const QRect &cell, Part part)
{
    const int right = cell.right() - 8;
    switch (part) {
    case Part::Tile: return QRect(cell.left(), cell.top(), cell.width(), tileHeight);
    case Part::Label: return QRect(cell.left(), cell.top() + labelTop, cell.width(), labelHeight);
    case Part::Remove: return QRect(right - rowHeight + 1, cell.top() + rowTop, rowHeight, rowHeight);
    case Part::Favorite: return QRect(right - 2 * rowHeight - 3, cell.top() + rowTop, rowHeight, rowHeight);
    case Part::None: break;
    }
    return {};
}

HistoryCellDelegate::Part HistoryCellDelegate::partAt(const QRect &cell, const QPoint &point)
{
    for (Part part : {Part::Tile, Part::Label, Part::Favorite, Part::Remove}) {
        if (partRect(cell, part).contains(point))
            return part;
    }
    return Part::None;
}

QString HistoryCellDelegate::dateText(const QDateTime &date)
{
    // The long format names the month; the weekday only takes room.
    static const QString format = [] {
        QString pattern = QLocale().dateFormat(QLocale::LongFormat);
        pattern.remove(QRegularExpression(QStringLiteral("d{4}[,.]?\\s*")));
        return pattern.trimmed();
    }();
    return QLocale().toString(date.toLocalTime().date(), format);
}

void HistoryCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect cell = option.rect;
    const RGBA color = index.data(ColorRole).value<RGBA>();
    const Part pointed = grid_->hoveredPart(index);

    const bool inSelection = grid_->selectsSeveral() && (option.state & QStyle::State_Selected);
    const QRectF tile = QRectF(partRect(cell, Part::Tile)).adjusted(0.5, 0.5, -0.5, -0.5);
    paintSwatchTile(painter, tile, color, inSelection || (selected_ && color == selected_()), pointed == Part::Tile);
    if (inSelection)
        paintCheckBadge(painter, tile);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect label = partRect(cell, Part::Label);
    if (pointed == Part::Label) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(theme::primary(0.05));
        painter->drawRoundedRect(QRectF(label), 6, 6);
    }
    const QString text = index.data(LabelRole).toString();
    painter->setFont(theme::font(11));
    painter->setPen(text.isEmpty() ? option.palette.color(QPalette::PlaceholderText) : theme::primary());
    const QRect textArea = label.adjusted(8, 0, -8, 0);
    painter->drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter,
                      painter->fontMetrics().elidedText(
                          text.isEmpty() ? QCoreApplication::translate("HistoryGrid", "Add a label") : text,
                          Qt::ElideRight, textArea.width()));

    const QRect row(cell.left() + 8, cell.top() + rowTop, cell.width() - 16, rowHeight);
    painter->setFont(theme::font(9));
    painter->setPen(theme::secondary());
    const QRect star = partRect(cell, Part::Favorite);
    // The month by name where it fits (a narrow column in a long language
    // may not have the room), in digits otherwise.
    const QRect dateArea(row.left(), row.top(), star.left() - row.left() - 4, rowHeight);
    const QDateTime date = index.data(DateRole).toDateTime();
    QString shown = dateText(date);
    if (painter->fontMetrics().horizontalAdvance(shown) > dateArea.width())
        shown = painter->fontMetrics().elidedText(QLocale().toString(date.toLocalTime().date(), QLocale::ShortFormat),
                                                  Qt::ElideRight, dateArea.width());
    painter->drawText(dateArea, Qt::AlignLeft | Qt::AlignVCenter, shown);

    const double ratio = painter->device()->devicePixelRatioF();
    auto drawIcon = [&](const QRect &area, const QString &symbol, const QColor &tone) {
        const QPoint at = area.center() - QPoint(iconSize / 2, iconSize / 2);
        painter->drawPixmap(at, theme::pixmap(symbol, iconSize, tone, ratio));
    };
    const bool favorite = index.data(FavoriteRole).toBool();
    drawIcon(star, favorite ? QStringLiteral("star.fill") : QStringLiteral("star"),
             favorite ? theme::orange() : (pointed == Part::Favorite ? theme::primary() : theme::secondary()));
    drawIcon(partRect(cell, Part::Remove), QStringLiteral("trash"),
             pointed == Part::Remove ? theme::primary() : theme::secondary());
    painter->restore();
}

QSize HistoryCellDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return QSize(minimumCellWidth, cellHeight);
}

void HistoryCellDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                               const QModelIndex &) const
{
    editor->setGeometry(partRect(option.rect, Part::Label));
}

bool HistoryCellDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                    const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QString tip;
    const Part part = partAt(option.rect, event->pos());
    switch (part) {
    case Part::Tile:
        // What the colour is called, then what a click does.
        tip = colorName(index.data(ColorRole).value<RGBA>()) + u'\n'
            + QCoreApplication::translate("HistoryGrid", "Inspect ") + index.data(HexRole).toString();
        break;
    case Part::Favorite: tip = QCoreApplication::translate("HistoryGrid", "Toggle favorite"); break;
    case Part::Remove: tip = QCoreApplication::translate("HistoryGrid", "Remove color"); break;
    case Part::Label:
    case Part::None: break;
    }
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPos(), tip, view, partRect(option.rect, part));
    return true;
}

HistoryGrid::HistoryGrid(std::function<RGBA()> selected, QWidget *parent)
    : SwatchGrid(parent)
{
    setItemDelegate(new HistoryCellDelegate(this, std::move(selected)));
    setCellSize(HistoryCellDelegate::minimumCellWidth, HistoryCellDelegate::cellHeight, true);
    setSpacing(8, 16);
    setSelectionMode(ExtendedSelection);
    viewport()->setCursor(Qt::ArrowCursor);
}

QModelIndexList HistoryGrid::actedOn(const QModelIndex &index) const
{
    if (!index.isValid())
        return {};
    QModelIndexList indexes = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    if (!indexes.contains(index))
        return {index};
    std::sort(indexes.begin(), indexes.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    return indexes;
}

void HistoryGrid::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    SwatchGrid::selectionChanged(selected, deselected);
    const bool now = selectionModel()->selectedIndexes().size() > 1;
    if (now != several_) {
        several_ = now;
        viewport()->update();
    }
}

void HistoryGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    SwatchGrid::mouseDoubleClickEvent(event);
    // A double click anywhere but on the label picks the colour too.
    const QPoint at = event->position().toPoint();
    const QModelIndex index = indexAt(at);
    if (index.isValid() && HistoryCellDelegate::partAt(visualRect(index), at) != HistoryCellDelegate::Part::Label)
        Q_EMIT chosen(index);
}

void HistoryGrid::cellClicked(const QModelIndex &index, const QPoint &point)
{
    // Ctrl and Shift only select.
    if (QGuiApplication::keyboardModifiers() & (Qt::ControlModifier | Qt::ShiftModifier))
        return;
    using Part = HistoryCellDelegate::Part;
    switch (HistoryCellDelegate::partAt(QRect(QPoint(0, 0), visualRect(index).size()), point)) {
    case Part::Tile: Q_EMIT chosen(index); break;
    case Part::Label: edit(index); break;
    case Part::Favorite: toggleFavorite(index); break;
    case Part::Remove: remove({index}); break;
    case Part::None: break;
    }
}

bool HistoryGrid::dragsFrom(const QModelIndex &index, const QPoint &point) const
{
    return HistoryCellDelegate::partAt(QRect(QPoint(0, 0), visualRect(index).size()), point)
        == HistoryCellDelegate::Part::Tile;
}

void HistoryGrid::toggleFavorite(const QModelIndex &index)
{
    model()->setData(index, !index.data(FavoriteRole).toBool(), FavoriteRole);
}

void HistoryGrid::remove(const QModelIndexList &indexes)
{
    if (indexes.isEmpty())
        return;
    // The focus goes on to the colour after the first one removed, which
    // now stands in its place; back to the new last when none follows.
    const bool hadFocus = currentIndex().isValid();
    const int first =
        std::min_element(indexes.cbegin(), indexes.cend(), [](const QModelIndex &a, const QModelIndex &b) {
            return a.row() < b.row();
        })->row();
    Q_EMIT removeRequested(indexes);
    const int rows = model()->rowCount();
    if (hadFocus && rows > 0)
        selectionModel()->setCurrentIndex(model()->index(std::min(first, rows - 1), 0),
                                          QItemSelectionModel::ClearAndSelect);
}

void HistoryGrid::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && state() != EditingState) {
        if (event->matches(QKeySequence::Copy)) {
            Q_EMIT copyRequested(actedOn(current));
            return;
        }
        if (event->matches(QKeySequence::Delete) || event->key() == Qt::Key_Delete) {
            remove(actedOn(current));
            return;
        }
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2: edit(current); return;
        case Qt::Key_Space:
            if (!(event->modifiers() & Qt::ControlModifier)) {
                Q_EMIT chosen(current);
                return;
            }
            break;
        default: break;
        }
    }
    SwatchGrid::keyPressEvent(event);
}

void HistoryGrid::mouseMoveEvent(QMouseEvent *event)
{
    SwatchGrid::mouseMoveEvent(event);
    // Parts of one cell light up on their own, and each has its cursor.
    const QModelIndex index = hoveredIndex();
    const HistoryCellDelegate::Part part = index.isValid()
        ? HistoryCellDelegate::partAt(visualRect(index), event->position().toPoint())
        : HistoryCellDelegate::Part::None;
    if (part != hoveredPart_) {
        hoveredPart_ = part;
        if (index.isValid())
            viewport()->update(visualRect(index));
    }
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (part) {
    case HistoryCellDelegate::Part::Label: shape = Qt::IBeamCursor; break;
    case HistoryCellDelegate::Part::None: break;
    default: shape = Qt::PointingHandCursor; break;
    }
    viewport()->setCursor(shape);
}

void HistoryGrid::contextMenuEvent(QContextMenuEvent *event)
{
    const QModelIndex index = event->reason() == QContextMenuEvent::Mouse ? indexAt(event->pos()) : currentIndex();
    if (!index.isValid())
        return;
    // A click outside the selection acts on the colour clicked alone.
    const QModelIndexList acted = actedOn(index);
    if (acted.size() == 1)
        setCurrentIndex(index);
    QList<QPersistentModelIndex> targets;
    for (const QModelIndex &i : acted)
        targets.append(i);
    auto indexes = [targets] {
        QModelIndexList list;
        for (const QPersistentModelIndex &target : targets)
            list.append(target);
        return list;
    };
    const QPersistentModelIndex target(index);
    ColorActions actions;
    actions.count = int(acted.size());
    actions.valid = [targets] {
        return std::all_of(targets.cbegin(), targets.cend(),
                           [](const QPersistentModelIndex &i) { return i.isValid(); });
    };
    actions.copy = [this, indexes] { Q_EMIT copyRequested(indexes()); };
    actions.addToPalette = [this, indexes](const QUuid &palette) { Q_EMIT addToPaletteRequested(indexes(), palette); };
    if (paletteChoices_)
        actions.paletteChoices = paletteChoices_();
    actions.exportAsPalette = [this, indexes] { Q_EMIT exportRequested(indexes()); };
    actions.remove = [this, indexes] { remove(indexes()); };
    const bool one = acted.size() == 1;
    QMenu menu(this);
    if (one)
        menu.addAction(tr("Inspect"), actions.guarded([this, target] { Q_EMIT chosen(target); }));
    addColorActions(menu, actions, [&](QMenu &menu) {
        if (one)
            menu.addAction(tr("Edit Label"), QKeySequence(Qt::Key_F2),
                           actions.guarded([this, target] { edit(target); }));
        // The star goes on all unless all have it.
        const bool allFavorite = std::all_of(acted.cbegin(), acted.cend(),
                                             [](const QModelIndex &i) { return i.data(FavoriteRole).toBool(); });
        menu.addAction(
            allFavorite ? tr("Remove from Favorites") : tr("Add to Favorites"),
            actions.guarded([this, indexes, allFavorite] { Q_EMIT favoriteRequested(indexes(), !allFavorite); }));
    });
    const QPoint at = event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                  : viewport()->mapToGlobal(visualRect(index).center());
    menu.exec(at);
}

} // namespace pigmentry
