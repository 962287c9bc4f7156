#include "convert_command.h"

#include "cli/command_line.h"
#include "model/rgba.h"

namespace pigmentry {

QString unknownFormat(const QString &name)
{
    if (RGBA::formats().contains(name))
        return QString();
    return QStringLiteral("Unknown format \"%1\". Use one of: %2.\n")
        .arg(name, RGBA::formats().join(QLatin1String(", ")));
}

int runConvert(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    const QString usage = QStringLiteral("Usage: pigmentry convert COLOR [--format NAME | --all]\n"
                                         "Prints the code of COLOR (6 or 8 hexadecimal digits) in a format: %1.\n")
                              .arg(RGBA::formats().join(QLatin1String(", ")));
    const auto parsed =
        readCommandLine({QStringLiteral("convert"), {QStringLiteral("format")}, {QStringLiteral("all")}, 1, usage},
                        arguments, out, err);
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const CommandLine &line = std::get<CommandLine>(parsed);
    const std::optional<RGBA> rgba = RGBA::fromHex(line.words.first());
    if (!rgba)
        return refuse(err, QStringLiteral("Use 6 or 8 hexadecimal digits."));
    QString text;
    if (line.flags.contains(QStringLiteral("all"))) {
        for (const QString &name : RGBA::formats())
            text += name + u'\t' + rgba->formatted(name) + u'\n';
    } else {
        text = rgba->formatted(line.format()) + u'\n';
    }
    writeText(out, text);
    return 0;
}

} // namespace pigmentry
