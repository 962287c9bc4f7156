// SPDX-License-Identifier: GPL-3.0-or-later
// The library file's readers and writer: whatever reads is written so that it
// reads back to the same library, and to what Qt's own JSON writer gives;
// what the quick scan reads, the general reader reads to the bit alike.
#include "reference_library_json.h"

#include "model/library/library_scanner.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace pigmentry;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const std::optional<Library> scanned = scanLibrary(bytes);
    const std::optional<QJsonObject> object = parseJsonObject(bytes, &error);
    const std::optional<Library> library = object ? Library::fromJson(*object, &error) : std::nullopt;
    if (scanned && (!library || !reference::identical(*scanned, *library)))
        __builtin_trap();
    if (!library)
        return 0;
    const std::optional<QByteArray> encoded = encodeLibrary(*library, &error);
    if (!encoded)
        return 0; // numbers JSON cannot hold
    const std::optional<QJsonObject> again = parseJsonObject(*encoded, &error);
    if (!again)
        __builtin_trap();
    const std::optional<Library> reread = Library::fromJson(*again, &error);
    if (!reread || *reread != *library)
        __builtin_trap();
    // Qt's reader drops a U+FEFF that Qt's writer puts down; this writer
    // escapes it, and it stays.
    if (!encoded->contains("\\ufeff")
        && reference::numbersAsDoubles(*again)
            != reference::numbersAsDoubles(*parseJsonObject(reference::libraryJson(*library), &error)))
        __builtin_trap();
    return 0;
}
