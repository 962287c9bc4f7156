// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

// The look in one place: the framework and semantic colours, the fonts and
// the one table from symbol names to the bundled icons. Sizes are logical
// pixels, which is what the layout's points are. Semantic colours are read
// from the application palette at the moment of the call, so whatever paints
// with them follows a switch between light and dark.
namespace pigmentry::theme {

// Framework colours. Green and red are for text and marks and read at
// 4.5 : 1 on the palette's window and controls, as the accent's text tone
// does; the accent itself is for fills, rings and selection.
QColor orange();
QColor green();
QColor red();
QColor accent();

// Semantic colours from the application palette, light or dark.
QColor controlBackground();
QColor primary(double opacity = 1.0);
QColor secondary();
QColor quaternary();

// A colour named by its meaning, resolved when it is painted.
enum class Tone { Primary, Secondary, Quaternary, Accent, White, Green, Red, Orange };
QColor color(Tone tone);

// The system font and the system monospace font at a pixel size.
QFont font(int pixelSize, QFont::Weight weight = QFont::Normal);
QFont monospace(int pixelSize, QFont::Weight weight = QFont::Normal);

// A symbol ("eyedropper", "star.fill", ...) in a tone. The icon renders when
// it is painted, at the device's pixel ratio, in the tone of that moment.
QIcon icon(const QString &symbol, Tone tone = Tone::Primary);
// The symbol drawn once in a fixed colour; cached.
QPixmap pixmap(const QString &symbol, int size, const QColor &color, double devicePixelRatio = 1.0);

// An sRGB colour with its alpha, for drawing.
QColor color(const RGBA &rgba);
// The colour-well conversion: a colour to sRGB components, black when the
// conversion fails.
RGBA rgba(const QColor &color);

} // namespace pigmentry::theme
