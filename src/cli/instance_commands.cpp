// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that reach the running Pigmentry, or pick on the screen.

#include "instance_commands.h"

#include "cli/command_bodies.h"
#include "model/library/preferences.h"
#include "picker/screen_picker.h"
#include "platform/desktop_factory.h"
#include "platform/instance_protocol.h"
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
// runs, so that a key bound to the command always works. A pick that goes
// on prints each code as it comes.
int pickInInstance(const instance::PickOptions &options, CommandContext &context)
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
    // Whatever answered, its words reach the terminal escaped. A colour
    // picked but not in the saved history is said, and is not a success.
    bool unsaved = false;
    auto printPicked = [&context, &unsaved](const instance::Reply &reply) {
        writeText(context.out, printable(reply.code) + u'\n');
        if (!reply.text.isEmpty()) {
            writeText(context.err, printable(reply.text) + u'\n');
            unsaved = true;
        }
    };
    int picked = 0;
    // The pick waits for the user, however long they take.
    QString why;
    const std::optional<QString> message =
        instance.send(instance::encodeRequest({instance::Verb::Pick, instance::pickArguments(options)}),
                      24 * 3600 * 1000, &why, [&printPicked, &picked](const QString &interim) {
                          const instance::Reply reply = instance::decodeReply(interim);
                          if (reply.outcome == instance::Outcome::Picked) {
                              printPicked(reply);
                              ++picked;
                          }
                      });
    if (!message) {
        writeText(context.err, QStringLiteral("Pigmentry did not answer: %1.\n").arg(why));
        return 1;
    }
    const instance::Reply reply = instance::decodeReply(*message);
    switch (reply.outcome) {
    case instance::Outcome::Picked: printPicked(reply); return unsaved ? 1 : 0;
    case instance::Outcome::Invalid: writeText(context.err, printable(reply.text) + u'\n'); return 2;
    case instance::Outcome::Refused:
    case instance::Outcome::OtherVersion: writeText(context.err, printable(reply.text) + u'\n'); return 1;
    case instance::Outcome::Done: // the end of a pick that went on
    case instance::Outcome::Cancelled: return picked > 0 && !unsaved ? 0 : 1;
    }
    return 1;
}

// A message to the running Pigmentry that needs it to be running.
int sendToRunning(const instance::Request &request, CommandContext &context)
{
    QCoreApplication app(context.argc, context.argv);
    SingleInstance instance;
    if (!instance.isRunningElsewhere()) {
        writeText(context.err, QStringLiteral("Pigmentry is not running.\n"));
        return 1;
    }
    const std::optional<QString> message = ask(instance, instance::encodeRequest(request), 10000, context.err);
    if (!message)
        return 1;
    const instance::Reply reply = instance::decodeReply(*message);
    if (reply.outcome != instance::Outcome::Done) {
        writeText(context.err, printable(reply.text) + u'\n');
        return 1;
    }
    if (request.verb == instance::Verb::Quit) {
        if (!instance.waitUntilEnded(10000)) {
            writeText(context.err, QStringLiteral("Pigmentry did not quit.\n"));
            return 1;
        }
        return 0;
    }
    // One item a line, each escaped.
    if (!reply.text.isEmpty()) {
        QString text;
        for (const QString &line : reply.text.split(u'\n'))
            text += printable(line) + u'\n';
        writeText(context.out, text);
    }
    return 0;
}

} // namespace

int pickHere(const instance::PickOptions &options, std::FILE *out)
{
    Preferences prefs;
    const std::unique_ptr<DesktopServices> services = createDesktopServices();
    ScreenPicker picker(prefs, services->pickerDesktop());
    const QString format = options.format.isEmpty() ? prefs.format() : options.format;
    int picked = 0;
    QObject::connect(
        &picker, &ScreenPicker::ended, QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    picker.start(
        [&](const RGBA &color) {
            // Without --multiple the first colour is the answer.
            if (picked > 0 && !options.multiple)
                return;
            ++picked;
            writeText(out, color.formatted(format) + u'\n');
            std::fflush(out);
        },
        options.sample);
    if (picker.isActive())
        QCoreApplication::exec();
    return picked > 0 ? 0 : 1;
}

namespace commands {

int pick(const CommandLine &line, CommandContext &context)
{
    instance::PickOptions options;
    options.format = line.values.value(QStringLiteral("format"));
    options.multiple = line.flags.contains(QStringLiteral("multiple"));
    options.palette = line.values.value(QStringLiteral("to-palette"));
    if (line.values.contains(QStringLiteral("sample"))) {
        bool number = false;
        options.sample = line.values.value(QStringLiteral("sample")).toInt(&number);
        if (!number || !Preferences::isSampleSize(options.sample))
            return refuse(context.err,
                          QStringLiteral("--sample takes 1, 3, 5 or 11, not \"%1\".")
                              .arg(line.values.value(QStringLiteral("sample"))));
    }
    if (line.values.contains(QStringLiteral("to-palette")) && options.palette.trimmed().isEmpty())
        return refuse(context.err, QStringLiteral("--to-palette needs the name of a palette."));
    if (!line.flags.contains(QStringLiteral("no-save"))) {
        QCoreApplication app(context.argc, context.argv);
        return pickInInstance(options, context);
    }
    if (!options.palette.isEmpty())
        return refuse(context.err,
                      QStringLiteral("--to-palette saves into the library; --no-save saves "
                                     "nothing."));
    const std::unique_ptr<QCoreApplication> app = context.widgetApplication();
    return pickHere(options, context.out);
}

int quit(const CommandLine &, CommandContext &context)
{
    return sendToRunning({instance::Verb::Quit, {}}, context);
}

// `pigmentry tour FOLDER [IMAGE]`: screenshots of every window, for the
// tour that `make run` gives without a display.
int tour(const CommandLine &line, CommandContext &context)
{
    return sendToRunning({instance::Verb::Tour, line.words}, context);
}

} // namespace commands

} // namespace pigmentry
