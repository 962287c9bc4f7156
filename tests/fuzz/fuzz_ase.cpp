// SPDX-License-Identifier: GPL-3.0-or-later
// Adobe Swatch Exchange: any bytes give a palette or a reason, and a palette
// read is written and read back to the same colours and names.
#include "tools/palette_formats.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const std::optional<pigmentry::Palette> palette = pigmentry::decodeAse(bytes, QStringLiteral("f"), &error);
    if (!palette) {
        if (error.isEmpty())
            __builtin_trap(); // a refusal always says why
        return 0;
    }
    const std::optional<pigmentry::Palette> again =
        pigmentry::decodeAse(pigmentry::encodeAse(*palette), QStringLiteral("f"), &error);
    if (!again || again->colors.size() != palette->colors.size())
        __builtin_trap();
    // Colours of other models pass through 32-bit floats: a channel may
    // round the other way, never further.
    auto near = [](double a, double b) {
        return std::abs(pigmentry::channelValue(a) - pigmentry::channelValue(b)) <= 1;
    };
    for (qsizetype i = 0; i < palette->colors.size(); ++i) {
        const pigmentry::RGBA &a = palette->colors.at(i);
        const pigmentry::RGBA &b = again->colors.at(i);
        if (!near(a.r, b.r) || !near(a.g, b.g) || !near(a.b, b.b)
            || again->colorName(i) != palette->colorName(i).left(0xFFFE))
            __builtin_trap();
    }
    return 0;
}
