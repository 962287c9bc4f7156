#include "palette_command.h"

#include "convert_command.h"
#include "tools/palette_files.h"

namespace pigmentry {

namespace {

void write(std::FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int usage(std::FILE *err)
{
    write(err, "Usage: pigmentry palette FILE [--format NAME | --to gpl|json]\n");
    return 2;
}

// "--name VALUE" or "--name=VALUE" at arguments[i]; moves i past the value.
std::optional<QString> option(const QStringList &arguments, qsizetype &i, const QString &name)
{
    const QString &argument = arguments.at(i);
    if (argument == name)
        return ++i < arguments.size() ? std::optional(arguments.at(i)) : std::nullopt;
    if (argument.startsWith(name + u'='))
        return argument.mid(name.size() + 1);
    return std::nullopt;
}

} // namespace

int runPalette(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    if (arguments.contains(QStringLiteral("--help"))) {
        write(out, "Usage: pigmentry palette FILE [--format NAME | --to gpl|json]\n"
                   "Prints the palette's name and one code per colour, or the palette as a GIMP or JSON palette.\n");
        return 0;
    }
    std::optional<QString> file, format, to;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument.startsWith(QLatin1String("--format"))) {
            if (!(format = option(arguments, i, QStringLiteral("--format"))))
                return usage(err);
        } else if (argument.startsWith(QLatin1String("--to"))) {
            if (!(to = option(arguments, i, QStringLiteral("--to"))))
                return usage(err);
        } else if (!file) {
            file = argument;
        } else {
            return usage(err);
        }
    }
    if (!file || (format && to))
        return usage(err);
    if (to && *to != QLatin1String("gpl") && *to != QLatin1String("json"))
        return usage(err);
    if (format) {
        if (const QString refusal = unknownFormat(*format); !refusal.isEmpty()) {
            write(err, refusal.toUtf8());
            return 2;
        }
    }

    QString error;
    const std::optional<Palette> palette = readPaletteFile(*file, &error);
    if (!palette) {
        write(err, (QLatin1String("Invalid palette: ") + error + u'\n').toUtf8());
        return 2;
    }
    if (to) {
        const std::optional<QByteArray> bytes =
            encodePaletteAs(*palette, *to == QLatin1String("gpl") ? PaletteFormat::Gimp : PaletteFormat::Json, &error);
        if (!bytes) {
            write(err, (error + u'\n').toUtf8());
            return 2;
        }
        write(out, *bytes);
        return 0;
    }
    QString text = palette->name + u'\n';
    for (const RGBA &color : palette->colors)
        text += color.formatted(format.value_or(QStringLiteral("HEX"))) + u'\n';
    write(out, text.toUtf8());
    return 0;
}

} // namespace pigmentry
