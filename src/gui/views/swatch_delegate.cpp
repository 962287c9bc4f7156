// SPDX-License-Identifier: GPL-3.0-or-later
#include "swatch_delegate.h"

#include "gui/kit/theme.h"
#include "model/items/color_roles.h"

#include <QAbstractItemView>
#include <QDrag>
#include <QHelpEvent>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

namespace pigmentry {

SwatchDelegate::SwatchDelegate(Look look, std::function<RGBA()> selected, QObject *parent)
    : QStyledItemDelegate(parent)
    , look_(look)
    , selected_(std::move(selected))
{ }

void SwatchDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const RGBA color = index.data(ColorRole).value<RGBA>();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(option.rect).adjusted(0.5, 0.5, -0.5, -0.5);

    if (look_ == Look::Chip) {
        QPainterPath chip;
        chip.addRoundedRect(outer, chipRadius_, chipRadius_);
        paintColor(painter, chip, color);
        painter->setPen(QPen(theme::primary(option.state & QStyle::State_MouseOver ? 0.3 : 0.08), 1));
        painter->drawPath(chip);
        painter->restore();
        return;
    }

    paintSwatchTile(painter, outer, color, selected_ && color == selected_(), option.state & QStyle::State_MouseOver);
    painter->restore();
}

QSize SwatchDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return look_ == Look::Chip ? QSize(24, 24) : QSize(96, tileHeight);
}

bool SwatchDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                               const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QToolTip::showText(event->globalPos(), toolTipPrefix_ + index.data(HexRole).toString(), view, option.rect);
    return true;
}

} // namespace pigmentry
