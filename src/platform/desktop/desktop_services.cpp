// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/desktop_services.h"

#include <QCoreApplication>
#include <QImage>
#include <QTimer>

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
    Result show(const QList<PickerScreen> &) override
    {
        return Result::failure(QStringLiteral("this session offers no overlay"));
    }
    void hide() override { }
    void present(const Magnifier &, const QPointF &, const QRectF &) override { }
};

class NoAccess : public ScreenAccess {
public:
    bool preflight() override { return false; }
    void request(Granted done) override { done(false); }
    void openSettings() override { }
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

class NoClipboard : public Clipboard {
public:
    void setText(const QString &) override { }
};

class NoNotifications : public Notifications {
public:
    void show(const QString &, const QImage &, int) override { }
    bool isAvailable() const override { return false; }
};

class NoTaskbar : public Taskbar {
public:
    void setShown(QWidget *, bool) override { }
};

class NoAutostart : public Autostart {
public:
    bool isEnabled() const override { return false; }
    Result setEnabled(bool) override
    {
        return Result::failure(
            QCoreApplication::translate("DesktopServices", "Starting at login is not available on this desktop."));
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

} // namespace pigmentry
