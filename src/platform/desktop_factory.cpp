// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_factory.h"

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

class X11Taskbar : public Taskbar {
public:
    void setShown(QWidget *window, bool shown) override { setShownInTaskbar(window, shown); }
};

// No screen access in this session; the desktop's privacy settings may still
// tell the user why.
class SettingsOnlyAccess : public ScreenAccess {
public:
    bool preflight() override { return false; }
    void request(Granted done) override { done(false); }
    void openSettings() override { openDesktopPrivacySettings(); }
};

} // namespace

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
    if (!services->screenAccess)
        services->screenAccess = std::make_unique<SettingsOnlyAccess>();
    services->fillUnavailable();
    return services;
}

} // namespace pigmentry
