#include "convert_command.h"

#include "model/rgba.h"

namespace pigmentry {

namespace {

void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int usage(std::FILE *err)
{
    write(err, QStringLiteral("Usage: pigmentry convert COLOR [--format NAME | --all]\n"));
    return 2;
}

} // namespace

QString unknownFormat(const QString &name)
{
    if (RGBA::formats().contains(name))
        return QString();
    return QStringLiteral("Unknown format \"%1\". Use one of: %2.\n").arg(name, RGBA::formats().join(QLatin1String(", ")));
}

int runConvert(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    if (arguments.contains(QStringLiteral("--help"))) {
        write(out, QStringLiteral("Usage: pigmentry convert COLOR [--format NAME | --all]\n"
                                  "Prints the code of COLOR (6 or 8 hexadecimal digits) in a format: %1.\n")
                       .arg(RGBA::formats().join(QLatin1String(", "))));
        return 0;
    }
    std::optional<QString> color;
    QString format = QStringLiteral("HEX");
    bool all = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--all")) {
            all = true;
        } else if (argument == QLatin1String("--format")) {
            if (++i == arguments.size())
                return usage(err);
            format = arguments.at(i);
        } else if (argument.startsWith(QLatin1String("--format="))) {
            format = argument.mid(9);
        } else if (!color) {
            color = argument;
        } else {
            return usage(err);
        }
    }
    if (!color)
        return usage(err);
    if (const QString refusal = unknownFormat(format); !all && !refusal.isEmpty()) {
        write(err, refusal);
        return 2;
    }

    const std::optional<RGBA> rgba = RGBA::fromHex(*color);
    if (!rgba) {
        write(err, QStringLiteral("Use 6 or 8 hexadecimal digits.\n"));
        return 2;
    }
    if (all) {
        for (const QString &name : RGBA::formats())
            write(out, name + u'\t' + rgba->formatted(name) + u'\n');
    } else {
        write(out, rgba->formatted(format) + u'\n');
    }
    return 0;
}

} // namespace pigmentry
