// SPDX-License-Identifier: GPL-3.0-or-later
#include "swatch_painting.h"

#include "gui/kit/theme.h"

#include <QDrag>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include <algorithm>

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
            for (double x = area.left() + (int((y - area.top()) / square) % 2) * square; x < area.right();
                 x += 2 * square)
                painter->fillRect(QRectF(x, y, square, square), QColor(204, 204, 204));
        painter->restore();
    }
    painter->fillPath(shape, theme::color(color));
}

void paintSwatchTile(QPainter *painter, const QRectF &outer, const RGBA &color, bool isSelected, bool hovered,
                     const QString &name)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    QPainterPath tile;
    tile.addRoundedRect(outer, 12, 12);
    painter->fillPath(tile, theme::controlBackground());
    QColor outline = isSelected ? theme::accent() : theme::primary(hovered ? 0.15 : 0.05);
    if (isSelected)
        outline.setAlphaF(0.7f);
    painter->setPen(QPen(outline, isSelected ? 1.5 : 1));
    painter->drawPath(tile);

    QPainterPath patch;
    // The code's line keeps its height; the colour takes the rest (72 in a
    // tile of the grids' height).
    const double nameHeight = name.isEmpty() ? 0 : 13;
    const QRectF patchRect(outer.left() + 8, outer.top() + 8, outer.width() - 16,
                           std::max(outer.height() - 35 - nameHeight, 8.0));
    patch.addRoundedRect(patchRect, 9, 9);
    paintColor(painter, patch, color);
    painter->setPen(QPen(theme::primary(0.06), 1));
    painter->drawPath(patch);

    painter->setPen(theme::primary());
    painter->setFont(theme::monospace(10, QFont::Medium));
    painter->drawText(QRectF(outer.left() + 8, patchRect.bottom() + 4, outer.width() - 16, 16),
                      Qt::AlignLeft | Qt::AlignVCenter, color.hex());
    if (!name.isEmpty()) {
        painter->setPen(theme::secondary());
        painter->setFont(theme::font(10));
        const QRectF line(outer.left() + 8, patchRect.bottom() + 19, outer.width() - 16, nameHeight);
        painter->drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                          painter->fontMetrics().elidedText(name, Qt::ElideRight, int(line.width())));
    }
    painter->restore();
}

void paintCheckBadge(QPainter *painter, const QRectF &tile)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF badge(tile.right() - 26, tile.top() + 6, 20, 20);
    painter->setPen(QPen(Qt::white, 1.5));
    painter->setBrush(theme::accent());
    painter->drawEllipse(badge);
    QPainterPath check;
    check.moveTo(badge.left() + 5.5, badge.center().y());
    check.lineTo(badge.left() + 8.5, badge.center().y() + 3.5);
    check.lineTo(badge.right() - 5, badge.top() + 6.5);
    painter->setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(check);
    painter->restore();
}

namespace {
const QString exactColorType = QStringLiteral("application/x-pigmentry-rgba");
const QString colorNameType = QStringLiteral("application/x-pigmentry-color-name");
} // namespace

QMimeData *colorMimeData(const RGBA &color, const QString &text, const QString &name)
{
    auto *data = new QMimeData;
    data->setText(text);
    if (!name.isEmpty())
        data->setData(colorNameType, name.toUtf8());
    // QColor keeps 16 bits a channel; drops inside Pigmentry keep the
    // colour exactly.
    data->setData(exactColorType,
                  QByteArray::number(color.r, 'g', 17) + ' ' + QByteArray::number(color.g, 'g', 17) + ' '
                      + QByteArray::number(color.b, 'g', 17) + ' ' + QByteArray::number(color.a, 'g', 17));
    data->setColorData(theme::color(color));
    return data;
}

void startColorDrag(QWidget *source, const RGBA &color, const QString &text, const QString &place, const QString &name)
{
    const double ratio = source->devicePixelRatioF();
    QPixmap image(QSize(32, 32) * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(1, 1, 30, 30), 8, 8);
        paintColor(&painter, shape, color);
        painter.setPen(QPen(QColor(0, 0, 0, 60), 1));
        painter.drawPath(shape);
    }
    auto *drag = new QDrag(source);
    QMimeData *data = colorMimeData(color, text, name);
    if (!place.isEmpty())
        data->setData(colorPlaceType(), place.toUtf8());
    drag->setMimeData(data);
    drag->setPixmap(image);
    drag->setHotSpot(QPoint(16, 16));
    drag->exec(place.isEmpty() ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

QString colorPlaceType()
{
    return QStringLiteral("application/x-pigmentry-color-place");
}

QString draggedColorName(const QMimeData *data)
{
    return data ? QString::fromUtf8(data->data(colorNameType)) : QString();
}

std::optional<RGBA> draggedColor(const QMimeData *data)
{
    if (!data)
        return std::nullopt;
    if (data->hasFormat(exactColorType)) {
        const QList<QByteArray> parts = data->data(exactColorType).split(' ');
        if (parts.size() == 4) {
            double c[4];
            bool ok = true;
            for (int i = 0; i < 4 && ok; ++i)
                c[i] = parts.at(i).toDouble(&ok);
            if (ok)
                return RGBA{c[0], c[1], c[2], c[3]};
        }
    }
    if (data->hasColor()) {
        const QColor color = data->colorData().value<QColor>().toRgb();
        if (color.isValid())
            return RGBA{color.redF(), color.greenF(), color.blueF(), color.alphaF()};
    }
    if (data->hasText())
        return RGBA::fromHex(data->text());
    return std::nullopt;
}

} // namespace pigmentry
