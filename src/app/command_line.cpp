#include "command_line.h"

#include "convert_command.h"

#include <QCommandLineParser>

namespace pigmentry {

void writeText(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int refuse(std::FILE *err, const QString &message)
{
    writeText(err, message.endsWith(u'\n') ? message : message + u'\n');
    return 2;
}

std::variant<CommandLine, int> readCommandLine(const CommandSpec &spec, const QStringList &arguments, std::FILE *out,
                                               std::FILE *err)
{
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(help);
    for (const QString &name : spec.valued)
        parser.addOption(QCommandLineOption(name, QString(), name));
    for (const QString &name : spec.flags)
        parser.addOption(QCommandLineOption(name));
    const QString seeHelp = QStringLiteral(". See pigmentry %1 --help.").arg(spec.name);
    if (!parser.parse(QStringList{QStringLiteral("pigmentry")} + arguments)) {
        QString error = parser.errorText();
        if (error.endsWith(u'.'))
            error.chop(1);
        return refuse(err, error + seeHelp);
    }
    if (parser.isSet(help)) {
        writeText(out, spec.usage);
        return 0;
    }
    CommandLine line;
    line.words = parser.positionalArguments();
    if (line.words.size() != spec.words)
        return refuse(err, spec.usage.section(u'\n', 0, 0));
    for (const QString &name : spec.valued) {
        if (parser.isSet(name))
            line.values.insert(name, parser.value(name));
    }
    for (const QString &name : spec.flags) {
        if (parser.isSet(name))
            line.flags.insert(name);
    }
    if (spec.valued.contains(QStringLiteral("format"))) {
        if (const QString refusal = unknownFormat(line.format()); !refusal.isEmpty())
            return refuse(err, refusal);
    }
    return line;
}

} // namespace pigmentry
