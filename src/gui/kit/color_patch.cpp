// SPDX-License-Identifier: GPL-3.0-or-later
#include "color_patch.h"

#include "gui/kit/swatch_painting.h"
#include "gui/kit/theme.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

namespace pigmentry {

ColorPatch::ColorPatch(QWidget *parent)
    : QWidget(parent)
{ }

void ColorPatch::setColor(const RGBA &color)
{
    color_ = color;
    // Heard as the colour it shows, unless its owner named it otherwise.
    if (accessibleName().isEmpty() || accessibleName() == spokenName_) {
        spokenName_ = tr("Color %1").arg(color.hex());
        setAccessibleName(spokenName_);
    }
    update();
}

void ColorPatch::setCaption(const QString &text, const QFont &font, const QString &second, const QFont &secondFont,
                            int margin)
{
    caption_ = text;
    second_ = second;
    captionFont_ = font;
    secondFont_ = secondFont;
    margin_ = margin;
    update();
}

QColor ColorPatch::captionColor() const
{
    return prefersDarkForeground(color_) ? Qt::black : Qt::white;
}

void ColorPatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    shape.addRoundedRect(area, radius_, radius_);
    painter.fillPath(shape, theme::color(color_));
    if (border_ > 0) {
        painter.setPen(QPen(theme::primary(border_), 1));
        painter.drawPath(shape);
    }
    if (caption_.isEmpty())
        return;
    painter.setPen(captionColor());
    const QFontMetricsF main(captionFont_);
    double bottom = height() - margin_;
    if (!second_.isEmpty()) {
        const QFontMetricsF small(secondFont_);
        painter.setFont(secondFont_);
        QColor faded = captionColor();
        faded.setAlphaF(0.75f);
        painter.setPen(faded);
        const QStringList lines = second_.split(u'\n');
        for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
            painter.drawText(QPointF(margin_, bottom - small.descent()),
                             small.elidedText(*line, Qt::ElideRight, width() - 2 * margin_));
            bottom -= small.height() + 2;
        }
        painter.setPen(captionColor());
    }
    painter.setFont(captionFont_);
    painter.drawText(QPointF(margin_, bottom - main.descent()), caption_);
}

} // namespace pigmentry
