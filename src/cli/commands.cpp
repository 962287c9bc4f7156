// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "cli/command_bodies.h"
#include "model/color/rgba.h"
#include "platform/session.h"

#include <QGuiApplication>

#include <algorithm>
#include <optional>

namespace pigmentry {

namespace {

QStringList names(std::initializer_list<const char *> list)
{
    QStringList names;
    for (const char *name : list)
        names.append(QLatin1String(name));
    return names;
}

// Words filled into lines of at most width columns, each indented.
QString wrapped(const QString &text, int width, int indent)
{
    QString out;
    QString line;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && indent + line.size() + 1 + word.size() > width) {
            out += QString(indent, u' ') + line + u'\n';
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        out += QString(indent, u' ') + line + u'\n';
    return out;
}

std::vector<Command> commandTable()
{
    const QString formats = RGBA::formats().join(QLatin1String(", "));
    return {
        {{QStringLiteral("pick"), names({"format", "to-palette", "sample"}), names({"multiple", "no-save"}), 0},
         QStringLiteral("pick [--format NAME] [--multiple] [--to-palette NAME]\n"
                        "                      [--sample N] [--no-save]"),
         QStringLiteral("pick colors and print their codes"),
         QStringLiteral("Picks a color in the running Pigmentry (started in the tray if it is not\n"
                        "running), as the shortcut does, and prints its code; exits 1 when the pick is\n"
                        "cancelled.\n"
                        "  --multiple          go on picking until Esc (or a plain click) ends the pick,\n"
                        "                      printing each code as it is picked; exits 0 when at\n"
                        "                      least one color was picked\n"
                        "  --to-palette NAME   also add each color to the palette of that name; exits 2\n"
                        "                      when there is none, or more than one\n"
                        "  --sample N          average N x N pixels (1, 3, 5 or 11) for this pick\n"
                        "  --no-save           pick in this process only: nothing goes to the history or\n"
                        "                      the clipboard\n"),
         CommandNeeds::Display,
         commands::pick},
        {{QStringLiteral("quit"), {}, {}, 0},
         QStringLiteral("quit"),
         QStringLiteral("end the running Pigmentry"),
         QStringLiteral("Ends the running Pigmentry.\n"),
         CommandNeeds::Nothing,
         commands::quit},
        {{QStringLiteral("convert"), names({"format"}), names({"all"}), 1},
         QStringLiteral("convert COLOR [--format NAME | --all]"),
         QStringLiteral("print a color's code"),
         QStringLiteral("Prints the code of COLOR (any CSS color: a name, #RGB, #RRGGBB, #RRGGBBAA,\n"
                        "rgb(), hsl(), hwb(), lab(), lch(), oklab(), oklch() or color(); outside sRGB\n"
                        "each channel is clipped) in a format, named in any case:\n")
             + wrapped(formats + u'.', 80, 2),
         CommandNeeds::Nothing,
         commands::convert},
        {{QStringLiteral("harmony"), names({"format"}), {}, 1},
         QStringLiteral("harmony COLOR [--format NAME]"),
         QStringLiteral("print the five harmony rules of a color"),
         QStringLiteral("Prints the five harmony rules of COLOR, one a line: RULE<TAB>CODE<TAB>CODE...\n"),
         CommandNeeds::Nothing,
         commands::harmony},
        {{QStringLiteral("contrast"), {}, names({"suggest"}), 2},
         QStringLiteral("contrast FOREGROUND BACKGROUND [--suggest]"),
         QStringLiteral("print the WCAG contrast of two colors"),
         QStringLiteral("Prints the WCAG contrast ratio, then Pass or Fail for each level.\n"
                        "  --suggest   then, for AA normal and AAA normal where they fail, the nearest\n"
                        "              foreground that passes: Suggest LEVEL<TAB>#RRGGBB, or none where\n"
                        "              even black or white fails\n"),
         CommandNeeds::Nothing,
         commands::contrast},
        {{QStringLiteral("name"), {}, {}, 1, 0, true},
         QStringLiteral("name COLOR..."),
         QStringLiteral("print what colors are called"),
         QStringLiteral("Prints the name of each COLOR, one a line: its CSS name, or the nearest of the\n"
                        "CSS and xkcd color survey names.\n"),
         CommandNeeds::Nothing,
         commands::name},
        {{QStringLiteral("scale"), names({"format"}), {}, 1},
         QStringLiteral("scale COLOR [--format NAME]"),
         QStringLiteral("print the 50-950 tint scale of a color"),
         QStringLiteral("Prints the eleven steps of COLOR's tint scale, 50 first: STEP<TAB>CODE.\n"),
         CommandNeeds::Nothing,
         commands::scale},
        {{QStringLiteral("gradient"), names({"angle"}), {}, 2},
         QStringLiteral("gradient FROM TO [--angle DEGREES]"),
         QStringLiteral("print a CSS linear-gradient"),
         QStringLiteral("Prints the CSS linear-gradient from FROM to TO (angle 90 unless given).\n"),
         CommandNeeds::Nothing,
         commands::gradient},
        {{QStringLiteral("extract"), names({"format"}), {}, 1},
         QStringLiteral("extract IMAGE [--format NAME]"),
         QStringLiteral("print the dominant colors of an image"),
         QStringLiteral("Prints up to five dominant colors of IMAGE, one code a line.\n"),
         CommandNeeds::Drawing,
         commands::extract},
        {{QStringLiteral("palette"), names({"format", "to"}), {}, 1},
         QStringLiteral("palette FILE [--format NAME | --to FORMAT]"),
         QStringLiteral("read or convert a palette file"),
         QStringLiteral("Reads a palette file of any kind (JSON, GIMP, ASE, ACO, hex list; - reads\n"
                        "standard input) and prints its name and one code per color, or with --to the\n"
                        "palette in another FORMAT: json, gpl, ase, hex, css, scss or html.\n"),
         CommandNeeds::Nothing,
         commands::palette},
        // Screenshots of every window for `make run`'s tour; not for users.
        {{QStringLiteral("tour"), {}, {}, 2, 1},
         QStringLiteral("tour FOLDER [IMAGE]"),
         QString(),
         QStringLiteral("Saves screenshots of the running Pigmentry's windows in FOLDER.\n"),
         CommandNeeds::Nothing,
         commands::tour},
    };
}

} // namespace

QString Command::usage() const
{
    return QLatin1String("Usage: pigmentry ") + synopsis + u'\n' + help;
}

std::span<const Command> allCommands()
{
    static const std::vector<Command> table = commandTable();
    return table;
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : allCommands()) {
        if (command.line.name == name)
            return &command;
    }
    return nullptr;
}

