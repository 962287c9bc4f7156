#include "magnifier.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <cmath>

namespace pigmentry {

namespace {

constexpr double inset = 12;
constexpr double spacing = 10;
constexpr double swatchSide = 30;
constexpr double rowSpacing = 8;

QFont pixelFont(QFont font, int pixels, QFont::Weight weight = QFont::Normal)
{
    font.setPixelSize(pixels);
    font.setWeight(weight);
    return font;
}

} // namespace

QRectF Magnifier::background()
{
    // 12 around the 180-wide loupe: 204 wide, centred in the 210 panel.
    return QRectF((panelSize.width() - loupeSide) / 2.0 - inset, 0, loupeSide + 2 * inset, panelSize.height());
}

QRectF Magnifier::loupe()
{
    return QRectF((panelSize.width() - loupeSide) / 2.0, inset, loupeSide, loupeSide);
}

QString Magnifier::hint() const
{
    return QStringLiteral("Click to pick · Esc to cancel · %1×").arg(zoom);
}

QPointF Magnifier::shift() const
{
    return QPointF((7 - std::floor(center.x())) * zoom, (7 - std::floor(center.y())) * zoom);
}

void Magnifier::paint(QPainter &painter) const
{
    const QPalette palette = QGuiApplication::palette();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath outline;
    outline.addRoundedRect(background(), 14, 14);
    painter.fillPath(outline, palette.color(QPalette::Window));

    // The loupe: dim background, the enlargement with its grid, the marker.
    const QRectF view = loupe();
    painter.save();
    painter.setClipRect(view);
    painter.fillRect(view, QColor(0, 0, 0, 26));
    const double side = regionSide * zoom;
    const QPointF origin = view.center() - QPointF(side / 2, side / 2) + shift();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(origin, QSizeF(side, side)), image, QRectF(image.rect()));
    painter.setPen(QPen(QColor(0, 0, 0, 64), 0.5));
    for (int i = 0; i <= regionSide; ++i) {
        const double at = i * side / regionSide;
        painter.drawLine(origin + QPointF(at, 0), origin + QPointF(at, side));
        painter.drawLine(origin + QPointF(0, at), origin + QPointF(side, at));
    }
    const QRectF marker(view.center() - QPointF(zoom / 2.0, zoom / 2.0), QSizeF(zoom, zoom));
    painter.setPen(QPen(QColor(0, 0, 0, 110), 3.0)); // the marker's shadow
    painter.drawRect(marker);
    painter.setPen(QPen(Qt::white, 2.0));
    painter.drawRect(marker);
    painter.restore();

    // The swatch with the hex and RGB codes, centred under the loupe.
    const QFont hexFont = pixelFont(QFontDatabase::systemFont(QFontDatabase::FixedFont), 13, QFont::DemiBold);
    const QFont rgbFont = pixelFont(QGuiApplication::font(), 11);
    const QString hexText = color.hex();
    const QString rgbText = color.formatted(QStringLiteral("RGB"));
    const double textWidth =
        std::max(QFontMetricsF(hexFont).horizontalAdvance(hexText), QFontMetricsF(rgbFont).horizontalAdvance(rgbText));
    const double rowWidth = swatchSide + rowSpacing + textWidth;
    const double rowTop = view.bottom() + spacing;
    const double rowLeft = view.center().x() - rowWidth / 2;

    QPainterPath swatch;
    swatch.addRoundedRect(QRectF(rowLeft, rowTop, swatchSide, swatchSide), 5, 5);
    painter.fillPath(swatch, QColor::fromRgbF(float(color.r), float(color.g), float(color.b), float(color.a)));

    painter.setPen(palette.color(QPalette::WindowText));
    const double textLeft = rowLeft + swatchSide + rowSpacing;
    painter.setFont(hexFont);
    painter.drawText(QRectF(textLeft, rowTop - 1, textWidth + 2, 17), Qt::AlignLeft | Qt::AlignVCenter, hexText);
    painter.setFont(rgbFont);
    painter.drawText(QRectF(textLeft, rowTop + 16, textWidth + 2, 14), Qt::AlignLeft | Qt::AlignVCenter, rgbText);

    painter.setFont(pixelFont(QGuiApplication::font(), 9));
    painter.drawText(QRectF(view.left() - inset, rowTop + swatchSide + spacing, view.width() + 2 * inset, 12),
                     Qt::AlignHCenter | Qt::AlignVCenter, hint());
    painter.restore();
}

QPointF panelPosition(const QPointF &point, const QRectF &screen)
{
    const double width = Magnifier::panelSize.width();
    const double height = Magnifier::panelSize.height();
    const double x = std::min(std::max(point.x() + 28, screen.left()), screen.right() - width);
    const double y = std::max(std::min(point.y() + 16, screen.bottom() - height), screen.top());
    return QPointF(x, y);
}

} // namespace pigmentry
