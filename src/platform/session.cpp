#include "session.h"

#include <QGuiApplication>

namespace pigmentry {

SessionKind sessionKind()
{
    const QString platform = qGuiApp ? QGuiApplication::platformName() : QString();
    if (platform.startsWith(QLatin1String("wayland")))
        return SessionKind::Wayland;
    if (platform != QLatin1String("xcb"))
        return SessionKind::Other;
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return SessionKind::XWayland;
    return SessionKind::X11;
}

} // namespace pigmentry
