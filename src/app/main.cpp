#include "app_delegate.h"
#include "convert_command.h"
#include "palette_command.h"
#include "tool_commands.h"
#include "model/preferences.h"
#include "pick_command.h"
#include "platform/desktop_services.h"
#include "platform/single_instance.h"
#include "style.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Sub-commands for scripts are recognised only as the first argument;
    // These need no display.
    static const struct {
        const char *name;
        int (*run)(const QStringList &, std::FILE *, std::FILE *);
    } commands[] = {{"convert", pigmentry::runConvert}, {"palette", pigmentry::runPalette},
                    {"harmony", pigmentry::runHarmony}, {"contrast", pigmentry::runContrast},
                    {"gradient", pigmentry::runGradient}, {"extract", pigmentry::runExtract}};
    for (const auto &command : commands) {
        if (argc > 1 && qstrcmp(argv[1], command.name) == 0) {
            QStringList arguments;
            for (int i = 2; i < argc; ++i)
                arguments.append(QString::fromLocal8Bit(argv[i]));
            return command.run(arguments, stdout, stderr);
        }
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Pigmentry"));
    QApplication::setApplicationName(QStringLiteral("Pigmentry"));
    QApplication::setDesktopFileName(QStringLiteral("pigmentry"));
    QApplication::setQuitOnLastWindowClosed(false);

    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.value(0) == QLatin1String("pick"))
        return pigmentry::runPick(arguments.mid(1));

    pigmentry::SingleInstance instance;
    // `pigmentry tour FOLDER` asks the running Pigmentry for screenshots;
    // `pigmentry quit` ends it and returns once it has ended.
    if (arguments.value(0) == QLatin1String("tour") || arguments.value(0) == QLatin1String("quit")) {
        if (!instance.isRunningElsewhere()) {
            std::fputs("Pigmentry is not running.\n", stderr);
            return 1;
        }
        const std::optional<QString> reply = instance.send(arguments);
        if (!reply) {
            std::fputs("Pigmentry did not answer.\n", stderr);
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
    // A second launch only hands over to the running one, which opens the
    // Studio; it becomes the instance itself only once that one has ended.
    if (instance.isUsable() && !instance.claim()) {
        if (instance.send(arguments))
            return 0;
        if (!instance.claim()) {
            std::fputs("Pigmentry is running but did not answer.\n", stderr);
            return 1;
        }
    }

    pigmentry::installStyle();
    pigmentry::Preferences prefs;
    pigmentry::AppDelegate delegate(prefs, pigmentry::createDesktopServices());
    QObject::connect(&instance, &pigmentry::SingleInstance::received, &delegate, &pigmentry::AppDelegate::handOver);
    delegate.launch(arguments);
    return QApplication::exec();
}
