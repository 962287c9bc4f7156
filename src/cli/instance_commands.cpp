// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that reach the running Pigmentry, or pick on the screen.

#include "instance_commands.h"

#include "cli/command_bodies.h"
#include "model/preferences.h"
#include "picker/screen_picker.h"
#include "platform/desktop_services.h"
#include "platform/session.h"
#include "platform/single_instance.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

namespace pigmentry {

namespace {

// Sends arguments to the running Pigmentry; its reply, or nothing after a
// line on err.
std::optional<QString> ask(SingleInstance &instance, const QStringList &arguments, int timeout, std::FILE *err)
{
    QString why;
    const std::optional<QString> reply = instance.send(arguments, timeout, &why);
    if (!reply)
        writeText(err, QStringLiteral("Pigmentry did not answer: %1.\n").arg(why));
    return reply;
}

// Starts Pigmentry in the tray, apart from this command's streams, so that a
// script that reads the code is not kept waiting by the instance holding
// them; true once it listens.
bool startInTray(SingleInstance &instance)
{
    QProcess tray;
    tray.setProgram(QCoreApplication::applicationFilePath());
    tray.setStandardInputFile(QProcess::nullDevice());
    tray.setStandardOutputFile(QProcess::nullDevice());
    tray.setStandardErrorFile(QProcess::nullDevice());
    if (!tray.startDetached())
        return false;
    QDeadlineTimer starting(10000);
    while (!instance.isRunningElsewhere() && !starting.hasExpired())
        QThread::msleep(20);
    return true;
}

// `pigmentry pick`: the running Pigmentry picks, as from the shortcut (the
// history, the clipboard, the notices), started in the tray first when none
// runs, so that a key bound to the command always works.
int pickInInstance(const QString &format, CommandContext &context)
{
    SingleInstance instance;
    if (!instance.isUsable() && instance.lockState() != SingleInstance::LockState::ReadOnly) {
        writeText(context.err,
                  QStringLiteral("Pigmentry cannot find its data folder to reach the running instance.\n"));
        return 1;
    }
    if (!instance.isRunningElsewhere() && !startInTray(instance)) {
        writeText(context.err, QStringLiteral("Pigmentry could not be started.\n"));
        return 1;
    }
    // The pick waits for the user, however long they take.
    const std::optional<QString> reply = ask(instance, {QStringLiteral("pick"), format}, 24 * 3600 * 1000, context.err);
    if (!reply)
        return 1;
    // Whatever answered, its words reach the terminal escaped.
    if (reply->startsWith(QLatin1String("picked\t"))) {
        // "picked", the code, and why the history kept nothing when it
        // could not be saved.
        const QStringList parts = reply->split(u'\t');
        writeText(context.out, printable(parts.value(1)) + u'\n');
        if (parts.size() > 2) {
            writeText(context.err, printable(parts.mid(2).join(u' ')) + u'\n');
            return 1;
        }
        return 0;
    }
    if (reply->startsWith(QLatin1String("refused\t")))
        writeText(context.err, printable(reply->mid(8)) + u'\n');
    return 1;
}

// A message to the running Pigmentry that needs it to be running.
int sendToRunning(const QStringList &arguments, CommandContext &context)
{
    QCoreApplication app(context.argc, context.argv);
    SingleInstance instance;
    if (!instance.isRunningElsewhere()) {
        writeText(context.err, QStringLiteral("Pigmentry is not running.\n"));
        return 1;
    }
    const std::optional<QString> reply = ask(instance, arguments, 10000, context.err);
    if (!reply)
        return 1;
    if (arguments.value(0) == QLatin1String("quit")) {
        if (!instance.waitUntilEnded(10000)) {
            writeText(context.err, QStringLiteral("Pigmentry did not quit.\n"));
            return 1;
        }
        return 0;
    }
    if (!reply->isEmpty())
        writeText(context.out, printable(*reply) + u'\n');
    return 0;
}

} // namespace

int pickHere(const std::optional<QString> &format, std::FILE *out)
{
    Preferences prefs;
    const std::unique_ptr<DesktopServices> services = createDesktopServices();
    ScreenPicker picker(prefs, services->pickerDesktop());
    std::optional<RGBA> picked;
    QObject::connect(
        &picker, &ScreenPicker::ended, QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    picker.start([&picked](const RGBA &color) { picked = color; });
    if (picker.isActive())
        QCoreApplication::exec();
    if (!picked)
        return 1;
    writeText(out, picked->formatted(format.value_or(prefs.format())) + u'\n');
    return 0;
}

namespace commands {

int pick(const CommandLine &line, CommandContext &context)
{
    const QString format = line.values.value(QStringLiteral("format"));
    if (!line.flags.contains(QStringLiteral("no-save"))) {
        QCoreApplication app(context.argc, context.argv);
        return pickInInstance(format, context);
    }
    const std::unique_ptr<QCoreApplication> app = context.widgetApplication();
    return pickHere(format.isEmpty() ? std::nullopt : std::optional(format), context.out);
}

int quit(const CommandLine &, CommandContext &context)
{
    return sendToRunning({QStringLiteral("quit")}, context);
}

// `pigmentry tour FOLDER [IMAGE]`: screenshots of every window, for the
// tour that `make run` gives without a display.
int tour(const CommandLine &line, CommandContext &context)
{
    return sendToRunning(QStringList{QStringLiteral("tour")} + line.words, context);
}

} // namespace commands

} // namespace pigmentry
