// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QString>

#include <optional>

class QMimeData;
class QPainter;
class QPainterPath;
class QRectF;
class QWidget;

namespace pigmentry {

// The height of a swatch tile of the Studio's grids.
constexpr int swatchTileHeight = 108;

// Fills a rounded shape with a colour, over a checkerboard where it is not
// opaque.
void paintColor(QPainter *painter, const QPainterPath &shape, const RGBA &color);

// The swatch tile in outer (108 high in the grids, lower in compact rows):
// the colour over its hex code on the
// control background, outlined in the accent colour when selected.
// A colour's own name, where it has one, goes under the code, elided at its
// end; the colour gives it the room.
void paintSwatchTile(QPainter *painter, const QRectF &outer, const RGBA &color, bool selected, bool hovered,
                     const QString &name = QString());

// The mark of a tile that is one of several selected: a check in a disc of
// the accent colour, in the tile's top right corner.
void paintCheckBadge(QPainter *painter, const QRectF &tile);

// A colour as dragged data: application/x-color, the text (its code), and
// the exact components for drops inside Pigmentry.
// A name (a label, a palette colour's own) goes with it where it has one.
QMimeData *colorMimeData(const RGBA &color, const QString &text, const QString &name = QString());
// Drags a colour out of source as application/x-color and as text (its
// code), with a small swatch under the pointer. Returns once it is dropped.
// A colour with a place in Pigmentry (a palette's colour) carries it as
// colorPlaceType(), so that a drop inside the same palette moves it.
// A name (a history colour's label, a palette colour's own name) goes with
// it, for a drop into a palette.
void startColorDrag(QWidget *source, const RGBA &color, const QString &text, const QString &place = QString(),
                    const QString &name = QString());
QString colorPlaceType();
// The name a dragged colour carries; empty for none.
QString draggedColorName(const QMimeData *data);
// The colour that dragged data carries: application/x-color, or a text that
// is a hex code.
std::optional<RGBA> draggedColor(const QMimeData *data);

} // namespace pigmentry
