#include "app/app_delegate.h"
#include "cli/command_line.h"
#include "cli/convert_command.h"
#include "cli/palette_command.h"
#include "cli/pick_command.h"
#include "cli/tool_commands.h"
#include "gui/kit/style.h"
#include "model/preferences.h"
#include "platform/desktop_services.h"
#include "platform/session.h"
#include "platform/single_instance.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <QThreadPool>
#include <QTranslator>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace {

const char usage[] = "Usage: pigmentry [--studio]\n"
                     "       pigmentry COMMAND [ARGUMENTS]\n"
                     "\n"
                     "Without a command, starts Pigmentry in the tray, or opens the Studio of the one running.\n"
                     "  --studio         open the Studio at start\n"
                     "  -h, --help       show this help\n"
                     "  -v, --version    show the version\n"
                     "\n"
                     "Commands:\n"
                     "  pick [--format NAME] [--no-save]     pick one colour and print its code\n"
                     "  quit                                 end the running Pigmentry\n"
                     "  convert COLOR [--format NAME|--all]  print a colour's code\n"
                     "  harmony COLOR [--format NAME]        print the five harmony rules of a colour\n"
                     "  contrast FOREGROUND BACKGROUND       print the WCAG contrast of two colours\n"
                     "  gradient FROM TO [--angle DEGREES]   print a CSS linear-gradient\n"
                     "  extract IMAGE [--format NAME]        print the dominant colours of an image\n"
                     "  palette FILE [--format NAME|--to gpl|json]  read or convert a palette file\n"
                     "\n"
                     "pigmentry COMMAND --help shows a command's help. All but pick need no display.\n";

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

// `pigmentry quit`, and `pigmentry tour FOLDER [IMAGE]` for screenshots:
// messages to the running Pigmentry.
int sendToRunning(const QStringList &arguments)
{
    pigmentry::SingleInstance instance;
    if (!instance.isRunningElsewhere()) {
        std::fputs("Pigmentry is not running.\n", stderr);
        return 1;
    }
    QString why;
    const std::optional<QString> reply = instance.send(arguments, 10000, &why);
    if (!reply) {
        std::fprintf(stderr, "Pigmentry did not answer: %s.\n", qPrintable(why));
        return 1;
    }
    if (arguments.value(0) == QLatin1String("quit")) {
        if (!instance.waitUntilEnded(10000)) {
            std::fputs("Pigmentry did not quit.\n", stderr);
            return 1;
        }
        return 0;
    }
    if (!reply->isEmpty())
        std::printf("%s\n", qPrintable(*reply));
    return 0;
}

// `pigmentry pick`: the running Pigmentry picks, as from the shortcut (the
// history, the clipboard, the notices), started in the tray first when none
// runs, so that a key bound to the command always works.
int pickInInstance(const QString &format)
{
    pigmentry::SingleInstance instance;
    if (!instance.isUsable()) {
        std::fputs("Pigmentry cannot find its data folder to reach the running instance.\n", stderr);
        return 1;
    }
    if (!instance.isRunningElsewhere()) {
        // Started apart from this command's streams, so that a script that
        // reads the code is not kept waiting by the instance holding them.
        QProcess tray;
        tray.setProgram(QCoreApplication::applicationFilePath());
        tray.setStandardInputFile(QProcess::nullDevice());
        tray.setStandardOutputFile(QProcess::nullDevice());
        tray.setStandardErrorFile(QProcess::nullDevice());
        if (!tray.startDetached()) {
            std::fputs("Pigmentry could not be started.\n", stderr);
            return 1;
        }
        QDeadlineTimer starting(10000);
        while (!instance.isRunningElsewhere() && !starting.hasExpired())
            QThread::msleep(20);
    }
    QString why;
    // The pick waits for the user, however long they take.
    const std::optional<QString> reply = instance.send({QStringLiteral("pick"), format}, 24 * 3600 * 1000, &why);
    if (!reply) {
        std::fprintf(stderr, "Pigmentry did not answer: %s.\n", qPrintable(why));
        return 1;
    }
    if (reply->startsWith(QLatin1String("picked\t"))) {
        std::printf("%s\n", reply->mid(7).toUtf8().constData());
        return 0;
    }
    if (reply->startsWith(QLatin1String("refused\t")))
        std::fprintf(stderr, "%s\n", reply->mid(8).toUtf8().constData());
    return 1;
}

} // namespace

