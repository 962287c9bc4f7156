// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_services.h"

#include "desktop_notifications.h"

#include "desktop_workspace.h"
#include "frozen_overlay.h"
#include "frozen_screen_access.h"
#include "hot_keys.h"
#include "portal/portal_color_picker.h"
#include "portal/portal_hot_keys.h"
#include "portal/portal_screenshot.h"
#include "qt_alerts.h"
#include "qt_file_dialogs.h"
#include "session.h"
#include "taskbar.h"
#include "tray_host.h"
#include "x11/x11_overlay.h"
#include "x11/x11_screen_access.h"
#include "x11/x11_screen_source.h"

#include "picker/frozen_screen_source.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>

#include <xcb/xcb.h>

namespace pigmentry {

namespace {

// A session without live capture: no screens, no overlay, no access.
class NoScreens : public ScreenSource {
public:
    QList<PickerScreen> screens() const override { return {}; }
    QPointF pointer() const override { return {}; }
    void capture(const PickerScreen &, const QRect &, CaptureDone done) override
    {
        QTimer::singleShot(
            0, [done = std::move(done)] { done(QImage(), QStringLiteral("this session offers no screen capture")); });
    }
};

class NoOverlay : public PickerOverlay {
public:
    std::optional<QString> show(const QList<PickerScreen> &) override
    {
        return QStringLiteral("this session offers no overlay");
    }
    void hide() override { }
    void present(const Magnifier &, const QPointF &, const QRectF &) override { }
};

class NoAccess : public ScreenAccess {
public:
    bool preflight() override { return false; }
    void request(Granted done) override { done(false); }
    void openSettings() override { openDesktopPrivacySettings(); }
};

class NoSampler : public DesktopSampler {
public:
    void pickColor(Done done) override
    {
        QTimer::singleShot(0, [done = std::move(done)] {
            done(Outcome::Unavailable, RGBA{}, QStringLiteral("this session offers no color sampler"));
        });
    }
};

// The application's clipboard; without a GUI application there is none.
class QtClipboard : public Clipboard {
public:
    void setText(const QString &text) override
    {
        if (QClipboard *clipboard = qGuiApp ? QGuiApplication::clipboard() : nullptr) {
            clipboard->clear();
            clipboard->setText(text);
        }
    }
};

class NoClipboard : public Clipboard {
public:
    void setText(const QString &) override { }
};

class X11Taskbar : public Taskbar {
public:
    void setShown(QWidget *window, bool shown) override { setShownInTaskbar(window, shown); }
};

class NoNotifications : public Notifications {
public:
    void show(const QString &, const QImage &, int) override { }
};

class NoTaskbar : public Taskbar {
public:
    void setShown(QWidget *, bool) override { }
};

class NoAutostart : public Autostart {
public:
    bool isEnabled() const override { return false; }
    std::optional<QString> setEnabled(bool) override
    {
        return QCoreApplication::translate("DesktopServices", "Starting at login is not available on this desktop.");
    }
};

class NoAlerts : public Alerts {
public:
    int ask(const QString &, const QString &, const QStringList &) override { return -1; }
    void inform(const QString &, const QString &) override { }
};

class NoFileDialogs : public FileDialogs {
public:
    std::optional<QString> saveFile(const QString &, const QStringList &, QString *) override { return std::nullopt; }
    std::optional<QString> openFile(const QStringList &) override { return std::nullopt; }
};

class NoWorkspace : public Workspace {
public:
    bool openFolder(const QString &) override { return false; }
    bool openPrivacySettings() override { return false; }
};

template <typename Service, typename Standin>
void fill(std::unique_ptr<Service> &service)
{
    if (!service)
        service = std::make_unique<Standin>();
}

} // namespace

void DesktopServices::fillUnavailable()
{
    fill<HotKeyService, UnavailableHotKeys>(hotKeys);
    fill<ScreenSource, NoScreens>(screens);
    fill<PickerOverlay, NoOverlay>(overlay);
    fill<DesktopSampler, NoSampler>(sampler);
    fill<ScreenAccess, NoAccess>(screenAccess);
    fill<Clipboard, NoClipboard>(clipboard);
    fill<Taskbar, NoTaskbar>(taskbar);
    fill<Autostart, NoAutostart>(autostart);
    fill<Alerts, NoAlerts>(alerts);
    fill<FileDialogs, NoFileDialogs>(fileDialogs);
    fill<Workspace, NoWorkspace>(workspace);
    fill<Notifications, NoNotifications>(notifications);
    if (!trayHostPresent)
        trayHostPresent = [] { return false; };
    if (!watchTrayHost)
        watchTrayHost = [](QObject *, std::function<void()>) {};
}

std::unique_ptr<DesktopServices> createDesktopServices()
{
    auto services = std::make_unique<DesktopServices>();
    // Only a real X11 session lets grabs and root captures reach the whole
    // desktop; in a Wayland session the portals do that work.
    const bool x11Session = sessionKind() == SessionKind::X11;
    const bool waylandSession = sessionKind() == SessionKind::Wayland || sessionKind() == SessionKind::XWayland;
    if (x11Session)
        services->hotKeys = createHotKeyService();
    else if (waylandSession)
        services->hotKeys = std::make_unique<PortalHotKeys>();
    services->sampler = std::make_unique<PortalColorPicker>();
    services->clipboard = std::make_unique<QtClipboard>();
    services->alerts = std::make_unique<QtAlerts>();
    services->fileDialogs = std::make_unique<QtFileDialogs>();
    services->autostart = std::make_unique<XdgAutostart>();
    services->workspace = std::make_unique<DesktopWorkspace>();
    services->notifications = std::make_unique<DesktopNotifications>();
    services->trayHostPresent = &pigmentry::trayHostPresent;
    services->watchTrayHost = &pigmentry::watchTrayHost;

    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    std::unique_ptr<X11ScreenSource> source =
        x11Session && x11 && x11->connection() ? X11ScreenSource::create() : nullptr;
    std::unique_ptr<X11Overlay> overlay = source ? X11Overlay::create() : nullptr;
    if (source && overlay) {
        services->screenAccess = std::make_unique<X11ScreenAccess>(*source);
        services->overlay = std::move(overlay);
        services->screens = std::move(source);
    }
    // Wayland, and Qt on XWayland: a screenshot through the portal at each
    // pick, and the precision pick on that frozen frame.
    if (!source && waylandSession) {
        auto frozen = std::make_unique<FrozenScreenSource>();
        services->screenAccess = std::make_unique<FrozenScreenAccess>(*frozen, std::make_unique<PortalScreenshot>());
        services->overlay = std::make_unique<FrozenOverlay>(*frozen);
        services->screens = std::move(frozen);
    }
    // Window hints reach XWayland's window manager as well.
    if (x11 && x11->connection())
        services->taskbar = std::make_unique<X11Taskbar>();
    services->fillUnavailable();
    return services;
}

} // namespace pigmentry
