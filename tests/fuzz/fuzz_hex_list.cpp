// SPDX-License-Identifier: GPL-3.0-or-later
// The hex list: any bytes give a palette or a reason, and a palette read is
// written and read back to the same codes and names.
#include "tools/palette_formats.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const std::optional<pigmentry::Palette> palette = pigmentry::decodeHexList(bytes, QStringLiteral("f"), &error);
    if (!palette) {
        if (error.isEmpty())
            __builtin_trap(); // a refusal always says why
        return 0;
    }
    const std::optional<pigmentry::Palette> again =
        pigmentry::decodeHexList(pigmentry::encodeHexList(*palette), QStringLiteral("f"), &error);
    if (!again || again->colors.size() != palette->colors.size())
        __builtin_trap();
    for (qsizetype i = 0; i < palette->colors.size(); ++i) {
        if (pigmentry::paletteCode(again->colors.at(i)) != pigmentry::paletteCode(palette->colors.at(i)))
            __builtin_trap();
    }
    return 0;
}
