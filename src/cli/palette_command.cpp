#include "palette_command.h"

#include "cli/command_line.h"
#include "tools/palette_files.h"

namespace pigmentry {

int runPalette(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const QString usage = QStringLiteral("Usage: pigmentry palette FILE [--format NAME | --to gpl|json]\n"
                                         "Prints the palette's name and one code per colour, or the palette as a GIMP "
                                         "or JSON palette.\n");
    const auto parsed =
        readCommandLine({QStringLiteral("palette"), {QStringLiteral("format"), QStringLiteral("to")}, {}, 1, usage},
                        arguments, out, err);
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const CommandLine &line = std::get<CommandLine>(parsed);
    const std::optional<QString> to = line.values.contains(QStringLiteral("to"))
        ? std::optional(line.values.value(QStringLiteral("to")))
        : std::nullopt;
    if (to
        && (line.values.contains(QStringLiteral("format"))
            || (*to != QLatin1String("gpl") && *to != QLatin1String("json"))))
        return refuse(err, usage.section(u'\n', 0, 0));

    QString error;
    const std::optional<Palette> palette = readPaletteFile(line.words.first(), &error);
    if (!palette)
        return refuse(err, QLatin1String("Invalid palette: ") + error);
    if (to) {
        // JSON escapes control characters itself; a GIMP palette is text for
        // the terminal as much as for a file.
        Palette shown = *palette;
        const bool gimp = *to == QLatin1String("gpl");
        if (gimp)
            shown.name = printable(shown.name);
        const std::optional<QByteArray> bytes =
            encodePaletteAs(shown, gimp ? PaletteFormat::Gimp : PaletteFormat::Json, &error);
        if (!bytes)
            return refuse(err, error);
        std::fwrite(bytes->constData(), 1, size_t(bytes->size()), out);
        return 0;
    }
    QString text = printable(palette->name) + u'\n';
    for (const RGBA &color : palette->colors)
        text += color.formatted(line.format()) + u'\n';
    writeText(out, text);
    return 0;
}

} // namespace pigmentry
