#include "tool_commands.h"

#include "convert_command.h"
#include "tools/contrast.h"
#include "tools/gradient.h"
#include "tools/harmony.h"
#include "tools/image_extractor.h"

#include <variant>

namespace pigmentry {

namespace {

void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// The words and the options of a command line, as "--name VALUE" or
// "--name=VALUE"; nothing when an option lacks its value or is unknown.
struct CommandLine {
    QStringList words;
    QHash<QString, QString> options;
    bool help = false;

    QString format() const { return options.value(QStringLiteral("--format"), QStringLiteral("HEX")); }

    static std::optional<CommandLine> parse(const QStringList &arguments, const QStringList &known)
    {
        CommandLine line;
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            const QString &argument = arguments.at(i);
            if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
                line.help = true;
                continue;
            }
            if (!argument.startsWith(QLatin1String("--"))) {
                line.words.append(argument);
                continue;
            }
            const qsizetype equals = argument.indexOf(u'=');
            const QString name = argument.left(equals);
            if (!known.contains(name))
                return std::nullopt;
            if (equals >= 0)
                line.options.insert(name, argument.mid(equals + 1));
            else if (++i < arguments.size())
                line.options.insert(name, arguments.at(i));
            else
                return std::nullopt;
        }
        return line;
    }
};

int refuse(std::FILE *err, const QString &message)
{
    write(err, message.endsWith(u'\n') ? message : message + u'\n');
    return 2;
}

// A colour as convert takes it, or the refusal.
std::optional<RGBA> colorArgument(const QString &text, std::FILE *err)
{
    const std::optional<RGBA> color = RGBA::fromHex(text);
    if (!color)
        refuse(err, QStringLiteral("\"%1\" is not a colour. Use 6 or 8 hexadecimal digits.").arg(text));
    return color;
}

// A command's line read: --help answered, a wrong number of words or an
// unknown format refused. The line to go on with, or the exit status.
std::variant<CommandLine, int> commandLine(const QStringList &arguments, const QStringList &known, qsizetype words,
                                           const QString &usage, std::FILE *out, std::FILE *err)
{
    const auto line = CommandLine::parse(arguments, known);
    if (line && line->help) {
        write(out, usage);
        return 0;
    }
    if (!line || line->words.size() != words)
        return refuse(err, usage.section(u'\n', 0, 0));
    if (known.contains(QStringLiteral("--format"))) {
        if (const QString refusal = unknownFormat(line->format()); !refusal.isEmpty())
            return refuse(err, refusal);
    }
    return *line;
}

} // namespace

int runHarmony(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const QString usage = QStringLiteral("Usage: pigmentry harmony COLOR [--format NAME]\n"
                                         "Prints the five harmony rules of COLOR, one a line: RULE<TAB>CODE<TAB>CODE...\n");
    const auto parsed = commandLine(arguments, {QStringLiteral("--format")}, 1, usage, out, err);
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
    write(out, text);
    return 0;
}

int runContrast(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const QString usage = QStringLiteral("Usage: pigmentry contrast FOREGROUND BACKGROUND\n"
                                         "Prints the WCAG contrast ratio, then Pass or Fail for each level.\n");
    const auto parsed = commandLine(arguments, {}, 2, usage, out, err);
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
    write(out, text);
    return 0;
}

int runGradient(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const QString usage = QStringLiteral("Usage: pigmentry gradient FROM TO [--angle DEGREES]\n"
                                         "Prints the CSS linear-gradient from FROM to TO (angle 90 unless given).\n");
    const auto parsed = commandLine(arguments, {QStringLiteral("--angle")}, 2, usage, out, err);
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const CommandLine &line = std::get<CommandLine>(parsed);
    double angle = 90;
    if (line.options.contains(QStringLiteral("--angle"))) {
        bool ok = false;
        const QString text = line.options.value(QStringLiteral("--angle"));
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
    write(out, gradientCss(*from, *to, angle) + u'\n');
    return 0;
}

int runExtract(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const QString usage = QStringLiteral("Usage: pigmentry extract IMAGE [--format NAME]\n"
                                         "Prints up to five dominant colours of IMAGE, one code a line.\n");
    const auto parsed = commandLine(arguments, {QStringLiteral("--format")}, 1, usage, out, err);
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
    write(out, text);
    return 0;
}

} // namespace pigmentry
