#include "tool_commands.h"

#include "cli/command_line.h"
#include "tools/contrast.h"
#include "tools/gradient.h"
#include "tools/harmony.h"
#include "tools/image_extractor.h"

namespace pigmentry {

namespace {

// A colour as convert takes it, or the refusal.
std::optional<RGBA> colorArgument(const QString &text, std::FILE *err)
{
    const std::optional<RGBA> color = RGBA::fromHex(text);
    if (!color)
        refuse(err, QStringLiteral("\"%1\" is not a colour. Use 6 or 8 hexadecimal digits.").arg(text));
    return color;
}

} // namespace

int runHarmony(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const QString usage =
        QStringLiteral("Usage: pigmentry harmony COLOR [--format NAME]\n"
                       "Prints the five harmony rules of COLOR, one a line: RULE<TAB>CODE<TAB>CODE...\n");
    const auto parsed =
        readCommandLine({QStringLiteral("harmony"), {QStringLiteral("format")}, {}, 1, usage}, arguments, out, err);
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const CommandLine &line = std::get<CommandLine>(parsed);
    const QString format = line.format();
    const std::optional<RGBA> base = colorArgument(line.words.first(), err);
    if (!base)
        return 2;
    QString text;
    for (const HarmonyRule &rule : harmonyRules()) {
        text += rule.name;
        for (const RGBA &color : harmonyColors(*base, rule))
            text += u'\t' + color.formatted(format);
        text += u'\n';
    }
    writeText(out, text);
    return 0;
}

int runContrast(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const QString usage = QStringLiteral("Usage: pigmentry contrast FOREGROUND BACKGROUND\n"
                                         "Prints the WCAG contrast ratio, then Pass or Fail for each level.\n");
    const auto parsed = readCommandLine({QStringLiteral("contrast"), {}, {}, 2, usage}, arguments, out, err);
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const CommandLine &line = std::get<CommandLine>(parsed);
    const std::optional<RGBA> foreground = colorArgument(line.words.at(0), err);
    if (!foreground)
        return 2;
    const std::optional<RGBA> background = colorArgument(line.words.at(1), err);
    if (!background)
        return 2;
    const double ratio = contrastRatio(*foreground, *background);
    QString text = ratioText(ratio) + u'\n';
    for (const ContrastLevel &level : contrastLevels())
        text += level.name + u'\t' + (passes(ratio, level) ? QLatin1String("Pass") : QLatin1String("Fail")) + u'\n';
    writeText(out, text);
    return 0;
}

int runGradient(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const QString usage = QStringLiteral("Usage: pigmentry gradient FROM TO [--angle DEGREES]\n"
                                         "Prints the CSS linear-gradient from FROM to TO (angle 90 unless given).\n");
    const auto parsed =
        readCommandLine({QStringLiteral("gradient"), {QStringLiteral("angle")}, {}, 2, usage}, arguments, out, err);
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const CommandLine &line = std::get<CommandLine>(parsed);
    double angle = 90;
    if (line.values.contains(QStringLiteral("angle"))) {
        bool ok = false;
        const QString text = line.values.value(QStringLiteral("angle"));
        angle = text.toDouble(&ok);
        if (!ok || !std::isfinite(angle))
            return refuse(err, QStringLiteral("\"%1\" is not an angle. Use a decimal number of degrees.").arg(text));
    }
    const std::optional<RGBA> from = colorArgument(line.words.at(0), err);
    if (!from)
        return 2;
    const std::optional<RGBA> to = colorArgument(line.words.at(1), err);
    if (!to)
        return 2;
    writeText(out, gradientCss(*from, *to, angle) + u'\n');
    return 0;
}

int runExtract(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const QString usage = QStringLiteral("Usage: pigmentry extract IMAGE [--format NAME]\n"
                                         "Prints up to five dominant colours of IMAGE, one code a line.\n");
    const auto parsed =
        readCommandLine({QStringLiteral("extract"), {QStringLiteral("format")}, {}, 1, usage}, arguments, out, err);
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const CommandLine &line = std::get<CommandLine>(parsed);
    const QString format = line.format();
    const QString &path = line.words.first();
    const Extraction extraction = ImageExtractor::extractFile(path);
    if (!extraction.readable)
        return refuse(err, QStringLiteral("Cannot read image: %1").arg(path));
    QString text;
    for (const RGBA &color : extraction.colors)
        text += color.formatted(format) + u'\n';
    writeText(out, text);
    return 0;
}

} // namespace pigmentry
