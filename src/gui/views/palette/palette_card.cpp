// SPDX-License-Identifier: GPL-3.0-or-later
#include "palette_card.h"

#include "gui/kit/theme.h"
#include "gui/views/palette/palette_list.h"
#include "gui/views/swatch_delegate.h"
#include "model/items/palette_model.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QToolTip>

namespace pigmentry {

namespace {

constexpr int padding = PaletteCardDelegate::padding;
constexpr int nameHeight = 28;
constexpr int notesHeight = 22;
constexpr int gap = 8;
constexpr int tileHeight = swatchTileHeight;
constexpr int buttonHeight = 28;
// Between one card and the next, below each card.
constexpr int cardGap = 12;

using Part = PaletteCardDelegate::Part;

int tilesPerRow(int width)
{
    return std::max(1, (width - 2 * padding + gap) / (PaletteCardDelegate::swatchWidth + gap));
}

int swatchesHeight(int width, int colors)
{
    if (colors == 0)
        return 0;
    const int lines = (colors + tilesPerRow(width) - 1) / tilesPerRow(width);
    return lines * tileHeight + (lines - 1) * gap + gap;
}

} // namespace

const QString &PaletteCardDelegate::buttonText(Part::Kind kind)
{
    static const QString texts[] = {QCoreApplication::translate("PaletteList", "Export"),
                                    QCoreApplication::translate("PaletteList", "Duplicate"),
                                    QCoreApplication::translate("PaletteList", "Delete")};
    return texts[kind - Part::Export];
}

namespace {

int buttonWidth(Part::Kind kind)
{
    return std::max(80,
                    QFontMetrics(QApplication::font()).horizontalAdvance(PaletteCardDelegate::buttonText(kind)) + 32);
}

} // namespace

PaletteCardDelegate::PaletteCardDelegate(PaletteList *list, std::function<RGBA()> selected)
    : InlineTextDelegate({PaletteModel::NameRole, theme::font(13, QFont::DemiBold),
                          QCoreApplication::translate("PaletteList", "Name"),
                          QCoreApplication::translate("PaletteList", "Palette name"), 4},
                         list)
    , list_(list)
    , selected_(std::move(selected))
{ }

int PaletteCardDelegate::cardHeight(int width, int colors)
{
    return padding + nameHeight + notesHeight + gap + swatchesHeight(width, colors) + buttonHeight + padding;
}

QRect PaletteCardDelegate::partRect(const QRect &cell, int colors, const Part &part)
{
    const int inner = cell.width() - 2 * padding;
    switch (part.kind) {
    case Part::Card: return cell;
    case Part::Name: return QRect(cell.left() + padding, cell.top() + padding, inner, nameHeight);
    case Part::Notes: return QRect(cell.left() + padding, cell.top() + padding + nameHeight, inner, notesHeight);
    case Part::Swatch: {
        const int perRow = tilesPerRow(cell.width());
        return QRect(cell.left() + padding + (part.swatch % perRow) * (swatchWidth + gap),
                     cell.top() + padding + nameHeight + notesHeight + gap
                         + (part.swatch / perRow) * (tileHeight + gap),
                     swatchWidth, tileHeight);
    }
    case Part::Export:
    case Part::Duplicate:
    case Part::Delete: {
        int left = cell.left() + padding;
        for (int kind = Part::Export; kind < part.kind; ++kind)
            left += buttonWidth(Part::Kind(kind)) + gap;
        return QRect(left, cell.top() + padding + nameHeight + notesHeight + gap + swatchesHeight(cell.width(), colors),
                     buttonWidth(part.kind), buttonHeight);
    }
    case Part::None: break;
    }
    return {};
}

Part PaletteCardDelegate::partAt(const QRect &cell, int colors, const QPoint &point)
{
    if (!cell.adjusted(0, 0, 0, -cardGap).contains(point))
        return {};
    for (Part::Kind kind : {Part::Name, Part::Notes, Part::Export, Part::Duplicate, Part::Delete}) {
        if (partRect(cell, colors, {kind}).contains(point))
            return {kind};
    }
    // The swatch under the point, found from its row and column.
    const int perRow = tilesPerRow(cell.width());
    const int x = point.x() - cell.left() - padding;
    const int y = point.y() - cell.top() - padding - nameHeight - notesHeight - gap;
    if (x >= 0 && y >= 0) {
        const int position = (y / (tileHeight + gap)) * perRow + x / (swatchWidth + gap);
        if (x / (swatchWidth + gap) < perRow && position < colors
            && partRect(cell, colors, {Part::Swatch, position}).contains(point))
            return {Part::Swatch, position};
    }
    return {Part::Card};
}

void PaletteCardDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect cell = option.rect;
    const QList<RGBA> colors = index.data(PaletteModel::ColorsRole).value<QList<RGBA>>();
    const QStringList names = index.data(PaletteModel::ColorNamesRole).toStringList();
    const int count = int(colors.size());
    const Part hoveredPart = list_->hoveredPart(index);
    const int focusedSwatch = list_->focusedSwatch();
    const bool isCurrent = list_->hasFocus() && index == list_->currentIndex();
    const bool keyboard = isCurrent && list_->window()->testAttribute(Qt::WA_KeyboardFocusChange);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    // The look of every card of the Studio: the controls' face, a faint edge.
    QPainterPath card;
    card.addRoundedRect(QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5 - cardGap), 14, 14);
    painter->fillPath(card, theme::controlBackground());
    const bool marked = list_->isDropTarget(index) || (keyboard && focusedSwatch < 0);
    painter->setPen(marked ? QPen(theme::accent(), 2) : QPen(theme::primary(0.06), 1));
    painter->drawPath(card);

    // The name, and the notes under it, each edited in place.
    auto paintText = [&](Part::Kind kind, int role, const QFont &font, const QColor &tone, const QString &placeholder) {
        const QRect area = partRect(cell, count, {kind});
        if (hoveredPart.kind == kind) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(theme::primary(0.05));
            painter->drawRoundedRect(QRectF(area), 6, 6);
        }
        const QString text = index.data(role).toString();
        painter->setFont(font);
        painter->setPen(text.isEmpty() ? option.palette.color(QPalette::PlaceholderText) : tone);
        const QRect textArea = area.adjusted(8, 0, -8, 0);
        painter->drawText(
            textArea, Qt::AlignLeft | Qt::AlignVCenter,
            painter->fontMetrics().elidedText(text.isEmpty() ? placeholder : text, Qt::ElideRight, textArea.width()));
    };
    paintText(Part::Name, PaletteModel::NameRole, theme::font(13, QFont::DemiBold), theme::primary(),
              QCoreApplication::translate("PaletteList", "Name"));
    paintText(Part::Notes, PaletteModel::NotesRole, theme::font(11), theme::secondary(),
              QCoreApplication::translate("PaletteList", "Add notes"));
    painter->restore();

    const RGBA current = selected_ ? selected_() : RGBA{};
    for (int i = 0; i < count; ++i) {
        const QRect tile = partRect(cell, count, {Part::Swatch, i});
        const bool pointed = hoveredPart == Part{Part::Swatch, i};
        const bool marked = list_->isMarked(index, i);
        paintSwatchTile(painter, QRectF(tile).adjusted(0.5, 0.5, -0.5, -0.5), colors.at(i),
                        marked || colors.at(i) == current, pointed, names.value(i));
        if (marked)
            paintCheckBadge(painter, QRectF(tile));
        if (isCurrent && focusedSwatch == i) {
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(QPen(theme::accent(), 2));
            painter->drawRoundedRect(QRectF(tile).adjusted(-2, -2, 2, 2), 13, 13);
            painter->restore();
        }
    }

    for (Part::Kind kind : {Part::Export, Part::Duplicate, Part::Delete}) {
        QStyleOptionButton button;
        button.initFrom(list_);
        button.rect = partRect(cell, count, {kind});
        button.text = buttonText(kind);
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        if (hoveredPart.kind == kind)
            button.state |= QStyle::State_MouseOver;
        list_->style()->drawControl(QStyle::CE_PushButton, &button, painter, list_);
    }
}

