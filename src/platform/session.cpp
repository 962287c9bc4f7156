// SPDX-License-Identifier: GPL-3.0-or-later
#include "session.h"

#include <QFile>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace pigmentry {

SessionKind sessionKind()
{
    const QString platform = qGuiApp ? QGuiApplication::platformName() : QString();
    if (platform.startsWith(QLatin1String("wayland")))
        return SessionKind::Wayland;
    if (platform != QLatin1String("xcb"))
        return SessionKind::Other;
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return SessionKind::XWayland;
    return SessionKind::X11;
}

namespace {

bool x11Answers()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool answered = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answered;
}

// The compositor's socket: WAYLAND_DISPLAY, a path or a name in the runtime
// folder, as libwayland-client finds it ("wayland-0" when the platform is
// asked for by name and nothing is set; a socket handed over is taken as
// it is).
bool waylandAnswers(bool named)
{
    if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET"))
        return true;
    QString name = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (name.isEmpty() && named)
        name = QStringLiteral("wayland-0");
    if (name.isEmpty())
        return false;
    QString path = name;
    if (!name.startsWith(u'/')) {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            return false;
        path = runtime + u'/' + name;
    }
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (encoded.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool answered = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return answered;
}

} // namespace

bool connectableDisplay()
{
    const QString requested = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!requested.isEmpty()) {
        const QStringList entries = requested.split(u';', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const QString plugin = entries.at(i).section(u':', 0, 0);
            const bool answers = plugin.startsWith(QLatin1String("xcb")) ? x11Answers()
                : plugin.startsWith(QLatin1String("wayland"))            ? waylandAnswers(true)
                                                                         : true;
            if (answers) {
                if (i > 0)
                    qputenv("QT_QPA_PLATFORM", entries.at(i).toLocal8Bit());
                return true;
            }
        }
        return false;
    }
    const bool x11 = x11Answers();
    const bool wayland = waylandAnswers(false);
    if (x11 != wayland)
        qputenv("QT_QPA_PLATFORM", x11 ? "xcb" : "wayland");
    return x11 || wayland;
}

} // namespace pigmentry
