#pragma once

#include "file_dialogs.h"
#include "model/library.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace pigmentry {

class Store;

// A palette file larger than this is not read.
constexpr qint64 largestPaletteFile = 16 * 1024 * 1024;

// A palette read from a file: its name, colours and notes, under a new id
// (so importing one file twice gives two palettes).
std::optional<Palette> decodeImportedPalette(const QByteArray &bytes, QString *error);
// Every history entry as "#RRGGBB", joined by line feeds, no final one.
QString historyText(const Library &library);

// Palette export and import through the file panels; failures become the
// store's notice.
class PaletteFiles {
public:
    PaletteFiles(Store &store, FileDialogs &dialogs) : store_(store), dialogs_(dialogs) {}

    // Saves text as UTF-8 where the user chooses, proposing "Pigmentry.<ext>".
    void exportText(const QString &text, const QString &ext);
    void exportPalette(const Palette &palette);
    void exportHistory();
    void importPalette();

private:
    Store &store_;
    FileDialogs &dialogs_;
};

} // namespace pigmentry
