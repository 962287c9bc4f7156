// SPDX-License-Identifier: GPL-3.0-or-later
// Palette import: any bytes give a palette or a reason, never a crash; and
// whatever names a palette read holds, its style sheets are made of nothing
// but comments and declarations of colours.
#include "tools/palette_files.h"

#include <QRegularExpression>

#include <cstddef>
#include <cstdint>

namespace {

// Every line of the CSS outside its one comment is ":root {", "}" or a
// custom property with a code; every SCSS line a "//" comment or a variable
// whose name is an identifier.
bool styleSheetsHaveTheirShape(const pigmentry::Palette &palette)
{
    static const QRegularExpression property(QStringLiteral("^  --[a-z0-9_-]+: #[0-9A-F]{6}([0-9A-F]{2})?;$"));
    static const QRegularExpression variable(
        QStringLiteral("^\\$[a-z_-][a-z0-9_-]*: #[0-9A-F]{6}([0-9A-F]{2})?;$"));
    static const QRegularExpression lineEnd(QStringLiteral("\n|\r|\f"));
    QString css = QString::fromUtf8(pigmentry::encodeCss(palette));
    const qsizetype open = css.indexOf(QLatin1String("/*"));
    const qsizetype close = css.indexOf(QLatin1String("*/"));
    if (open != 0 || close < 0)
        return false;
    css.remove(0, close + 2);
    if (css.contains(QLatin1String("/*")))
        return false;
    for (const QString &line : css.split(u'\n', Qt::SkipEmptyParts)) {
        if (line != QLatin1String(":root {") && line != QLatin1String("}") && !property.match(line).hasMatch())
            return false;
    }
    for (const QString &line :
         QString::fromUtf8(pigmentry::encodeScss(palette)).split(lineEnd, Qt::SkipEmptyParts)) {
        if (!line.startsWith(QLatin1String("//")) && !variable.match(line).hasMatch())
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const std::optional<pigmentry::Palette> palette = pigmentry::decodeImportedPalette(bytes, &error);
    if (!palette && error.isEmpty())
        __builtin_trap(); // a refusal always says why
    if (palette && palette->colors.size() <= 64 && !styleSheetsHaveTheirShape(*palette))
        __builtin_trap(); // a name reached the style sheet as code
    return 0;
}
