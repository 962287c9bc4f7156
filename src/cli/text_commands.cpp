// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that read colours and files and print codes: they need no
// display.

#include "cli/command_bodies.h"
#include "model/color/color_names.h"
#include "model/color/css_color.h"
#include "model/color/rgba.h"
#include "tools/contrast.h"
#include "tools/gradient.h"
#include "tools/harmony.h"
#include "tools/image_extractor.h"
#include "tools/palette_files.h"
#include "tools/tint_scale.h"

#include <cmath>

namespace pigmentry::commands {

namespace {

// A colour as the commands take it, or the refusal.
std::optional<RGBA> colorArgument(const QString &text, std::FILE *err)
{
    const std::optional<RGBA> color = parseCssColor(text);
    if (!color)
        refuse(err, QStringLiteral("\"%1\" is not a color. %2").arg(text, cssColorExpected()));
    return color;
}

// Every word of the line as a colour, or nothing after the refusal of the
// first that is none.
std::optional<QList<RGBA>> colorArguments(const CommandLine &line, std::FILE *err)
{
    QList<RGBA> colors;
    for (const QString &word : line.words) {
        const std::optional<RGBA> color = colorArgument(word, err);
        if (!color)
            return std::nullopt;
        colors.append(*color);
    }
    return colors;
}

} // namespace

int convert(const CommandLine &line, CommandContext &context)
{
    const std::optional<RGBA> rgba = colorArgument(line.words.first(), context.err);
    if (!rgba)
        return 2;
    QString text;
    if (line.flags.contains(QStringLiteral("all"))) {
        for (const QString &name : RGBA::formats())
            text += name + u'\t' + rgba->formatted(name) + u'\n';
    } else {
        text = rgba->formatted(line.format()) + u'\n';
    }
    writeText(context.out, text);
    return 0;
}

int palette(const CommandLine &line, CommandContext &context)
{
    std::optional<PaletteFormat> to;
    if (line.values.contains(QStringLiteral("to"))) {
        to = paletteFormatNamed(line.values.value(QStringLiteral("to")));
        if (!to || !formatInfo(*to).writes || formatInfo(*to).key != line.values.value(QStringLiteral("to")).toLower()
            || line.values.contains(QStringLiteral("format")))
            return refuse(context.err, findCommand(QStringLiteral("palette"))->usage().section(u'\n', 0, 0));
    }

    QString error;
    const QString path = line.words.first();
    std::optional<Palette> palette;
    if (path == QLatin1String("-")) {
        // Standard input, bounded as a file is: one byte past the limit is
        // enough to refuse it.
        QByteArray bytes;
        char chunk[65536];
        while (bytes.size() <= largestPaletteFile) {
            const size_t got = std::fread(chunk, 1, sizeof chunk, stdin);
            if (got == 0)
                break;
            bytes.append(chunk, qsizetype(got));
        }
        if (std::ferror(stdin))
            return refuse(context.err, QStringLiteral("Invalid palette: standard input cannot be read"));
        palette = decodePaletteFile(bytes, QStringLiteral("Palette"), &error);
    } else {
        palette = readPaletteFile(path, &error);
    }
    if (!palette)
        return refuse(context.err, QLatin1String("Invalid palette: ") + error);
    if (to) {
        // The same bytes as the Studio's export: the text formats escape
        // what a terminal or a style sheet would act on themselves.
        const std::optional<QByteArray> bytes = encodePaletteAs(*palette, *to, &error);
        if (!bytes)
            return refuse(context.err, error);
        std::fwrite(bytes->constData(), 1, size_t(bytes->size()), context.out);
        // What the format could not keep, as the Studio's notice says it.
        if (const QString loss = paletteFormatLoss(*palette, *to); !loss.isEmpty())
            writeText(context.err, printable(loss) + u'\n');
        return 0;
    }
    QString text = printable(palette->name) + u'\n';
    for (const RGBA &color : palette->colors)
        text += color.formatted(line.format()) + u'\n';
    writeText(context.out, text);
    return 0;
}

int harmony(const CommandLine &line, CommandContext &context)
{
    const std::optional<RGBA> base = colorArgument(line.words.first(), context.err);
    if (!base)
        return 2;
    QString text;
    for (const HarmonyRule &rule : harmonyRules()) {
        text += rule.name;
        for (const RGBA &color : harmonyColors(*base, rule))
            text += u'\t' + color.formatted(line.format());
        text += u'\n';
    }
    writeText(context.out, text);
    return 0;
}

int contrast(const CommandLine &line, CommandContext &context)
{
    const std::optional<QList<RGBA>> colors = colorArguments(line, context.err);
    if (!colors)
        return 2;
    const double ratio = contrastRatio(colors->at(0), colors->at(1));
    QString text = ratioText(ratio) + u'\n';
    for (const ContrastLevel &level : contrastLevels())
        text += level.name + u'\t' + (passes(ratio, level) ? QLatin1String("Pass") : QLatin1String("Fail")) + u'\n';
    // The nearest text colour that passes each normal level it fails.
    if (line.flags.contains(QStringLiteral("suggest"))) {
        for (const ContrastLevel &level : contrastLevels()) {
            if (!level.name.endsWith(QLatin1String("normal")) || passes(ratio, level))
                continue;
            const std::optional<RGBA> fixed = nearestPassingText(colors->at(0), colors->at(1), level.minimum);
            text += QLatin1String("Suggest ") + level.name + u'\t' + (fixed ? fixed->hex() : QStringLiteral("none"))
                + u'\n';
        }
    }
    writeText(context.out, text);
    return 0;
}

int name(const CommandLine &line, CommandContext &context)
{
    const std::optional<QList<RGBA>> colors = colorArguments(line, context.err);
    if (!colors)
        return 2;
    QString text;
    for (const RGBA &color : *colors)
        text += colorName(color) + u'\n';
    writeText(context.out, text);
    return 0;
}

int scale(const CommandLine &line, CommandContext &context)
{
    const std::optional<RGBA> color = colorArgument(line.words.first(), context.err);
    if (!color)
        return 2;
    QString text;
    for (const TintStep &step : tintScale(*color))
        text += QString::number(step.step) + u'\t' + step.color.formatted(line.format()) + u'\n';
    writeText(context.out, text);
    return 0;
}

int gradient(const CommandLine &line, CommandContext &context)
{
    double angle = 90;
    if (line.values.contains(QStringLiteral("angle"))) {
        bool ok = false;
        const QString text = line.values.value(QStringLiteral("angle"));
        angle = text.toDouble(&ok);
        if (!ok || !std::isfinite(angle))
            return refuse(context.err,
                          QStringLiteral("\"%1\" is not an angle. Use a decimal number of degrees.").arg(text));
    }
    const std::optional<QList<RGBA>> colors = colorArguments(line, context.err);
    if (!colors)
        return 2;
    writeText(context.out, gradientCss(colors->at(0), colors->at(1), angle) + u'\n');
    return 0;
}

int extract(const CommandLine &line, CommandContext &context)
{
    const QString &path = line.words.first();
    const Extraction extraction = ImageExtractor::extractFile(path);
    if (!extraction.readable)
        return refuse(context.err, QStringLiteral("Cannot read image: %1").arg(path));
    QString text;
    for (const RGBA &color : extraction.colors)
        text += color.formatted(line.format()) + u'\n';
    writeText(context.out, text);
    return 0;
}

} // namespace pigmentry::commands
