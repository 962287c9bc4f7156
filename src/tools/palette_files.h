// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "file_dialogs.h"
#include "model/library/library.h"
#include "palette_formats.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace pigmentry {

class Store;

// The palette in a file of any kind that is read, told apart by content. A
// JSON palette keeps its id; one of another kind gets a new one and, without
// a name of its own, fallbackName. Nothing, with the reason in error, for
// anything else.
std::optional<Palette> decodePaletteFile(const QByteArray &bytes, const QString &fallbackName, QString *error);
std::optional<Palette> decodeGimpPalette(const QByteArray &bytes, const QString &fallbackName, QString *error);
// Reads and decodes a palette file; the file's base name names an unnamed one.
std::optional<Palette> readPaletteFile(const QString &path, QString *error);
// A palette read as the import reads it, under a new id (so importing one
// file twice gives two palettes).
std::optional<Palette> decodeImportedPalette(const QByteArray &bytes, QString *error);

// "GIMP Palette", the name, then one "R G B<tab>NAME" line per colour with
// the channel values of the colour codes; a colour without a name is named
// by its code.
QByteArray encodeGimpPalette(const Palette &palette);
// The palette in a format that is written; nothing when JSON cannot hold it.
std::optional<QByteArray> encodePaletteAs(const Palette &palette, PaletteFormat format, QString *error);
// What is lost where a format has no room for it, to say before writing:
// empty where nothing is.
QString paletteFormatLoss(const Palette &palette, PaletteFormat format);

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
    // Offers every format that is written, proposing the palette's name as
    // the file's; the chosen file's extension decides, else the chosen
    // filter. What the format loses (alpha in ASE or GIMP) becomes a notice.
    void exportPalette(const Palette &palette);
    void exportHistory();
    void importPalette();

private:
    Store &store_;
    FileDialogs &dialogs_;
};

} // namespace pigmentry
