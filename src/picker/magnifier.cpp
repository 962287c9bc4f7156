#include "magnifier.h"

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

// The codes change with every frame of a moving pick, and shaping them anew
// each time cost more than the rest of the panel. They are short runs of
// ASCII in one font, so each character's glyph and advance are looked up
// once and the codes are set from those. A character the font lacks sends
// the code through ordinary text drawing, with its fallback fonts.
class CodeSetter {
public:
    explicit CodeSetter(const QFont &font)
        : font(font), ascent(QFontMetricsF(font).ascent()), descent(QFontMetricsF(font).descent()),
          raw(QRawFont::fromFont(font))
    {
    }

    // text's glyphs with the first one's baseline origin at (0, 0), and
    // their width; nothing when a character has no glyph in the font.
    std::optional<QGlyphRun> set(const QString &text, double *width)
    {
        QList<quint32> indexes;
        for (const QChar c : text) {
            auto glyph = glyphs.constFind(c.unicode());
            if (glyph == glyphs.cend()) {
                const QList<quint32> found = raw.isValid() ? raw.glyphIndexesForString(QString(c)) : QList<quint32>();
                if (found.size() != 1 || found.first() == 0)
                    return std::nullopt;
                glyph = glyphs.insert(c.unicode(), found.first());
            }
            indexes.append(*glyph);
        }
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(indexes, QRawFont::KernedAdvances);
        QList<QPointF> positions;
        double x = 0;
        for (const QPointF &advance : advances) {
            positions.append(QPointF(x, 0));
            x += advance.x();
        }
        QGlyphRun run;
        run.setRawFont(raw);
        run.setGlyphIndexes(indexes);
        run.setPositions(positions);
        *width = x;
        return run;
    }

    const QFont font;
    const double ascent;
    const double descent;

private:
    QRawFont raw;
    QHash<char16_t, quint32> glyphs;
};

// One line of text left-aligned and centred vertically in box, as
// QPainter::drawText with Qt::AlignLeft | Qt::AlignVCenter places it.
void drawCode(QPainter &painter, CodeSetter &setter, const QRectF &box, const QString &text,
              const std::optional<QGlyphRun> &run)
{
    if (!run) {
        painter.setFont(setter.font);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
        return;
    }
    const double baseline = box.top() + (box.height() - setter.ascent - setter.descent) / 2 + setter.ascent;
    painter.drawGlyphRun(QPointF(box.left(), baseline), *run);
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
    const QRectF marker(view.center() - QPointF(zoom / 2.0, zoom / 2.0), QSizeF(zoom, zoom));
    painter.setPen(QPen(QColor(0, 0, 0, 110), 3.0)); // the marker's shadow
    painter.drawRect(marker);
    painter.setPen(QPen(Qt::white, 2.0));
    painter.drawRect(marker);
    painter.restore();
}

void Magnifier::paintCodes(QPainter &painter) const
{
    // The swatch with the hex and RGB codes, centred under the loupe.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Never destroyed: a raw font must not be released after the
    // application has torn down its fonts.
    static CodeSetter &hexSetter =
        *new CodeSetter(pixelFont(QFontDatabase::systemFont(QFontDatabase::FixedFont), 13, QFont::DemiBold));
    static CodeSetter &rgbSetter = *new CodeSetter(pixelFont(QGuiApplication::font(), 11));
    const QString hexText = color.hex();
    const QString rgbText = color.formatted(QStringLiteral("RGB"));
    double hexWidth = 0;
    double rgbWidth = 0;
    const std::optional<QGlyphRun> hexRun = hexSetter.set(hexText, &hexWidth);
    const std::optional<QGlyphRun> rgbRun = rgbSetter.set(rgbText, &rgbWidth);
    if (!hexRun)
        hexWidth = QFontMetricsF(hexSetter.font).horizontalAdvance(hexText);
    if (!rgbRun)
        rgbWidth = QFontMetricsF(rgbSetter.font).horizontalAdvance(rgbText);
    const double textWidth = std::max(hexWidth, rgbWidth);
    const double rowWidth = swatchSide + rowSpacing + textWidth;
    const QRectF view = loupe();
    const double rowTop = view.bottom() + spacing;
    const double rowLeft = view.center().x() - rowWidth / 2;

    QPainterPath swatch;
    swatch.addRoundedRect(QRectF(rowLeft, rowTop, swatchSide, swatchSide), 5, 5);
    painter.fillPath(swatch, QColor::fromRgbF(float(color.r), float(color.g), float(color.b), float(color.a)));

    painter.setPen(QGuiApplication::palette().color(QPalette::WindowText));
    const double textLeft = rowLeft + swatchSide + rowSpacing;
    drawCode(painter, hexSetter, QRectF(textLeft, rowTop - 1, textWidth + 2, 17), hexText, hexRun);
    drawCode(painter, rgbSetter, QRectF(textLeft, rowTop + 16, textWidth + 2, 14), rgbText, rgbRun);
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
