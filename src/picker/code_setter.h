// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QRawFont>

#include <optional>

namespace pigmentry {

// Sets the magnifier's codes in one font. The codes change with every frame
// of a moving pick, and shaping them anew each time cost more than the rest
// of the panel. They are short runs of ASCII, so each character's glyph is
// looked up once and the advances come kerned from the font, which gives
// what shaping would. A character the font lacks gives no run: the caller
// then draws ordinary text, with its fallback fonts.
class CodeSetter {
public:
    explicit CodeSetter(const QFont &font);

    // text's glyphs with the first one's baseline origin at (0, 0), and
    // their width in logical pixels.
    std::optional<QGlyphRun> set(const QString &text, double *width);

    // Draws a run made by set into image (device pixels, its device pixel
    // ratio the scale; Format_RGB32 or Format_ARGB32_Premultiplied) with its
    // baseline origin at origin (logical), each glyph at the nearest whole
    // device pixel. Each glyph is rasterised once per scale and colour, so
    // a frame only blends a few small images.
    void draw(QImage &image, const QPointF &origin, const QGlyphRun &run, QRgb color);

    const QFont font;
    const double ascent; // logical pixels, as QFontMetricsF gives them
    const double descent;

private:
    struct Sprite {
        QImage image; // premultiplied, device pixels
        QPoint origin; // the glyph's baseline origin in it
    };
    struct SpriteKey {
        quint32 glyph;
        QRgb color;
        double scale;
        friend bool operator==(const SpriteKey &, const SpriteKey &) = default;
        friend size_t qHash(const SpriteKey &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.glyph, key.color, key.scale);
        }
    };
    const Sprite &sprite(quint32 glyph, double scale, QRgb color);

    QRawFont raw_;
    QHash<char16_t, quint32> glyphs_;
    QHash<SpriteKey, Sprite> sprites_;
};

// Blends a premultiplied image over a 32-bit one (Format_RGB32 or
// Format_ARGB32_Premultiplied) with its top-left corner at a device pixel,
// cut at the target's edges.
void blendOver(QImage &target, const QPoint &at, const QImage &source);

} // namespace pigmentry
