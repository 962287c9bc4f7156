// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>

class QPainter;

namespace pigmentry {

// The view in the magnifier panel: the captured 15 x 15 region enlarged with
// a pixel grid and a marker on the sampled pixel, a swatch with the hex and
// RGB codes, and a hint with the magnification. Sizes are logical pixels.
struct Magnifier {
    static constexpr QSize panelSize{210, 264};
    static constexpr int loupeSide = 180;
    static constexpr int regionSide = 15;

    QImage image; // the captured region
    RGBA color; // the sampled colour
    int zoom = 10; // logical pixels per captured pixel: 5, 10, 15 or 20
    QPointF center; // the sampled pixel in the region, image pixels (x right, y down)
    int sample = 1; // the side of the averaged square, in captured pixels
    // What a pick that keeps going says in place of the hint: how many
    // colours it took, and the last one's name.
    QString status;

    QString hint() const;
    // The enlargement's shift in the loupe so that the sampled pixel sits
    // under the marker even where the region was cut at a display edge.
    QPointF shift() const;

    // Draws the whole panel into a panelSize rectangle at the origin.
    void paint(QPainter &painter) const;
    // The parts of paint, in its order: the rounded background with the
    // loupe's dim fill and the hint; the enlarged region, clipped to the
    // loupe; the pixel grid and the marker over it; the swatch and the codes.
    void paintBackground(QPainter &painter) const;
    void paintEnlargement(QPainter &painter) const;
    void paintMarks(QPainter &painter) const;
    void paintCodes(QPainter &painter) const;
    // paintCodes straight into an image of the panel (device pixels, its
    // device pixel ratio the scale; Format_RGB32 or
    // Format_ARGB32_Premultiplied) whose row already shows the background:
    // the same picture, with the swatch and each glyph at the nearest whole
    // device pixel, at a fraction of the cost, for a panel that repaints the
    // codes with every frame.
    void paintCodes(QImage &image) const;
    // Where the enlarged region's top-left corner sits in the panel; it
    // spans regionSide * zoom.
    QPointF enlargementOrigin() const;
    // The panel's outline: a rounded rectangle around the content.
    static QRectF background();
    // Where the loupe sits in the panel.
    static QRectF loupe();
    // Where the swatch and the codes sit.
    static QRectF row();
    // Where the hint is written, as wide as the loupe, and in which font; a
    // hint wider than that is cut with "…".
    static QRectF hintArea();
    static QFont hintFont();

    friend bool operator==(const Magnifier &, const Magnifier &) = default;
};

// The colour of the side x side square of image centred on the pixel at
// center, cut to the image (which ends where the screen does): each channel's
// mean of the encoded values, rounded to a whole 8-bit step; opaque.
RGBA averagedColor(const QImage &image, const QPointF &center, int side);

// The panel's top-left corner for a sampled position on a screen (logical
// coordinates, y down): 28 to the right of and 16 below the position, pushed
// back inside the screen, the clamp towards the right and top edges last.
QPointF panelPosition(const QPointF &point, const QRectF &screen);

} // namespace pigmentry
