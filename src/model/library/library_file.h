// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/library/library.h"
#include "model/result.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace pigmentry {

// Where the library lives unless told otherwise:
// the generic data folder + "/Pigmentry/library.json".
QString defaultLibraryPath();

// A library file larger than this is not read.
constexpr qint64 largestLibrary = 64 * 1024 * 1024;

struct LoadedLibrary {
    Library library;
    QString notice; // empty unless the file existed and could not be read
    // The file could not be read nor moved aside: it must never be written
    // over, so nothing is saved while the program runs.
    bool keepOut = false;
};

// Reads the library file. A missing file gives an empty library and no
// notice. A file that exists but is not read (not a regular file, larger than
// 64 MiB, unreadable, or not decodable) is moved aside to
// "library.json.corrupt-YYYYMMDD-HHMMSS" (UTC, `now`) in the same folder so
// that the next save cannot destroy it, and the notice says so; where it
// cannot be moved, keepOut is set. Temporary files of a save that was cut
// short (".library.json.XXXXXX.partial") are removed first; no other file
// beside the library is touched.
LoadedLibrary loadLibrary(const QString &path, const QDateTime &now = QDateTime::currentDateTimeUtc());

// Creates the folder, encodes the library and replaces the file atomically.
// On failure the old file is untouched.
Result saveLibrary(const QString &path, const Library &library);
// The same for a library already encoded.
Result writeLibraryBytes(const QString &path, const QByteArray &bytes);

// Writes bytes to path atomically: a temporary ".NAME.XXXXXX.partial" beside
// it, synced and renamed over the target (a link's target, for a link),
// keeping the old file's permissions.
Result writeFileAtomically(const QString &path, const QByteArray &bytes);

// Reads a whole regular file of at most `largest` bytes; FIFOs, devices and
// folders are refused without being opened. Gives the bytes, or the reason.
std::optional<QByteArray> readRegularFile(const QString &path, qint64 largest, QString *error);

} // namespace pigmentry
