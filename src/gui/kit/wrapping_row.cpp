// SPDX-License-Identifier: GPL-3.0-or-later
#include "wrapping_row.h"

namespace pigmentry {

WrappingRow::WrappingRow(int spacing, QWidget *parent)
    : QWidget(parent)
    , layout_(new QBoxLayout(QBoxLayout::LeftToRight, this))
{
    layout_->setContentsMargins(0, 0, 0, 0);
    if (spacing >= 0)
        layout_->setSpacing(spacing);
    // The row's minimum is that of its widgets one under the other, not the
    // sum of their widths that the layout would impose.
    layout_->setSizeConstraint(QLayout::SetNoConstraint);
}

void WrappingRow::addWidget(QWidget *widget, int stretch)
{
    widgets_.append(widget);
    layout_->addWidget(widget, stretch, stretch > 0 ? Qt::Alignment() : Qt::AlignLeft | Qt::AlignVCenter);
}

void WrappingRow::addStretch()
{
    layout_->addStretch();
}

void WrappingRow::setBreakWidth(int width)
{
    breakWidth_ = width;
}

QSize WrappingRow::minimumSizeHint() const
{
    QSize size;
    for (const QWidget *widget : widgets_)
        size = size.expandedTo(widget->minimumSizeHint());
    return size;
}

void WrappingRow::resizeEvent(QResizeEvent *event)
{
    int needed = breakWidth_;
    if (needed < 0) {
        needed = -layout_->spacing();
        for (const QWidget *widget : widgets_)
            needed += widget->sizeHint().width() + layout_->spacing();
    }
    const auto direction = width() >= needed ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (direction != layout_->direction()) {
        layout_->setDirection(direction);
        updateGeometry();
    }
    QWidget::resizeEvent(event);
}

} // namespace pigmentry
