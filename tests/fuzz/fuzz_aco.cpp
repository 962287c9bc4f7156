// SPDX-License-Identifier: GPL-3.0-or-later
// Photoshop swatches: any bytes give a palette or a reason, never a crash,
// and every colour read lies within sRGB.
#include "tools/palette_formats.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const std::optional<pigmentry::Palette> palette = pigmentry::decodeAco(bytes, QStringLiteral("f"), &error);
    if (!palette) {
        if (error.isEmpty())
            __builtin_trap(); // a refusal always says why
        return 0;
    }
    for (const pigmentry::RGBA &color : palette->colors) {
        for (const double c : {color.r, color.g, color.b, color.a}) {
            if (!(c >= 0.0 && c <= 1.0))
                __builtin_trap();
        }
    }
    return 0;
}
