// SPDX-License-Identifier: GPL-3.0-or-later
#include "magnifier.h"

#include <QCoreApplication>

#include "code_setter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QRawFont>

#include <cmath>
#include <optional>

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

// Where the swatch and the two codes go for a colour, centred under the
// loupe.
struct CodesLayout {
    QString hex;
    QString rgb;
    std::optional<QGlyphRun> hexRun; // nothing where a glyph is missing
    std::optional<QGlyphRun> rgbRun;
    QRectF swatch;
    QRectF hexBox;
    QRectF rgbBox;
};

// Never destroyed: a raw font must not be released after the application
// has torn down its fonts.
CodeSetter &hexSetter()
{
    static CodeSetter &setter =
        *new CodeSetter(pixelFont(QFontDatabase::systemFont(QFontDatabase::FixedFont), 13, QFont::DemiBold));
    return setter;
}

CodeSetter &rgbSetter()
{
    static CodeSetter &setter = *new CodeSetter(pixelFont(QGuiApplication::font(), 11));
    return setter;
}

CodesLayout layoutCodes(const RGBA &color, const QRectF &loupe)
{
    CodesLayout layout;
    layout.hex = color.hex();
    layout.rgb = color.formatted(QStringLiteral("RGB"));
    double hexWidth = 0;
    double rgbWidth = 0;
    layout.hexRun = hexSetter().set(layout.hex, &hexWidth);
    layout.rgbRun = rgbSetter().set(layout.rgb, &rgbWidth);
    if (!layout.hexRun)
        hexWidth = QFontMetricsF(hexSetter().font).horizontalAdvance(layout.hex);
    if (!layout.rgbRun)
        rgbWidth = QFontMetricsF(rgbSetter().font).horizontalAdvance(layout.rgb);
    const double textWidth = std::max(hexWidth, rgbWidth);
    const double rowWidth = swatchSide + rowSpacing + textWidth;
    const double rowTop = loupe.bottom() + spacing;
    const double rowLeft = loupe.center().x() - rowWidth / 2;
    layout.swatch = QRectF(rowLeft, rowTop, swatchSide, swatchSide);
    const double textLeft = rowLeft + swatchSide + rowSpacing;
    layout.hexBox = QRectF(textLeft, rowTop - 1, textWidth + 2, 17);
    layout.rgbBox = QRectF(textLeft, rowTop + 16, textWidth + 2, 14);
    return layout;
}

// A line's baseline origin, left-aligned and centred vertically in box as
// QPainter::drawText with Qt::AlignLeft | Qt::AlignVCenter places it.
QPointF baselineOrigin(const CodeSetter &setter, const QRectF &box)
{
    return QPointF(box.left(), box.top() + (box.height() - setter.ascent - setter.descent) / 2 + setter.ascent);
}

