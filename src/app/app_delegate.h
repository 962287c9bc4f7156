// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QSystemTrayIcon;
class QMenu;

namespace pigmentry {

struct DesktopServices;
class Popover;
struct RGBA;
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
    // desktop: the services of the session (createDesktopServices()), or
    // fakes in tests.
    AppDelegate(Preferences &prefs, std::unique_ptr<DesktopServices> desktop, const QString &libraryPath = QString(),
                QObject *parent = nullptr);
    ~AppDelegate() override;

    // The launch steps; arguments are the process arguments after the program.
    // Started by the login entry ("--autostart"), it first waits up to
    // trayWait for a tray host, which may start after it.
    void launch(const QStringList &arguments);
    // Nothing can be saved (the library's folder cannot be written): the
    // library lives in memory, and why is said once, at the start.
    void saveNothing(const QString &why);
    static constexpr int trayWait = 10000;

    void toggle();
    void pick();
    void openStudio();
    // What follows every pick: the store's capture, the tray's tooltip, and a
    // notification when no window of ours shows.
    void picked(const RGBA &color);
    static constexpr int notificationMs = 3000;
    // A pick for `pigmentry pick`: as from the shortcut, and the reply says
    // "picked<TAB>CODE" (the format given, else the default), "cancelled",
    // or "refused<TAB>REASON" while another pick is under way.
    void pickFor(const QString &format, const std::function<void(const QString &)> &reply, QObject *caller);
    // Ends the program, whatever windows are open.
    void quit();
    // What a second launch asks of the running one.
    void handOver(const QStringList &arguments, const std::function<void(const QString &)> &reply,
                  QObject *caller = nullptr);

    Store &store() const { return *store_; }
    ShortcutSettings &shortcut() const { return *shortcut_; }
    ScreenPicker &picker() const { return *picker_; }
    DesktopServices &desktop() const { return *desktop_; }
    Popover &popover() const { return *popover_; }
    StudioWindow *window() const { return window_.get(); }
    QSystemTrayIcon *tray() const { return tray_; }

private:
    // The shortcut picks from now on.
    void armShortcut();
    void finishLaunch(const QStringList &arguments);
    // The first start's tray message, or the status text where no tray is.
    void welcome();
    // The popover's content is built the first time it is shown.
    void showPopover();

    Preferences &prefs;
    std::unique_ptr<DesktopServices> desktop_;
    std::unique_ptr<Store> store_;
    std::unique_ptr<ScreenPicker> picker_;
    std::unique_ptr<ShortcutSettings> shortcut_;
    QSystemTrayIcon *tray_ = nullptr;
    std::unique_ptr<QMenu> trayMenu;
    std::unique_ptr<Popover> popover_;
    // Last, so that it goes first: it uses everything above.
    std::unique_ptr<StudioWindow> window_;
};

} // namespace pigmentry