QSize PaletteCardDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const int width = list_->cardWidth();
    return QSize(width,
                 cardHeight(width, int(index.data(PaletteModel::ColorsRole).value<QList<RGBA>>().size())) + cardGap);
}

void PaletteCardDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                               const QModelIndex &index) const
{
    editor->setGeometry(partRect(option.rect, int(index.data(PaletteModel::ColorsRole).value<QList<RGBA>>().size()),
                                 {list_->editedText()}));
}

InlineTextDelegate::Editor PaletteCardDelegate::editorFor(const QModelIndex &index) const
{
    if (list_->editedText() == Part::Notes)
        return {PaletteModel::NotesRole, theme::font(11), QCoreApplication::translate("PaletteList", "Add notes"),
                QCoreApplication::translate("PaletteList", "Palette notes"), 4};
    return InlineTextDelegate::editorFor(index);
}

bool PaletteCardDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                    const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QList<RGBA> colors = index.data(PaletteModel::ColorsRole).value<QList<RGBA>>();
    const Part part = partAt(option.rect, int(colors.size()), event->pos());
    if (part.kind == Part::Swatch) {
        // A colour's own name comes first where it has one.
        const QString name = index.data(PaletteModel::ColorNamesRole).toStringList().value(part.swatch);
        const QString tip = QCoreApplication::translate("PaletteList", "Inspect ") + colors.at(part.swatch).hex();
        QToolTip::showText(event->globalPos(), name.isEmpty() ? tip : name + u'\n' + tip, view,
                           partRect(option.rect, int(colors.size()), part));
    } else
        QToolTip::hideText();
    return true;
}

} // namespace pigmentry
