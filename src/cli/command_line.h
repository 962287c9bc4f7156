// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/plain_text.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <cstdio>
#include <variant>

namespace pigmentry {

// What a command takes: its name, the options with a value and those
// without (names without dashes), and how many words, of which the last
// `optionalWords` may be left out, or repeated where `repeats`.
struct CommandLineSpec {
    QString name;
    QStringList valued;
    QStringList flags;
    qsizetype words;
    qsizetype optionalWords = 0;
    // The last word may be given any number of times more.
    bool repeats = false;
};

// A command's line, read.
struct CommandLine {
    QStringList words;
    QHash<QString, QString> values;
    QSet<QString> flags;

    // The --format given, "HEX" otherwise.
    QString format() const { return values.value(QStringLiteral("format"), QStringLiteral("HEX")); }
};

// Reads a command's arguments with QCommandLineParser: --help and -h print
// the help, --version the version, and end with 0; an unknown option, a missing value, a wrong
// number of words or an unknown --format end with 2 and one line on err.
// usage is the help, its first line "Usage: ...". The line to go on with, or
// the exit status.
std::variant<CommandLine, int> readCommandLine(const CommandLineSpec &spec, const QString &usage,
                                               const QStringList &arguments, std::FILE *out, std::FILE *err);

// The refusal of a format name that is not one of the formats, with the list;
// empty for a known name. Names are matched without regard to case.
QString unknownFormat(const QString &name);
// The format a name stands for, in any case ("rgb" is "RGB"); empty for none.
QString formatNamed(const QString &name);

// UTF-8 text to a stream.
void writeText(std::FILE *stream, const QString &text);
// One line on err, made printable; exit status 2.
int refuse(std::FILE *err, const QString &message);

} // namespace pigmentry
