#include "pick_command.h"

#include "cli/convert_command.h"
#include "model/preferences.h"
#include "platform/desktop_services.h"

#include <QCoreApplication>

#include <cstdio>

namespace pigmentry {

int runPick(const QStringList &arguments)
{
    Preferences prefs;
    std::optional<QString> format;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--format") && i + 1 < arguments.size())
            format = arguments.at(++i);
        else if (arguments.at(i).startsWith(QLatin1String("--format=")))
            format = arguments.at(i).mid(9);
        else {
            std::fputs("Usage: pigmentry pick [--format NAME]\n", stderr);
            return 2;
        }
    }

    if (format) {
        if (const QString refusal = unknownFormat(*format); !refusal.isEmpty()) {
            std::fputs(qPrintable(refusal), stderr);
            return 2;
        }
    }

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
    const QByteArray code = picked->formatted(format.value_or(prefs.format())).toUtf8();
    std::printf("%s\n", code.constData());
    return 0;
}

} // namespace pigmentry
