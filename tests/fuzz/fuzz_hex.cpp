// SPDX-License-Identifier: GPL-3.0-or-later
// The hex parser and every code of what it reads.
#include "model/color/rgba.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const std::optional<pigmentry::RGBA> color = pigmentry::RGBA::fromHex(text)) {
        for (const QString &name : pigmentry::RGBA::formats())
            (void)color->formatted(name);
        // What parses writes back as the same colour.
        if (!pigmentry::RGBA::fromHex(color->formatted(QStringLiteral("HEX Alpha"))))
            __builtin_trap();
    }
    return 0;
}
