// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_setter.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace pigmentry {

namespace {

// x * a / 255, rounded, for 8-bit values.
inline quint32 multiply(quint32 x, quint32 a)
{
    const quint32 t = x * a + 128;
    return (t + (t >> 8)) >> 8;
}

} // namespace

CodeSetter::CodeSetter(const QFont &font)
    : font(font)
    , ascent(QFontMetricsF(font).ascent())
    , descent(QFontMetricsF(font).descent())
    , raw_(QRawFont::fromFont(font))
{ }

std::optional<QGlyphRun> CodeSetter::set(const QString &text, double *width)
{
    QList<quint32> indexes;
    for (const QChar c : text) {
        auto glyph = glyphs_.constFind(c.unicode());
        if (glyph == glyphs_.cend()) {
            const QList<quint32> found = raw_.isValid() ? raw_.glyphIndexesForString(QString(c)) : QList<quint32>();
            if (found.size() != 1 || found.first() == 0)
                return std::nullopt;
            glyph = glyphs_.insert(c.unicode(), found.first());
        }
        indexes.append(*glyph);
    }
    const QList<QPointF> advances = raw_.advancesForGlyphIndexes(indexes, QRawFont::KernedAdvances);
    QList<QPointF> positions;
    double x = 0;
    for (const QPointF &advance : advances) {
        positions.append(QPointF(x, 0));
        x += advance.x();
    }
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    *width = x;
    return run;
}

const CodeSetter::Sprite &CodeSetter::sprite(quint32 glyph, double scale, QRgb color)
{
    const SpriteKey key{glyph, color, scale};
    auto found = sprites_.constFind(key);
    if (found != sprites_.cend())
        return *found;
    // The glyph's box in device pixels, with room for antialiasing.
    const QRectF box = raw_.boundingRect(glyph);
    const QRect area = QRectF(box.topLeft() * scale, box.size() * scale).toAlignedRect().adjusted(-2, -2, 2, 2);
    Sprite made{QImage(area.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied), -area.topLeft()};
    made.image.setDevicePixelRatio(scale);
    made.image.fill(Qt::transparent);
    {
        QPainter painter(&made.image);
        painter.setPen(QColor::fromRgba(color));
        QGlyphRun single;
        single.setRawFont(raw_);
        single.setGlyphIndexes({glyph});
        single.setPositions({QPointF(0, 0)});
        painter.drawGlyphRun(QPointF(made.origin) / scale, single);
    }
    made.image.setDevicePixelRatio(1);
    return *sprites_.insert(key, made);
}

void CodeSetter::draw(QImage &image, const QPointF &origin, const QGlyphRun &run, QRgb color)
{
    const double scale = image.devicePixelRatio();
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        const QPointF at = (origin + positions.at(i)) * scale;
        const Sprite &glyph = sprite(indexes.at(i), scale, color);
        blendOver(image, QPoint(qRound(at.x()), qRound(at.y())) - glyph.origin, glyph.image);
    }
}

void blendOver(QImage &target, const QPoint &at, const QImage &source)
{
    const QRect area = QRect(at, source.size()) & target.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *to = reinterpret_cast<QRgb *>(target.scanLine(y));
        const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y - at.y()));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb s = from[x - at.x()];
            const quint32 a = qAlpha(s);
            if (a == 0)
                continue;
            const QRgb d = to[x];
            const quint32 keep = 255 - a;
            to[x] = qRgba(qRed(s) + multiply(qRed(d), keep), qGreen(s) + multiply(qGreen(d), keep),
                          qBlue(s) + multiply(qBlue(d), keep), a + multiply(qAlpha(d), keep));
        }
    }
}

} // namespace pigmentry
