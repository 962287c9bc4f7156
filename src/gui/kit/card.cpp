// SPDX-License-Identifier: GPL-3.0-or-later
#include "card.h"

#include "gui/kit/labels.h"
#include "gui/kit/theme.h"
#include "gui/kit/window_accessible.h"

#include <QPainter>
#include <QPainterPath>

namespace pigmentry {

StudioCard::StudioCard(QWidget *parent)
    : QFrame(parent)
    , layout_(new QVBoxLayout(this))
{
    layout_->setSpacing(16);
    layout_->setContentsMargins(20, 20, 20, 20);
    layout_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    // A group of controls, not a window: Qt reports a frame as one.
    announceAs(this, QAccessible::Grouping);
}

EmptyState::EmptyState(const QString &symbol, const QString &title, const QString &detail, QWidget *parent)
    : StudioCard(parent)
{
    setObjectName(QStringLiteral("emptyState"));
    auto *stack = new QVBoxLayout;
    stack->setContentsMargins(0, 30, 0, 30);
    stack->setSpacing(12);
    stack->addWidget(new SymbolLabel(symbol, 32, theme::Tone::Secondary), 0, Qt::AlignHCenter);
    auto *heading = textLabel(title, theme::font(16, QFont::DemiBold), theme::Tone::Primary);
    heading->setObjectName(QStringLiteral("emptyTitle"));
    heading->setAlignment(Qt::AlignCenter);
    stack->addWidget(heading);
    detail_ = textLabel(detail, theme::font(12), theme::Tone::Secondary);
    detail_->setObjectName(QStringLiteral("emptyDetail"));
    detail_->setAlignment(Qt::AlignCenter);
    detail_->setWordWrap(true);
    stack->addWidget(detail_);
    content()->setAlignment(Qt::Alignment());
    content()->addLayout(stack);
}

void EmptyState::setDetail(const QString &detail)
{
    detail_->setText(detail);
}

QString EmptyState::detail() const
{
    return detail_->text();
}

void StudioCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 14, 14);
    painter.fillPath(shape, theme::controlBackground());
    painter.setPen(QPen(theme::primary(0.06), 1));
    painter.drawPath(shape);
}

} // namespace pigmentry
