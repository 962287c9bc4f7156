#pragma once

#include "library.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace pigmentry {

// Where the library lives unless told otherwise:
// the generic data folder + "/Pigmentry/library.json".
QString defaultLibraryPath();

struct LoadedLibrary {
    Library library;
    QString notice; // empty unless the file existed and could not be decoded
};

// Reads the library file. A missing or unreadable file gives an empty library
// and no notice. A file that does not decode is moved aside to
// "library.json.corrupt-YYYYMMDD-HHMMSS" (UTC, `now`) in the same folder so
// that the next save cannot destroy it, and the notice says so.
LoadedLibrary loadLibrary(const QString &path, const QDateTime &now = QDateTime::currentDateTimeUtc());

// Creates the folder, encodes the library and replaces the file atomically.
// Gives the error description on failure; the old file is then untouched.
std::optional<QString> saveLibrary(const QString &path, const Library &library);

// Writes bytes to path atomically (a temporary file renamed over the target).
std::optional<QString> writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace pigmentry
