// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include "model/color/rgba.h"

#include <QCommandLineParser>

namespace pigmentry {

void writeText(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int refuse(std::FILE *err, const QString &message)
{
    QString line = message;
    if (line.endsWith(u'\n'))
        line.chop(1);
    writeText(err, printable(line) + u'\n');
    return 2;
}

QString formatNamed(const QString &name)
{
    for (const QString &format : RGBA::formats()) {
        if (format.compare(name, Qt::CaseInsensitive) == 0)
            return format;
    }
    return QString();
}

QString unknownFormat(const QString &name)
{
    if (!formatNamed(name).isEmpty())
        return QString();
    return QStringLiteral("Unknown format \"%1\". Use one of: %2.\n")
        .arg(name, RGBA::formats().join(QLatin1String(", ")));
}

std::variant<CommandLine, int> readCommandLine(const CommandLineSpec &spec, const QString &usage,
                                               const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({help, version});
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
        writeText(out, usage);
        return 0;
    }
    if (parser.isSet(version)) {
        writeText(out, QStringLiteral("pigmentry " PIGMENTRY_VERSION "\n"));
        return 0;
    }
    CommandLine line;
    line.words = parser.positionalArguments();
    if ((line.words.size() > spec.words && !spec.repeats) || line.words.size() < spec.words - spec.optionalWords)
        return refuse(err, usage.section(u'\n', 0, 0));
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
        // Named in any case: --format rgb is RGB.
        if (line.values.contains(QStringLiteral("format")))
            line.values.insert(QStringLiteral("format"), formatNamed(line.format()));
    }
    return line;
}

} // namespace pigmentry
