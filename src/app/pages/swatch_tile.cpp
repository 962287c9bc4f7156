#include "swatch_tile.h"

#include "app/theme.h"
#include "model/store.h"

#include <QPainter>
#include <QPainterPath>

namespace pigmentry {

SwatchTile::SwatchTile(Store &store, const RGBA &color, QWidget *parent)
    : QAbstractButton(parent), store(store), color_(color)
{
    setToolTip(QLatin1String("Inspect ") + color.hex());
    setAccessibleName(QLatin1String("Inspect ") + color.hex());
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(108);
    connect(this, &QAbstractButton::clicked, this, [this] { this->store.select(color_); });
    connect(&store, &Store::selectedChanged, this, qOverload<>(&QWidget::update));
}

bool SwatchTile::isSelectedColor() const
{
    return color_ == store.selected();
}

void SwatchTile::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath tile;
    tile.addRoundedRect(outer, 12, 12);
    painter.fillPath(tile, theme::controlBackground());
    QColor outline = isSelectedColor() ? theme::accent() : theme::primary(0.05);
    if (isSelectedColor())
        outline.setAlphaF(0.7f);
    painter.setPen(QPen(hasFocus() ? theme::accent() : outline, hasFocus() ? 2 : 1));
    painter.drawPath(tile);

    QPainterPath patch;
    const QRectF patchRect(8.5, 8.5, width() - 17, 72);
    patch.addRoundedRect(patchRect, 9, 9);
    painter.fillPath(patch, theme::color(color_));
    painter.setPen(QPen(theme::primary(0.06), 1));
    painter.drawPath(patch);

    painter.setPen(theme::primary());
    painter.setFont(theme::monospace(10, QFont::Medium));
    painter.drawText(QRectF(8, patchRect.bottom() + 4, width() - 16, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     color_.hex());
}

} // namespace pigmentry
