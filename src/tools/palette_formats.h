// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/library/library.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace pigmentry {

// A palette file larger than this is not read, nor one with more colours
// than this (far beyond any real palette; the views and the library stay
// quick with it).
constexpr qint64 largestPaletteFile = 16 * 1024 * 1024;
constexpr qsizetype mostPaletteColors = 65536;

// The kinds of palette file. What each keeps:
//  Json  everything (the library file's keys for one palette)
//  Gimp  GIMP's .gpl, read by GIMP, Inkscape and Krita: 8-bit RGB and names
//  Ase   Adobe Swatch Exchange: names; RGB written as 32-bit floats; RGB,
//        CMYK, Lab and Gray entries read, inside groups or not
//  Aco   Photoshop swatches, read only: versions 1 and 2 (names from 2);
//        RGB, HSB, CMYK, Lab and Grayscale
//  Hex   a text of one colour a line, "#RRGGBB" or "#RRGGBBAA", optionally a
//        space and a name
//  Css, Scss, Html  written only: custom properties, variables, a sheet
// Alpha is lost where a format has no room for it (GIMP, ASE, ACO).
enum class PaletteFormat { Json, Gimp, Ase, Aco, Hex, Css, Scss, Html };

struct PaletteFormatInfo {
    PaletteFormat format;
    QString key; // the name on the command line, "gpl"
    QString suffix; // the file name's extension, "gpl"
    QString filter; // the file dialog's filter, "GIMP palette (*.gpl)", in English: shown translated
    bool reads;
    bool writes;
};

const QList<PaletteFormatInfo> &paletteFormats();
const PaletteFormatInfo &formatInfo(PaletteFormat format);
// The format a command-line key or a file extension names, in any case
// ("txt" and "hex" both name the hex list, "htm" the sheet).
std::optional<PaletteFormat> paletteFormatNamed(const QString &keyOrSuffix);

// The format of a file, told apart by its content: "ASEF" starts an ASE
// file, a version of 1 or 2 an ACO file, "GIMP Palette" a GIMP palette, an
// opening brace JSON, and lines of hex codes a hex list. Nothing for none.
std::optional<PaletteFormat> detectPaletteFormat(const QByteArray &bytes);

// Each reader is bounded: every length and count is checked against the
// bytes present before anything is made of it, and a malformed file is
// refused with the reason and its place ("entry 3 claims 4,000 bytes but 12
// remain"). A palette without a name of its own takes fallbackName.
std::optional<Palette> decodeAse(const QByteArray &bytes, const QString &fallbackName, QString *error);
std::optional<Palette> decodeAco(const QByteArray &bytes, const QString &fallbackName, QString *error);
std::optional<Palette> decodeHexList(const QByteArray &bytes, const QString &fallbackName, QString *error);

// "ASEF", version 1.0, one group named after the palette holding one RGB
// entry (32-bit floats, type normal) per colour with its name.
QByteArray encodeAse(const Palette &palette);
// One "CODE" or "CODE NAME" line per colour.
QByteArray encodeHexList(const Palette &palette);
// "/* NAME */", ":root {", "  --SLUG: CODE;" lines, "}".
QByteArray encodeCss(const Palette &palette);
// "// NAME", then "$SLUG: CODE;" lines; a slug that would start with a
// digit starts with "color-".
QByteArray encodeScss(const Palette &palette);
// A page of its own, without anything from outside: a tile per colour with
// its name and code; a click copies the code.
QByteArray encodeHtml(const Palette &palette);

// A colour's code in these files: "#RRGGBB", or "#RRGGBBAA" below full
// opacity, rounded as the HEX formats round.
QString paletteCode(const RGBA &color);
// The colours' names as identifiers for style sheets: lower case, each run
// of other characters than a-z and 0-9 one "-", none at either end; "color-N"
// (1-based) for a colour without a name; beforeDigit before one that starts
// with a digit; "-2", "-3"... after one in use.
QStringList colorSlugs(const Palette &palette, const QString &beforeDigit = QString());

// Colours of other models in sRGB, clamped to it.
RGBA fromCmyk(double c, double m, double y, double k);
// Lab relative to D50, as ASE and ACO store it, adapted to D65 (Bradford).
RGBA fromLabD50(double l, double a, double b);
// Hue in degrees, saturation and brightness 0...1.
RGBA fromHsb(double hue, double saturation, double brightness);

} // namespace pigmentry
