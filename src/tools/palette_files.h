#pragma once

#include "file_dialogs.h"
#include "model/library.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace pigmentry {

class Store;

// A palette file larger than this is not read, nor one with more colours
// than this (far beyond any real palette; the views and the library stay
// quick with it).
constexpr qint64 largestPaletteFile = 16 * 1024 * 1024;
constexpr qsizetype mostPaletteColors = 65536;

// The two kinds of palette file: one palette as compact JSON (the library
// file's keys), and the GIMP palette (.gpl) that GIMP, Inkscape and Krita
// read and write. A GIMP palette holds 8-bit RGB: alpha and notes are lost.
enum class PaletteFormat { Json, Gimp };

// The palette in a file of either kind, told apart by content: a GIMP palette
// starts with the line "GIMP Palette", anything else must be JSON. A JSON
// palette keeps its id; a GIMP palette gets a new one and, without a Name
// line, fallbackName. Nothing, with the reason in error, for anything else.
std::optional<Palette> decodePaletteFile(const QByteArray &bytes, const QString &fallbackName, QString *error);
std::optional<Palette> decodeGimpPalette(const QByteArray &bytes, const QString &fallbackName, QString *error);
// Reads and decodes a palette file; the file's base name names an unnamed one.
std::optional<Palette> readPaletteFile(const QString &path, QString *error);
// A palette read as the import reads it, under a new id (so importing one
// file twice gives two palettes).
std::optional<Palette> decodeImportedPalette(const QByteArray &bytes, QString *error);

// "GIMP Palette", the name, then one "R G B<tab>#RRGGBB" line per colour with
// the channel values of the colour codes.
QByteArray encodeGimpPalette(const Palette &palette);
// The palette in a format; nothing when JSON cannot hold it.
std::optional<QByteArray> encodePaletteAs(const Palette &palette, PaletteFormat format, QString *error);

// Every history entry as "#RRGGBB", joined by line feeds, no final one.
QString historyText(const Library &library);

// Palette export and import through the file panels; failures become the
// store's notice.
class PaletteFiles {
public:
    PaletteFiles(Store &store, FileDialogs &dialogs)
        : store_(store)
        , dialogs_(dialogs)
    { }

    // Saves text as UTF-8 where the user chooses, proposing "Pigmentry.<ext>".
    void exportText(const QString &text, const QString &ext);
    // Offers JSON and GIMP palette; the chosen file's extension decides,
    // else the chosen filter.
    void exportPalette(const Palette &palette);
    void exportHistory();
    void importPalette();

private:
    Store &store_;
    FileDialogs &dialogs_;
};

} // namespace pigmentry
