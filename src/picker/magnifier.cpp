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

namespace {

// The parts of the panel that change only with the magnification, the
// palette or the scale: drawn once, then copied into every frame (the panel
// repaints up to thirty times a second).
struct Layers {
    int zoom = 0;
    double scale = 0;
    QRgb window = 0;
    QRgb text = 0;
    QImage base; // the rounded background, the loupe's dim fill and the hint
    QImage grid; // the pixel grid over the enlargement, transparent elsewhere
};

const Layers &layers(const Magnifier &m, double scale, const QPalette &palette)
{
    static thread_local Layers cache;
    const QRgb window = palette.color(QPalette::Window).rgba();
    const QRgb text = palette.color(QPalette::WindowText).rgba();
    if (cache.zoom == m.zoom && cache.scale == scale && cache.window == window && cache.text == text)
        return cache;
    cache = Layers{m.zoom, scale, window, text, {}, {}};

    cache.base = QImage(QSizeF(Magnifier::panelSize * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    cache.base.setDevicePixelRatio(scale);
    cache.base.fill(Qt::transparent);
    {
        QPainter p(&cache.base);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath outline;
        outline.addRoundedRect(Magnifier::background(), 14, 14);
        p.fillPath(outline, palette.color(QPalette::Window));
        p.fillRect(Magnifier::loupe(), QColor(0, 0, 0, 26));
        p.setPen(palette.color(QPalette::WindowText));
        p.setFont(pixelFont(QGuiApplication::font(), 9));
        const QRectF loupe = Magnifier::loupe();
        p.drawText(QRectF(loupe.left() - inset, loupe.bottom() + spacing + swatchSide + spacing, loupe.width() + 2 * inset, 12),
                   Qt::AlignHCenter | Qt::AlignVCenter, m.hint());
    }

    const double side = Magnifier::regionSide * m.zoom;
    cache.grid = QImage(QSizeF(QSizeF(side + 1, side + 1) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    cache.grid.setDevicePixelRatio(scale);
    cache.grid.fill(Qt::transparent);
    {
        QPainter p(&cache.grid);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 0, 0, 64), 0.5));
        for (int i = 0; i <= Magnifier::regionSide; ++i) {
            const double at = i * m.zoom + 0.25; // the half-point line sits inside the image
            p.drawLine(QPointF(at, 0), QPointF(at, side + 0.5));
            p.drawLine(QPointF(0, at), QPointF(side + 0.5, at));
        }
    }
    return cache;
}

} // namespace

void Magnifier::paint(QPainter &painter) const
{
    const QPalette palette = QGuiApplication::palette();
    const double scale = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const Layers &fixed = layers(*this, scale, palette);
    painter.save();
    painter.drawImage(QPointF(0, 0), fixed.base);

    // The loupe: the enlargement without smoothing, its grid, the marker.
    const QRectF view = loupe();
    painter.save();
    painter.setClipRect(view);
    const double side = regionSide * zoom;
    const QPointF origin = view.center() - QPointF(side / 2, side / 2) + shift();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(origin, QSizeF(side, side)), image, QRectF(image.rect()));
    painter.drawImage(origin - QPointF(0.25, 0.25), fixed.grid);
    const QRectF marker(view.center() - QPointF(zoom / 2.0, zoom / 2.0), QSizeF(zoom, zoom));
    painter.setPen(QPen(QColor(0, 0, 0, 110), 3.0)); // the marker's shadow
    painter.drawRect(marker);
    painter.setPen(QPen(Qt::white, 2.0));
    painter.drawRect(marker);
    painter.restore();

    // The swatch with the hex and RGB codes, centred under the loupe.
    painter.setRenderHint(QPainter::Antialiasing);
    static const QFont hexFont = pixelFont(QFontDatabase::systemFont(QFontDatabase::FixedFont), 13, QFont::DemiBold);
    static const QFont rgbFont = pixelFont(QGuiApplication::font(), 11);
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
    painter.restore();
}

QRectF Magnifier::row()
{
    const QRectF view = loupe();
    return QRectF(background().left(), view.bottom() + spacing - 2, background().width(), swatchSide + 4);
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