QString commandsOverview()
{
    // The summaries line up after the synopses, past which the longest
    // ones run on.
    qsizetype column = 0;
    for (const Command &command : allCommands()) {
        if (command.synopsis.size() <= 40)
            column = std::max(column, command.synopsis.size());
    }
    // A line that would pass 80 columns has its summary on a line of its own.
    QString text = QStringLiteral("Commands:\n");
    for (const Command &command : allCommands()) {
        if (command.summary.isEmpty())
            continue;
        const QString synopsis = QLatin1String("  ") + command.synopsis.leftJustified(column) + QLatin1String("  ");
        if (synopsis.size() + command.summary.size() <= 80)
            text += synopsis + command.summary + u'\n';
        else
            text +=
                QLatin1String("  ") + command.synopsis + u'\n' + QString(column + 4, u' ') + command.summary + u'\n';
    }
    return text;
}

int runCommand(const Command &command, const QStringList &arguments, CommandContext &context)
{
    const auto parsed = readCommandLine(command.line, command.usage(), arguments, context.out, context.err);
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const CommandLine &line = std::get<CommandLine>(parsed);
    std::optional<QGuiApplication> drawing;
    switch (command.needs) {
    case CommandNeeds::Nothing: break;
    case CommandNeeds::Drawing:
        // Qt's own remarks (a missing runtime folder, say) are not the
        // command's output: its errors are its own lines.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        qputenv("QT_QPA_PLATFORM", "offscreen");
        drawing.emplace(context.argc, context.argv);
        break;
    case CommandNeeds::Display:
        if (!connectableDisplay())
            return refuse(context.err,
                          QStringLiteral("No display: pigmentry %1 needs a graphical session.").arg(command.line.name));
        break;
    }
    return command.run(line, context);
}

} // namespace pigmentry
