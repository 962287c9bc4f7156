// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command_line.h"

#include <QCoreApplication>

#include <cstdio>
#include <functional>
#include <memory>
#include <span>

namespace pigmentry {

// What a command needs before it runs.
enum class CommandNeeds {
    Nothing, // text in, text out: works over SSH
    Drawing, // a GUI application object offscreen: vector images need fonts
    Display, // a graphical session that answers
};

// What main gives a command to run in.
struct CommandContext {
    int &argc;
    char **argv;
    std::FILE *out;
    std::FILE *err;
    // A QApplication, made by the program: the desktop layer that the pick
    // links shows its alerts as widgets, though no command makes one itself.
    std::function<std::unique_ptr<QCoreApplication>()> widgetApplication;
};

// One command of `pigmentry COMMAND`: its line as CommandLine reads it, the
// texts of both helps, and what runs it once its line is read.
struct Command {
    CommandLineSpec line;
    QString synopsis; // after "pigmentry ", in both helps
    QString summary; // the line in pigmentry --help; none hides the command
    QString help; // the lines after "Usage: ..." in pigmentry COMMAND --help
    CommandNeeds needs;
    int (*run)(const CommandLine &line, CommandContext &context);

    QString usage() const;
};

// Every command, in the order pigmentry --help lists them.
std::span<const Command> allCommands();
const Command *findCommand(const QString &name);

// `pigmentry COMMAND ARGUMENTS...`: reads the line (answering --help,
// --version and unknown options without acting), provides what the command
// needs, runs it. The exit status.
int runCommand(const Command &command, const QStringList &arguments, CommandContext &context);

// The "Commands:" part of pigmentry --help.
QString commandsOverview();

} // namespace pigmentry
