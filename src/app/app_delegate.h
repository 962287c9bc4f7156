// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"
#include "platform/single_instance.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUndoStack>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

class QSystemTrayIcon;
class QMenu;

namespace pigmentry {

namespace instance {
struct PickOptions;
}
struct DesktopServices;
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
    // A pick that goes on (Shift with each colour) whose colours also go at
    // the end of the palette, as they are picked.
    void pickIntoPalette(const QUuid &palette);
    // A pick whose colours become a new palette, "Picked" and the date,
    // made when it ends with at least one colour.
    void pickNewPalette();
    void openStudio();
    // What follows every pick: the store's capture, the tray's tooltip, and a
    // notification when no window of ours shows.
    void picked(const RGBA &color);
    static constexpr int notificationMs = 3000;
    // A pick for `pigmentry pick`: as from the shortcut, and the reply says
    // "picked<TAB>CODE" (the format given, else the default), "cancelled",
    // "refused<TAB>REASON" while another pick is under way, or
    // "invalid<TAB>REASON" for a palette that is not there or not one. A
    // pick that goes on (options.multiple) gives each colour as an interim
    // "picked" and ends with "done" or "cancelled".
    void pickFor(const instance::PickOptions &options, const SingleInstance::Reply &reply, QObject *caller);
    // Ends the program, whatever windows are open.
    void quit();
    // What a second launch asks of the running one.
    void handOver(const QStringList &arguments, const SingleInstance::Reply &reply, QObject *caller = nullptr);

    // The colour library, read from its file when first asked for.
    Store &store() const;
    ShortcutSettings &shortcut() const { return *shortcut_; }
    ScreenPicker &picker() const { return *picker_; }
    DesktopServices &desktop() const { return *desktop_; }
    Popover &popover() const { return *popover_; }
    StudioWindow *window() const { return window_.get(); }
    // The Studio's undo stack, which a pick into a palette also uses.
    QUndoStack &undoStack() { return undo_; }
    QSystemTrayIcon *tray() const { return tray_; }

private:
    // The shortcut picks from now on.
    void armShortcut();
    void finishLaunch(const QStringList &arguments);
    // The first start's tray message, or the status text where no tray is.
    void welcome();
    // The popover's content is built the first time it is shown.
    void showPopover();
    // Keeps the Studio's size and place for the next run.
    void saveStudioGeometry();
    // Starts a pick whose colours go to each, then into the palette of the
    // session, if any; false when none could start.
    bool startPick(const QUuid &palette, bool newPalette, int sample, std::function<void(const RGBA &)> each);
    // The end of every pick: a session's palette is made or its additions
    // become one step to undo.
    void pickEnded();
    // Says text where no notification service does: in the tray's own
    // message.
    void notify(const QString &text, const QImage &icon);

    // Where a pick's colours go besides the history.
    struct PickSession {
        QUuid palette; // the palette picked into, if any
        bool newPalette = false; // a palette made of the colours at the end
        QList<RGBA> colors;
        QList<qsizetype> positions; // where they went in the palette
    };
    std::optional<PickSession> session_;

    Preferences &prefs_;
    QUndoStack undo_;
    std::unique_ptr<DesktopServices> desktop_;
    QString libraryPath_;
    mutable std::unique_ptr<Store> store_;
    std::unique_ptr<ScreenPicker> picker_;
    std::unique_ptr<ShortcutSettings> shortcut_;
    QSystemTrayIcon *tray_ = nullptr;
    std::unique_ptr<QMenu> trayMenu_;
    std::unique_ptr<Popover> popover_;
    // Last, so that it goes first: it uses everything above.
    std::unique_ptr<StudioWindow> window_;
};

} // namespace pigmentry
