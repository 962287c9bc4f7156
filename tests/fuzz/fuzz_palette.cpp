// SPDX-License-Identifier: GPL-3.0-or-later
// Palette import: any bytes give a palette or a reason, never a crash.
#include "tools/palette_files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    if (!pigmentry::decodeImportedPalette(bytes, &error) && error.isEmpty())
        __builtin_trap(); // a refusal always says why
    return 0;
}
