// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_delegate.h"
#include "cli/commands.h"
#include "gui/kit/style.h"
#include "model/library/preferences.h"
#include "platform/desktop_factory.h"
#include "platform/instance_protocol.h"
#include "platform/session.h"
#include "platform/single_instance.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QThreadPool>
#include <QTranslator>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QString usage()
{
    return QStringLiteral("Usage: pigmentry [--studio]\n"
                          "       pigmentry COMMAND [ARGUMENTS]\n"
                          "\n"
                          "Without a command, starts Pigmentry in the tray, or opens the Studio of the one\n"
                          "running.\n"
                          "  --studio         open the Studio at start\n"
                          "  -h, --help       show this help\n"
                          "  -v, --version    show the version\n"
                          "\n")
        + pigmentry::commandsOverview()
        + QStringLiteral("\npigmentry COMMAND --help shows a command's help. All but pick need no display.\n");
}

int refuse(const QString &message)
{
    std::fputs(qPrintable(message + u'\n'), stderr);
    return 2;
}

// Standard streams that were closed at start are held on /dev/null, read
// only: nothing opened later takes their numbers (a warning must never land
// in the library), and a write to them still fails.
void holdStandardStreams()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    }
}

int checkedOutput(int status);

// Hands the launch to the running Pigmentry: this launch's exit status once
// it answered (one of another version says so and fails), nothing when none
// could be reached.
std::optional<int> handOver(pigmentry::SingleInstance &instance, const QStringList &arguments, int timeoutMs,
                            QString *why)
{
    using namespace pigmentry::instance;
    const std::optional<QString> message = instance.send(encodeRequest({Verb::Open, arguments}), timeoutMs, why);
    if (!message)
        return std::nullopt;
    const Reply reply = decodeReply(*message);
    if (reply.outcome == Outcome::Done)
        return 0;
    std::fprintf(stderr, "%s\n", qPrintable(reply.text));
    return 1;
}

// Ends the process at once, past the thread pool's wait for its workers.
[[noreturn]] int endNow(int status)
{
    std::_Exit(checkedOutput(status));
}

// What a command printed must have reached its standard output: a failed
// write is an error, whatever the command said before.
int checkedOutput(int status)
{
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (flushed && !std::ferror(stdout))
        return status;
    std::fprintf(stderr, "pigmentry: could not write the output: %s\n",
                 error != 0 ? std::strerror(error) : "write error");
    return status == 0 ? 1 : status;
}

int run(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const QString command = arguments.value(0);

    // Commands, recognised only as the first argument.
    if (const pigmentry::Command *found = pigmentry::findCommand(command)) {
        pigmentry::CommandContext context{argc, argv, stdout, stderr,
                                          [&argc, argv] { return std::make_unique<QApplication>(argc, argv); }};
        return pigmentry::runCommand(*found, arguments.mid(1), context);
    }
    if (!command.isEmpty() && !command.startsWith(u'-'))
        return refuse(QStringLiteral("Unknown command \"%1\". See pigmentry --help.").arg(command));

    QCommandLineParser parser;
    const QCommandLineOption studio(QStringLiteral("studio"));
    QCommandLineOption autostart(QStringLiteral("autostart")); // from the login entry
    autostart.setFlags(QCommandLineOption::HiddenFromHelp);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({studio, autostart, help, version});
    if (!parser.parse(QStringList{QStringLiteral("pigmentry")} + arguments)) {
        QString error = parser.errorText();
        if (error.endsWith(u'.'))
            error.chop(1);
        return refuse(error + QLatin1String(". See pigmentry --help."));
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(
            QStringLiteral("Unknown command \"%1\". See pigmentry --help.").arg(parser.positionalArguments().first()));
    if (parser.isSet(help)) {
        std::fputs(usage().toUtf8().constData(), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::puts("pigmentry " PIGMENTRY_VERSION);
        return 0;
    }
    if (!pigmentry::connectableDisplay())
        return refuse(QStringLiteral("No display: pigmentry needs a graphical session."));

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Pigmentry"));
    QApplication::setApplicationName(QStringLiteral("Pigmentry"));
    QApplication::setApplicationVersion(QStringLiteral(PIGMENTRY_VERSION));
    // One id for the desktop entry, the icon and the software centres.
    QApplication::setDesktopFileName(QStringLiteral("io.github.pigmentry.Pigmentry"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/io.github.pigmentry.Pigmentry.svg")));
    QApplication::setQuitOnLastWindowClosed(false);
    // The texts in the desktop's language where a translation exists; codes
    // never change with the language.
    QTranslator translator;
    if (translator.load(QLocale(), QStringLiteral("pigmentry"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QApplication::installTranslator(&translator);
    QTranslator toolkit;
    if (toolkit.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkit);

    // A second launch only hands over to the running one, which opens the
    // Studio; it becomes the instance itself only once that one has ended.
    // A flood of connections runs into the system's limit, not into a soft
    // limit far below it.
    struct rlimit files { };
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }

    pigmentry::SingleInstance instance;
    QString readOnly; // why nothing can be saved, when nothing can
    using LockState = pigmentry::SingleInstance::LockState;
    if (instance.lockState() == LockState::ReadOnly) {
        // No folder for the library at all: as below, for a folder that
        // cannot be written.
        QString why;
        if (const std::optional<int> status = handOver(instance, arguments, 2000, &why))
            return *status;
        readOnly = instance.lockProblem();
        instance.claimUnlocked();
    } else if (instance.isUsable() && !instance.claim()) {
        QString why;
        switch (instance.lockState()) {
        case LockState::Refused:
            std::fprintf(stderr, "Pigmentry cannot start: its lock %s. Remove it and start Pigmentry again.\n",
                         qPrintable(instance.lockProblem()));
            return 1;
        case LockState::ReadOnly:
            // Nobody can take the lock, and nobody can write the library:
            // an instance that answers takes over, else this one runs in
            // memory (two such instances never write anything).
            if (const std::optional<int> status = handOver(instance, arguments, 2000, &why))
                return *status;
            readOnly = instance.lockProblem();
            instance.claimUnlocked();
            break;
        default:
            if (const std::optional<int> status = handOver(instance, arguments, 10000, &why))
                return *status;
            if (!instance.claim()) {
                std::fprintf(stderr, "Pigmentry is running but did not answer: %s.\n", qPrintable(why));
                return 1;
            }
        }
    }

    pigmentry::installStyle();
    pigmentry::Preferences prefs;
    pigmentry::AppDelegate delegate(prefs, pigmentry::createDesktopServices());
    QObject::connect(&instance, &pigmentry::SingleInstance::received, &delegate, &pigmentry::AppDelegate::handOver);
    if (!readOnly.isEmpty())
        delegate.saveNothing(readOnly);
    delegate.launch(arguments);
    const int status = QApplication::exec();
    // Quitting ends the process within a second, whatever a worker still
    // decodes: the library is saved at every change, nothing waits for it.
    if (!QThreadPool::globalInstance()->waitForDone(1000))
        return endNow(status);
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    holdStandardStreams();
    return checkedOutput(run(argc, argv));
}
