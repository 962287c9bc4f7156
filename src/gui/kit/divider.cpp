// SPDX-License-Identifier: GPL-3.0-or-later
#include "divider.h"

#include "gui/kit/theme.h"

#include <QPainter>

namespace pigmentry {

Divider::Divider(Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent)
{
    if (orientation == Qt::Horizontal) {
        setFixedHeight(1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setFixedWidth(1);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
}

void Divider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), theme::primary(0.12));
}

} // namespace pigmentry
