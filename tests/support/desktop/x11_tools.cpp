// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11_tools.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace pigmentry::test {

namespace {

xcb_connection_t *connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_atom_t atom(const char *name)
{
    auto *reply = xcb_intern_atom_reply(connection(),
                                        xcb_intern_atom(connection(), 0, quint16(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

} // namespace

QRgb boardColor(int x, int y)
{
    return qRgb(x % 256, y % 256, 8 * (x / 256) + (y / 256));
}

Board::Board(const QScreen *screen)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint)
{
    const QRect area = screen->geometry();
    const double scale = screen->devicePixelRatio();
    const QPoint origin = area.topLeft(); // the screen's device origin on the root
    image_ = QImage(area.size() * scale, QImage::Format_RGB32);
    for (int y = 0; y < image_.height(); ++y)
        for (int x = 0; x < image_.width(); ++x)
            image_.setPixel(x, y, boardColor(origin.x() + x, origin.y() + y));
    image_.setDevicePixelRatio(scale);
    setGeometry(area);
}

void Board::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(0, 0, image_);
}

QRgb rootPixel(const QPoint &device)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *c = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    auto *reply = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, qint16(device.x()), qint16(device.y()), 1, 1, ~0u),
        nullptr);
    QRgb pixel = 0;
    if (reply && xcb_get_image_data_length(reply) >= 4) {
        const uint8_t *bytes = xcb_get_image_data(reply); // blue, green, red, unused
        pixel = qRgb(bytes[2], bytes[1], bytes[0]);
    }
    std::free(reply);
    return pixel;
}

bool xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForStarted())
        return false;
    QDeadlineTimer deadline(10000);
    while (process.state() != QProcess::NotRunning && !deadline.hasExpired())
        QTest::qWait(5);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool keyboardHeldElsewhere(quint32 window)
{
    xcb_connection_t *c = connection();
    auto *reply = xcb_grab_keyboard_reply(
        c, xcb_grab_keyboard(c, 0, window, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC), nullptr);
    const bool held = reply && reply->status == XCB_GRAB_STATUS_ALREADY_GRABBED;
    if (reply && reply->status == XCB_GRAB_STATUS_SUCCESS)
        xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
    xcb_flush(c);
    std::free(reply);
    return held;
}

void requestClose(quint32 window)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection(), 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event));
    xcb_flush(connection());
}

QStringList nonUnixSockets(qint64 pid)
{
    // The sockets first, then the table of Unix sockets: one made in between
    // is then in the table, not taken for another kind.
    QStringList sockets;
    const QDir descriptors(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QString &name : descriptors.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        const QString target = QFile::symLinkTarget(descriptors.filePath(name));
        const QString link = QFileInfo(descriptors.filePath(name)).symLinkTarget();
        // Targets of socket links read "socket:[12345]".
        const QString label = QFileInfo(!target.isEmpty() ? target : link).fileName();
        if (label.startsWith(QLatin1String("socket:[")))
            sockets.append(label);
    }
    QSet<QString> unixInodes;
    QFile table(QStringLiteral("/proc/net/unix"));
    if (table.open(QIODevice::ReadOnly)) {
        table.readLine(); // the heading
        while (!table.atEnd()) {
            const QList<QByteArray> fields = table.readLine().simplified().split(' ');
            if (fields.size() > 6)
                unixInodes.insert(QString::fromLatin1(fields.at(6)));
        }
    }
    QStringList others;
    for (const QString &label : std::as_const(sockets)) {
        if (!unixInodes.contains(label.mid(8, label.size() - 9)))
            others.append(label);
    }
    return others;
}

bool traySelectionOwned()
{
    xcb_connection_t *c = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    auto *atomReply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 19, "_NET_SYSTEM_TRAY_S0"), nullptr);
    if (!atomReply)
        return false;
    auto *owner = xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atomReply->atom), nullptr);
    const bool owned = owner && owner->owner != XCB_NONE;
    std::free(owner);
    std::free(atomReply);
    return owned;
}

QStringList windowsNamed(const QString &text, bool visibleOnly)
{
    QProcess search;
    QStringList arguments{QStringLiteral("search")};
    if (visibleOnly)
        arguments << QStringLiteral("--onlyvisible");
    search.start(QStringLiteral("xdotool"), arguments << QStringLiteral("--name") << text);
    search.waitForFinished(10000);
    return QString::fromUtf8(search.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

QProcessEnvironment userEnvironment(const QString &home, const QString &desk)
{
    const QString runtime = home + QLatin1String("/runtime") + desk;
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QLatin1String("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QLatin1String("/data") + desk);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return env;
}

QString readFileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace pigmentry::test
