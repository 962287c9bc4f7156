#pragma once

#include "platform/picker_services.h"
#include "shortcut/hot_key_service.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QSystemTrayIcon;
class QMenu;

namespace pigmentry {

class Popover;
class Preferences;
class ScreenPicker;
class ShortcutSettings;
class Store;
class StudioWindow;

// The one object that owns the models and the desktop objects for the life of
// the process: it puts the icon into the tray, shows the popover, creates and
// reuses the Studio window, and turns every pick request into one pick whose
// colour goes into the store.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    // The desktop services are created here unless given (tests give fakes).
    AppDelegate(Preferences &prefs, const QString &libraryPath = QString(),
                std::unique_ptr<HotKeyService> hotKeys = nullptr, std::unique_ptr<PickerServices> pickers = nullptr,
                QObject *parent = nullptr);
    ~AppDelegate() override;

    // The launch steps; arguments are the process arguments after the program.
    void launch(const QStringList &arguments);

    void toggle();
    void pick();
    void openStudio();
    // What a second launch asks of the running one.
    void handOver(const QStringList &arguments, const std::function<void(const QString &)> &reply);

    Store &store() const { return *store_; }
    ShortcutSettings &shortcut() const { return *shortcut_; }
    ScreenPicker &picker() const { return *picker_; }
    Popover &popover() const { return *popover_; }
    StudioWindow *window() const { return window_; }
    QSystemTrayIcon *tray() const { return tray_; }

    // Writes a screenshot of the popover and of every Studio page into folder.
    QStringList saveTour(const QString &folder);

private:
    Preferences &prefs;
    std::unique_ptr<HotKeyService> hotKeys;
    std::unique_ptr<PickerServices> pickers;
    std::unique_ptr<Store> store_;
    std::unique_ptr<ScreenPicker> picker_;
    std::unique_ptr<ShortcutSettings> shortcut_;
    QSystemTrayIcon *tray_ = nullptr;
    std::unique_ptr<QMenu> trayMenu;
    std::unique_ptr<Popover> popover_;
    StudioWindow *window_ = nullptr;
};

} // namespace pigmentry
