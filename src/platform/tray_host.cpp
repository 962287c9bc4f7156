// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray_host.h"

#include "platform/x11/xcb_owned.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <qpa/qplatformnativeinterface.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <string>

namespace pigmentry {

namespace {

bool statusNotifierWatcher()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface()
        && bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher")).value();
}

bool xembedTray()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return false;
    xcb_connection_t *c = x11->connection();
    // The tray of the display's screen owns the selection _NET_SYSTEM_TRAY_S<n>.
    int screen = 0;
    char *host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) == 0)
        screen = 0;
    std::free(host);
    const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
    const XcbOwned<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, quint16(name.size()), name.c_str()), nullptr));
    if (!atom)
        return false;
    const XcbOwned<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr));
    return owner && owner->owner != XCB_NONE;
}

} // namespace

bool trayHostPresent()
{
    return statusNotifierWatcher() || xembedTray();
}

namespace {

// A tray manager that takes its selection tells every client with a MANAGER
// client message on the root window. Those come to a connection that asked
// for the root's structure events: one of our own, read when the socket
// says there is something to read.
//
// Qt's connection gets the same message, and Qt docks every tray icon that
// exists by then once more when it reads it: an icon made between the two
// would leave the tray and come back. So the tray counts as there once Qt
// says so (its platform's systemTrayWindowChanged), or a second after our
// connection saw it if Qt never does.
class XEmbedWatch : public QObject {
    Q_OBJECT

public:
    XEmbedWatch(QObject *parent, std::function<void()> appeared)
        : QObject(parent)
        , appeared_(std::move(appeared))
    {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_))
            return;
        const xcb_setup_t *setup = xcb_get_setup(connection_);
        const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root, XCB_CW_EVENT_MASK, &mask);
        const XcbOwned<xcb_intern_atom_reply_t> atom(
            xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, 7, "MANAGER"), nullptr));
        if (atom)
            manager_ = atom->atom;
        xcb_flush(connection_);
        if (QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface()) {
            // Asking for the tray window starts Qt's own watch of the tray.
            native->nativeResourceForScreen("traywindow", QGuiApplication::primaryScreen());
            connect(native, SIGNAL(systemTrayWindowChanged(QScreen *)), this, SLOT(qtSawTray()));
        }
        fallback_.setSingleShot(true);
        fallback_.setInterval(1000);
        connect(&fallback_, &QTimer::timeout, this, [this] { this->appeared_(); });
        notifier_ = new QSocketNotifier(xcb_get_file_descriptor(connection_), QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &XEmbedWatch::read);
    }
    ~XEmbedWatch() override
    {
        delete notifier_;
        xcb_disconnect(connection_);
    }

private:
    void read()
    {
        bool announced = false;
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection_)) {
            if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE
                && reinterpret_cast<xcb_client_message_event_t *>(event)->type == manager_)
                announced = true;
            std::free(event);
        }
        if (xcb_connection_has_error(connection_))
            notifier_->setEnabled(false);
        if (announced && !fallback_.isActive())
            fallback_.start();
    }

    Q_SLOT void qtSawTray()
    {
        fallback_.stop();
        appeared_();
    }

    std::function<void()> appeared_;
    xcb_connection_t *connection_ = nullptr;
    xcb_atom_t manager_ = XCB_ATOM_NONE;
    QSocketNotifier *notifier_ = nullptr;
    QTimer fallback_;
};

} // namespace

void watchTrayHost(QObject *context, std::function<void()> appeared)
{
    auto *bus = new QDBusServiceWatcher(QStringLiteral("org.kde.StatusNotifierWatcher"), QDBusConnection::sessionBus(),
                                        QDBusServiceWatcher::WatchForRegistration, context);
    QObject::connect(bus, &QDBusServiceWatcher::serviceRegistered, context, [appeared] { appeared(); });
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        new XEmbedWatch(context, std::move(appeared));
}

} // namespace pigmentry

#include "tray_host.moc"
