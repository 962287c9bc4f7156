#include "swatch_delegate.h"

#include "model/history_model.h"
#include "theme.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

namespace pigmentry {

void paintColor(QPainter *painter, const QPainterPath &shape, const RGBA &color)
{
    if (!(color.a >= 1.0)) {
        painter->save();
        painter->setClipPath(shape, Qt::IntersectClip);
        const QRectF area = shape.boundingRect();
        painter->fillRect(area, QColor(255, 255, 255));
        constexpr double square = 5;
        for (double y = area.top(); y < area.bottom(); y += square)
            for (double x = area.left() + (int((y - area.top()) / square) % 2) * square; x < area.right(); x += 2 * square)
                painter->fillRect(QRectF(x, y, square, square), QColor(204, 204, 204));
        painter->restore();
    }
    painter->fillPath(shape, theme::color(color));
}

SwatchDelegate::SwatchDelegate(Look look, std::function<RGBA()> selected, QObject *parent)
    : QStyledItemDelegate(parent), look(look), selected(std::move(selected))
{
}

void SwatchDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const RGBA color = index.data(HistoryModel::ColorRole).value<RGBA>();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(option.rect).adjusted(0.5, 0.5, -0.5, -0.5);

    if (look == Look::Chip) {
        QPainterPath chip;
        chip.addRoundedRect(outer, chipRadius, chipRadius);
        paintColor(painter, chip, color);
        painter->setPen(QPen(theme::primary(option.state & QStyle::State_MouseOver ? 0.3 : 0.08), 1));
        painter->drawPath(chip);
        painter->restore();
        return;
    }

    QPainterPath tile;
    tile.addRoundedRect(outer, 12, 12);
    painter->fillPath(tile, theme::controlBackground());
    const bool isSelected = selected && color == selected();
    QColor outline = isSelected ? theme::accent() : theme::primary(option.state & QStyle::State_MouseOver ? 0.15 : 0.05);
    if (isSelected)
        outline.setAlphaF(0.7f);
    painter->setPen(QPen(outline, isSelected ? 1.5 : 1));
    painter->drawPath(tile);

    QPainterPath patch;
    const QRectF patchRect(outer.left() + 8, outer.top() + 8, outer.width() - 16, 72);
    patch.addRoundedRect(patchRect, 9, 9);
    paintColor(painter, patch, color);
    painter->setPen(QPen(theme::primary(0.06), 1));
    painter->drawPath(patch);

    painter->setPen(theme::primary());
    painter->setFont(theme::monospace(10, QFont::Medium));
    painter->drawText(QRectF(outer.left() + 8, patchRect.bottom() + 4, outer.width() - 16, 16),
                      Qt::AlignLeft | Qt::AlignVCenter, color.hex());
    painter->restore();
}

QSize SwatchDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return look == Look::Chip ? QSize(24, 24) : QSize(96, tileHeight);
}

bool SwatchDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                               const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QToolTip::showText(event->globalPos(), toolTipPrefix + index.data(HistoryModel::HexRole).toString(), view,
                       option.rect);
    return true;
}

} // namespace pigmentry
