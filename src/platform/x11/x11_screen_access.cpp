#include "x11_screen_access.h"

#include "x11_screen_source.h"

#include <QProcess>
#include <QStandardPaths>

namespace pigmentry {

bool X11ScreenAccess::preflight()
{
    return !source.grab(QRect(0, 0, 1, 1), nullptr).isNull();
}

void X11ScreenAccess::openSettings()
{
    openDesktopPrivacySettings();
}

void openDesktopPrivacySettings()
{
    const struct {
        const char *program;
        const char *argument;
    } known[] = {{"gnome-control-center", "privacy"}, {"systemsettings", "kcm_screenlocker"}, {"systemsettings5", ""}};
    for (const auto &candidate : known) {
        const QString program = QStandardPaths::findExecutable(QLatin1String(candidate.program));
        if (program.isEmpty())
            continue;
        QStringList arguments;
        if (*candidate.argument)
            arguments << QLatin1String(candidate.argument);
        QProcess::startDetached(program, arguments);
        return;
    }
}

} // namespace pigmentry