namespace {

int run(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const QString command = arguments.value(0);

    // Commands for scripts, recognised only as the first argument. They need
    // no display, so they work over SSH.
    static const struct {
        const char *name;
        int (*run)(const QStringList &, std::FILE *, std::FILE *);
    } scripts[] = {{"convert", pigmentry::runConvert},   {"palette", pigmentry::runPalette},
                   {"harmony", pigmentry::runHarmony},   {"contrast", pigmentry::runContrast},
                   {"gradient", pigmentry::runGradient}, {"extract", pigmentry::runExtract}};
    for (const auto &script : scripts) {
        if (command != QLatin1String(script.name))
            continue;
        // Extraction draws vector images, whose text needs the fonts of a
        // GUI application object; offscreen, it needs no display.
        std::optional<QGuiApplication> drawing;
        if (command == QLatin1String("extract")) {
            // Qt's own remarks (a missing runtime folder, say) are not the
            // command's output: its errors are its own lines.
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
            qputenv("QT_QPA_PLATFORM", "offscreen");
            drawing.emplace(argc, argv);
        }
        return script.run(arguments.mid(1), stdout, stderr);
    }
    // quit and pick read their line first: --help, --version and unknown
    // options never reach the running Pigmentry or the screen.
    if (command == QLatin1String("quit")) {
        const auto parsed = pigmentry::readCommandLine(
            {QStringLiteral("quit"), {}, {}, 0, QStringLiteral("Usage: pigmentry quit\nEnds the running Pigmentry.\n")},
            arguments.mid(1), stdout, stderr);
        if (const int *status = std::get_if<int>(&parsed))
            return *status;
    }
    if (command == QLatin1String("quit") || command == QLatin1String("tour")) {
        QCoreApplication app(argc, argv);
        return sendToRunning(arguments);
    }
    if (command == QLatin1String("pick")) {
        const auto parsed = pigmentry::readCommandLine(
            {QStringLiteral("pick"),
             {QStringLiteral("format")},
             {QStringLiteral("no-save")},
             0,
             QStringLiteral(
                 "Usage: pigmentry pick [--format NAME] [--no-save]\n"
                 "Picks one colour in the running Pigmentry (started in the tray if it is not running), as the\n"
                 "shortcut does, and prints its code; exits 1 when the pick is cancelled.\n"
                 "  --no-save   pick in this process only: nothing goes to the history or the clipboard\n")},
            arguments.mid(1), stdout, stderr);
        if (const int *status = std::get_if<int>(&parsed))
            return *status;
        const pigmentry::CommandLine &line = std::get<pigmentry::CommandLine>(parsed);
        if (!pigmentry::connectableDisplay())
            return refuse(QStringLiteral("No display: pigmentry pick needs a graphical session."));
        if (!line.flags.contains(QStringLiteral("no-save"))) {
            QCoreApplication app(argc, argv);
            return pickInInstance(line.values.value(QStringLiteral("format")));
        }
        QApplication app(argc, argv);
        QApplication::setOrganizationName(QStringLiteral("Pigmentry"));
        QApplication::setApplicationName(QStringLiteral("Pigmentry"));
        QStringList pickArguments;
        if (line.values.contains(QStringLiteral("format")))
            pickArguments << QStringLiteral("--format") << line.values.value(QStringLiteral("format"));
        return pigmentry::runPick(pickArguments);
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
        std::fputs(usage, stdout);
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
    pigmentry::SingleInstance instance;
    if (instance.isUsable() && !instance.claim()) {
        QString why;
        if (instance.send(arguments, 10000, &why))
            return 0;
        if (!instance.claim()) {
            std::fprintf(stderr, "Pigmentry is running but did not answer: %s.\n", qPrintable(why));
            return 1;
        }
    }

    pigmentry::installStyle();
    pigmentry::Preferences prefs;
    pigmentry::AppDelegate delegate(prefs, pigmentry::createDesktopServices());
    QObject::connect(&instance, &pigmentry::SingleInstance::received, &delegate, &pigmentry::AppDelegate::handOver);
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