void drawCode(QPainter &painter, CodeSetter &setter, const QRectF &box, const QString &text,
              const std::optional<QGlyphRun> &run)
{
    if (run) {
        painter.drawGlyphRun(baselineOrigin(setter, box), *run);
    } else {
        painter.setFont(setter.font);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

QColor swatchColor(const RGBA &color)
{
    return QColor::fromRgbF(float(color.r), float(color.g), float(color.b), float(color.a));
}

} // namespace

QRectF Magnifier::background()
{
    // 12 around the 180-wide loupe: 204 wide, centred in the 210 panel.
    return QRectF((panelSize.width() - loupeSide) / 2.0 - inset, 0, loupeSide + 2 * inset, panelSize.height());
}

QRectF Magnifier::hintArea()
{
    const QRectF below = loupe();
    return QRectF(below.left(), below.bottom() + spacing + swatchSide + spacing, below.width(), 12);
}

QFont Magnifier::hintFont()
{
    return pixelFont(QGuiApplication::font(), 9);
}

QRectF Magnifier::loupe()
{
    return QRectF((panelSize.width() - loupeSide) / 2.0, inset, loupeSide, loupeSide);
}

QString Magnifier::hint() const
{
    if (!status.isEmpty())
        return status;
    return QCoreApplication::translate("Magnifier", "Click to pick · Esc to cancel · %1×").arg(zoom);
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
    QString hint;
    QImage base; // the rounded background, the loupe's dim fill and the hint
    QImage grid; // the pixel grid over the enlargement, transparent elsewhere
};

const Layers &layers(const Magnifier &m, double scale, const QPalette &palette)
{
    static thread_local Layers cache;
    const QRgb window = palette.color(QPalette::Window).rgba();
    const QRgb text = palette.color(QPalette::WindowText).rgba();
    const QString hint = m.hint();
    if (cache.zoom == m.zoom && cache.scale == scale && cache.window == window && cache.text == text
        && cache.hint == hint)
        return cache;
    cache = Layers{m.zoom, scale, window, text, hint, {}, {}};

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
        p.setFont(Magnifier::hintFont());
        const QRectF area = Magnifier::hintArea();
        p.drawText(area, Qt::AlignHCenter | Qt::AlignVCenter,
                   QFontMetricsF(p.font()).elidedText(hint, Qt::ElideRight, area.width()));
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

const Layers &layers(const Magnifier &m, const QPainter &painter)
{
    const double scale = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    return layers(m, scale, QGuiApplication::palette());
}

} // namespace

QPointF Magnifier::enlargementOrigin() const
{
    const double side = regionSide * zoom;
    return loupe().center() - QPointF(side / 2, side / 2) + shift();
}

void Magnifier::paint(QPainter &painter) const
{
    paintBackground(painter);
    paintEnlargement(painter);
    paintMarks(painter);
    paintCodes(painter);
}

void Magnifier::paintBackground(QPainter &painter) const
{
    painter.drawImage(QPointF(0, 0), layers(*this, painter).base);
}

void Magnifier::paintEnlargement(QPainter &painter) const
{
    // Without smoothing: every captured pixel stays one flat square.
    painter.save();
    painter.setClipRect(loupe(), Qt::IntersectClip);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const double side = regionSide * zoom;
    painter.drawImage(QRectF(enlargementOrigin(), QSizeF(side, side)), image, QRectF(image.rect()));
    painter.restore();
}

void Magnifier::paintMarks(QPainter &painter) const
{
    const QRectF view = loupe();
    painter.save();
    painter.setClipRect(view, Qt::IntersectClip);
    painter.drawImage(enlargementOrigin() - QPointF(0.25, 0.25), layers(*this, painter).grid);
    // The marker frames the averaged square around the sampled pixel.
    const double side = double(std::max(sample, 1)) * zoom;
    const QRectF marker(view.center() - QPointF(side / 2.0, side / 2.0), QSizeF(side, side));
    painter.setPen(QPen(QColor(0, 0, 0, 110), 3.0)); // the marker's shadow
    painter.drawRect(marker);
    painter.setPen(QPen(Qt::white, 2.0));
    painter.drawRect(marker);
    painter.restore();
}

void Magnifier::paintCodes(QPainter &painter) const
{
    const CodesLayout layout = layoutCodes(color, loupe());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath swatch;
    swatch.addRoundedRect(layout.swatch, 5, 5);
    painter.fillPath(swatch, swatchColor(color));
    painter.setPen(QGuiApplication::palette().color(QPalette::WindowText));
    drawCode(painter, hexSetter(), layout.hexBox, layout.hex, layout.hexRun);
    drawCode(painter, rgbSetter(), layout.rgbBox, layout.rgb, layout.rgbRun);
    painter.restore();
}

void Magnifier::paintCodes(QImage &image) const
{
    const CodesLayout layout = layoutCodes(color, loupe());
    if (!layout.hexRun || !layout.rgbRun) {
        QPainter painter(&image);
        paintCodes(painter);
        return;
    }
    const double scale = image.devicePixelRatio();
    // The swatch's rounded square, drawn once per scale and then tinted.
    static thread_local QImage mask;
    if (mask.isNull() || mask.devicePixelRatio() != scale) {
        const QSize side = QSizeF(swatchSide * scale, swatchSide * scale).toSize();
        mask = QImage(side, QImage::Format_ARGB32_Premultiplied);
        mask.setDevicePixelRatio(scale);
        mask.fill(Qt::transparent);
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath swatch;
        swatch.addRoundedRect(QRectF(0, 0, swatchSide, swatchSide), 5, 5);
        painter.fillPath(swatch, Qt::white);
    }
    QImage tinted = mask;
    const QRgb tint = swatchColor(color).rgba();
    for (int y = 0; y < tinted.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(tinted.scanLine(y));
        for (int x = 0; x < tinted.width(); ++x) {
            const int coverage = qAlpha(line[x]);
            line[x] = qRgba(qRed(tint) * coverage / 255, qGreen(tint) * coverage / 255, qBlue(tint) * coverage / 255,
                            coverage);
        }
    }
    const QPointF swatchAt = layout.swatch.topLeft() * scale;
    blendOver(image, QPoint(qRound(swatchAt.x()), qRound(swatchAt.y())), tinted);

    const QRgb text = QGuiApplication::palette().color(QPalette::WindowText).rgba();
    hexSetter().draw(image, baselineOrigin(hexSetter(), layout.hexBox), *layout.hexRun, text);
    rgbSetter().draw(image, baselineOrigin(rgbSetter(), layout.rgbBox), *layout.rgbRun, text);
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

RGBA averagedColor(const QImage &image, const QPointF &center, int side)
{
    if (image.isNull())
        return RGBA{0, 0, 0, 1};
    const int column = std::clamp(int(center.x()), 0, image.width() - 1);
    const int row = std::clamp(int(center.y()), 0, image.height() - 1);
    const int half = std::max(side, 1) / 2;
    const QRect square = QRect(column - half, row - half, 2 * half + 1, 2 * half + 1).intersected(image.rect());
    qint64 red = 0, green = 0, blue = 0;
    for (int y = square.top(); y <= square.bottom(); ++y) {
        for (int x = square.left(); x <= square.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
        }
    }
    const double count = double(square.width()) * square.height();
    auto mean = [count](qint64 sum) { return std::round(double(sum) / count) / 255.0; };
    return RGBA{mean(red), mean(green), mean(blue), 1.0};
}

} // namespace pigmentry
