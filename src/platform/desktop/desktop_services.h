// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/library/clipboard.h"
#include "model/result.h"
#include "picker/screen_picker.h"
#include "shortcut/hot_key_service.h"
#include "tools/alerts.h"
#include "tools/file_dialogs.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QImage;
class QWidget;

namespace pigmentry {

// "Show in taskbar" for one window, applied at once.
class Taskbar {
public:
    virtual ~Taskbar() = default;
    virtual void setShown(QWidget *window, bool shown) = 0;
};

// Starting Pigmentry when the user logs in.
class Autostart {
public:
    virtual ~Autostart() = default;
    virtual bool isEnabled() const = 0;
    virtual Result setEnabled(bool enabled) = 0;
};

// Places of the desktop that Pigmentry opens for the user.
class Workspace {
public:
    virtual ~Workspace() = default;
    // Shows a folder in the file manager; false when nothing could open it.
    virtual bool openFolder(const QString &path) = 0;
    // The desktop's privacy settings where they are known; false otherwise.
    virtual bool openPrivacySettings() = 0;
};

// Short notices outside any window of ours, such as after a pick from the
// shortcut with no window showing.
class Notifications {
public:
    virtual ~Notifications() = default;
    // One notification that replaces the last, takes no focus and is gone
    // after timeoutMs; icon may be null.
    virtual void show(const QString &summary, const QImage &icon, int timeoutMs) = 0;
    // Whether a notification service would show it now.
    virtual bool isAvailable() const { return true; }
};

// Every service of the desktop that Pigmentry uses, made once at start for
// the session it runs in (platform/desktop_factory.h), or of fakes in tests.
// Each one is always present: where the session offers nothing, a stand-in
// says so ("unavailable") instead of failing.
struct DesktopServices {
    std::unique_ptr<HotKeyService> hotKeys;
    std::unique_ptr<ScreenSource> screens;
    std::unique_ptr<PickerOverlay> overlay;
    std::unique_ptr<DesktopSampler> sampler;
    std::unique_ptr<ScreenAccess> screenAccess;
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<Taskbar> taskbar;
    std::unique_ptr<Autostart> autostart;
    std::unique_ptr<Alerts> alerts;
    std::unique_ptr<FileDialogs> fileDialogs;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<Notifications> notifications;
    // Whether a tray host runs now, asked afresh at each call.
    std::function<bool()> trayHostPresent;
    // Calls the function, for the life of the object, when a tray host may
    // have come up since.
    std::function<void(QObject *, std::function<void()>)> watchTrayHost;

    ScreenPicker::Desktop pickerDesktop() const { return {*screens, *overlay, *sampler, *screenAccess, *alerts}; }
    // Puts the unavailable stand-in wherever a service is still missing.
    void fillUnavailable();
};

// The hot-key service where the session offers none: every registration is
// refused with NoService.
class UnavailableHotKeys : public HotKeyService {
public:
    int registerHotKey(quint32, quint32, quint32 *) override { return NoService; }
    void unregisterHotKey(quint32) override { }
};

} // namespace pigmentry
