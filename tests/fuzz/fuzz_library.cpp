// SPDX-License-Identifier: GPL-3.0-or-later
// The library file's decoder: whatever decodes encodes and decodes to the same.
#include "model/library/library.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace pigmentry;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const std::optional<QJsonObject> object = parseJsonObject(bytes, &error);
    if (!object)
        return 0;
    const std::optional<Library> library = Library::fromJson(*object, &error);
    if (!library)
        return 0;
    const std::optional<QByteArray> encoded = encodeLibrary(*library, &error);
    if (!encoded)
        return 0; // numbers JSON cannot hold
    const std::optional<QJsonObject> again = parseJsonObject(*encoded, &error);
    if (!again || !Library::fromJson(*again, &error))
        __builtin_trap();
    return 0;
}
