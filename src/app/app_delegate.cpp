// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_delegate.h"

#include "app/tour.h"
#include "gui/kit/theme.h"
#include "gui/popover/menu_content.h"
#include "gui/popover/popover.h"
#include "gui/studio/collection_edits.h"
#include "gui/studio/studio_window.h"
#include "model/color/color_names.h"
#include "model/library/preferences.h"
#include "model/library/store.h"
#include "picker/screen_picker.h"
#include "platform/desktop/desktop_services.h"
#include "platform/instance_protocol.h"
#include "platform/taskbar.h"
#include "shortcut/shortcut_settings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QDeadlineTimer>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

#include <numeric>

namespace pigmentry {

namespace {

// Closing the Studio only hides it: its view state lives on, and so does its
// native window with the desktop's hints on it. A plain close would hide the
// widget too, but Qt then destroys the platform window, which comes back as a
// new one without those hints.
class HideOnClose : public QObject {
public:
    HideOnClose(QObject *parent, std::function<void()> closing)
        : QObject(parent)
        , closing_(std::move(closing))
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close) {
            event->ignore();
            closing_();
            static_cast<QWidget *>(watched)->hide();
            return true;
        }
        return false;
    }

private:
    std::function<void()> closing_;
};

// Where the Studio's size and place are kept between runs.
const QString studioGeometryKey = QStringLiteral("studioGeometry");

} // namespace

AppDelegate::AppDelegate(Preferences &prefs, std::unique_ptr<DesktopServices> desktop, const QString &libraryPath,
                         QObject *parent)
    : QObject(parent)
    , prefs_(prefs)
    , desktop_(std::move(desktop))
    , libraryPath_(libraryPath)
{
    desktop_->fillUnavailable();
    undo_.setUndoLimit(50);
    picker_ = std::make_unique<ScreenPicker>(prefs, desktop_->pickerDesktop());
    connect(picker_.get(), &ScreenPicker::ended, this, &AppDelegate::pickEnded);
    shortcut_ = std::make_unique<ShortcutSettings>(prefs, *desktop_->hotKeys);
    popover_ = std::make_unique<Popover>();
}

AppDelegate::~AppDelegate() = default;

Store &AppDelegate::store() const
{
    if (!store_)
        store_ = std::make_unique<Store>(prefs_, *desktop_->clipboard, libraryPath_);
    return *store_;
}

void AppDelegate::launch(const QStringList &arguments)
{
    if (!arguments.contains(QStringLiteral("--autostart")) || desktop_->trayHostPresent()) {
        finishLaunch(arguments);
        return;
    }
    // At login the panel may come up after Pigmentry, and Qt's tray check
    // keeps its first answer: ask again until a tray host runs or the wait
    // is over. The shortcut works meanwhile.
    armShortcut();
    // The wait ends when a host announces itself, or at the limit.
    auto *waiting = new QObject(this);
    auto done = std::make_shared<bool>(false);
    auto finish = [this, waiting, arguments, done] {
        if (std::exchange(*done, true))
            return;
        waiting->deleteLater();
        finishLaunch(arguments);
    };
    desktop_->watchTrayHost(waiting, [this, finish] {
        if (desktop_->trayHostPresent())
            finish();
    });
    QTimer::singleShot(trayWait, waiting, finish);
}

void AppDelegate::saveNothing(const QString &why)
{
    store().saveNothing(tr("Nothing will be saved: %1. Your colors stay until Pigmentry quits.").arg(why));
}

void AppDelegate::armShortcut()
{
    shortcut_->action = [self = QPointer<AppDelegate>(this)] {
        if (self)
            self->pick();
    };
    shortcut_->activate();
}

void AppDelegate::finishLaunch(const QStringList &arguments)
{
    // The tray icon, with a menu for hosts that only ever show one.
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        // The application's own coloured icon reads on light and dark panels.
        tray_ = new QSystemTrayIcon(QIcon(QStringLiteral(":/io.github.pigmentry.Pigmentry.svg")), this);
        tray_->setToolTip(QStringLiteral("Pigmentry"));
        trayMenu_ = std::make_unique<QMenu>();
        trayMenu_->addAction(tr("Pick Color"), this, &AppDelegate::pick);
        trayMenu_->addAction(tr("Pick a New Palette"), this, &AppDelegate::pickNewPalette);
        trayMenu_->addAction(tr("Open Color Studio"), this, &AppDelegate::openStudio);
        trayMenu_->addSeparator();
        trayMenu_->addAction(tr("Quit"), this, &AppDelegate::quit);
        tray_->setContextMenu(trayMenu_.get());
        connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger)
                toggle();
        });
        tray_->show();
    }

    if (!shortcut_->action)
        armShortcut();

    if (tray_) {
        // The icon first: the library is read once it is on its way to the
        // tray, and whatever asks for the library before reads it then.
        QTimer::singleShot(0, this, [this] {
            store();
            welcome();
        });
    } else {
        welcome();
    }

    // Never unreachable: without a tray the Studio opens at launch.
    if (arguments.contains(QStringLiteral("--studio")) || !tray_ || prefs_.openAtLaunch())
        openStudio();
}

void AppDelegate::welcome()
{
    if (!tray_) {
        // Said once a launch, in the Studio that opens in the tray's place;
        // never over a failure found at start (a library set aside).
        if (!store().notice().isEmpty())
            return;
        // The shortcut is promised only while it is registered; a desktop
        // that refuses it later (a portal answers late) changes the remark.
        auto remark = [this] {
            return shortcut_->registered() ? tr("No tray icon here: the shortcut still picks after this window is "
                                                "closed, and starting Pigmentry again reopens it.")
                                           : tr("No tray icon here: starting Pigmentry again reopens this window.");
        };
        store().setNotice(remark(), Store::NoticeKind::Info);
        connect(shortcut_.get(), &ShortcutSettings::registeredChanged, this,
                [this, remark, said = std::make_shared<QString>(remark())] {
                    if (store().notice() != *said)
                        return;
                    *said = remark();
                    store().setNotice(*said, Store::NoticeKind::Info);
                });
        return;
    }
    // Nothing can be saved: that is the tray's first word, at every start.
    if (store().savesNothing()) {
        tray_->showMessage(QStringLiteral("Pigmentry"), store().notice(),
                           QIcon(QStringLiteral(":/io.github.pigmentry.Pigmentry.svg")), 10000);
        return;
    }
    // Where Pigmentry went, on the very first start only.
    if (prefs_.value(preference::welcomed))
        return;
    prefs_.set(preference::welcomed, true);
    // The message points at the icon: it waits until the tray has placed the
    // icon (a balloon shown before appears in the screen's corner), for up to
    // five seconds. The shortcut is promised as it stands then: a desktop
    // portal has answered by that time.
    auto *timer = new QTimer(this);
    timer->setInterval(100);
    connect(timer, &QTimer::timeout, this, [this, timer, deadline = QDeadlineTimer(5000)] {
        if (tray_->geometry().isEmpty() && !deadline.hasExpired())
            return;
        timer->deleteLater();
        const QString how = shortcut_->registered()
            ? tr("Press %1 to pick a color.").arg(shortcut_->configuration().display())
            : tr("Click its icon to pick a color.");
        const QString message = tr("Pigmentry is in the tray. ") + how;
        tray_->showMessage(QStringLiteral("Pigmentry"), message,
                           QIcon(QStringLiteral(":/io.github.pigmentry.Pigmentry.svg")), 10000);
    });
    timer->start();
}

void AppDelegate::toggle()
{
    if (popover_->isVisible()) {
        popover_->hide();
        return;
    }
    showPopover();
}

void AppDelegate::showPopover()
{
    if (!popover_->content())
        popover_->setContent(new MenuContent(
            store(), *shortcut_,
            {[this] { pick(); }, [this] { pickNewPalette(); }, [this] { openStudio(); }, [this] { quit(); }}));
    popover_->showAt(tray_ ? tray_->geometry() : QRect());
}

void AppDelegate::pick()
{
    startPick(QUuid(), false, 0, nullptr);
}

void AppDelegate::pickIntoPalette(const QUuid &palette)
{
    startPick(palette, false, 0, nullptr);
}

void AppDelegate::pickNewPalette()
{
    startPick(QUuid(), true, 0, nullptr);
}

bool AppDelegate::startPick(const QUuid &palette, bool newPalette, int sample, std::function<void(const RGBA &)> each)
{
    popover_->hide();
    if (picker_->isActive())
        return false;
    if (!palette.isNull() || newPalette)
        session_ = PickSession{palette, newPalette, {}, {}};
    else
        session_.reset();
    picker_->start(
        [this, each = std::move(each)](const RGBA &color) {
            picked(color);
            if (session_ && !session_->newPalette) {
                const Library &library = store().library();
                const auto target = std::find_if(library.palettes.cbegin(), library.palettes.cend(),
                                                 [this](const Palette &p) { return p.id == session_->palette; });
                // A palette deleted meanwhile takes no more.
                if (target != library.palettes.cend()) {
                    session_->positions.append(target->colors.size());
                    store().addColorsToPalette(session_->palette, {color});
                }
            }
            if (session_)
                session_->colors.append(color);
            if (each)
                each(color);
        },
        sample);
    if (!picker_->isActive()) {
        session_.reset();
        return false;
    }
    return true;
}

void AppDelegate::pickEnded()
{
    const std::optional<PickSession> ended = std::exchange(session_, std::nullopt);
    if (!ended || ended->colors.isEmpty())
        return;
    if (ended->newPalette) {
        Palette palette;
        palette.id = QUuid::createUuid();
        palette.name = tr("Picked %1").arg(QLocale().toString(QDate::currentDate(), QStringLiteral("d MMM yyyy")));
        palette.colors = ended->colors;
        store().appendPalette(palette);
        QList<qsizetype> positions(ended->colors.size());
        std::iota(positions.begin(), positions.end(), 0);
        undoable::pickedIntoPalette(store(), undo_, palette.id, positions, true);
        const int count = int(ended->colors.size());
        store().setNotice(
            (count == 1 ? tr("New palette “%1” with 1 color") : tr("New palette “%1” with %n colors", nullptr, count))
                .arg(palette.name),
            Store::NoticeKind::Done);
        return;
    }
    undoable::pickedIntoPalette(store(), undo_, ended->palette, ended->positions, false);
}

void AppDelegate::picked(const RGBA &color)
{
    store().capture(color);
    if (tray_)
        tray_->setToolTip(tr("Pigmentry — last color %1").arg(color.hex()));
    // With no window of ours showing, the pick would otherwise pass unseen.
    const bool seen = window_ && window_->isVisible() && !window_->isMinimized();
    if (seen || !prefs_.notifyAfterPick())
        return;
    const QString code = store().defaultCode(color);
    // The code, then what the colour is called.
    const QString text = (prefs_.autoCopy() ? tr("Copied %1").arg(code) : tr("Picked %1").arg(code))
        + QStringLiteral(" · ") + colorName(color);
    QImage icon(64, 64, QImage::Format_RGB32);
    QColor shown = theme::color(color);
    shown.setAlpha(255);
    icon.fill(shown);
    notify(text, icon);
}

void AppDelegate::notify(const QString &text, const QImage &icon)
{
    if (desktop_->notifications->isAvailable() || !tray_ || !QSystemTrayIcon::supportsMessages()) {
        desktop_->notifications->show(text, icon, notificationMs);
        return;
    }
    tray_->showMessage(QStringLiteral("Pigmentry"), text, QIcon(QPixmap::fromImage(icon)), notificationMs);
}

void AppDelegate::pickFor(const instance::PickOptions &options, const SingleInstance::Reply &reply, QObject *caller)
{
    // One pick at a time, as from the shortcut; the command is told why.
    using instance::Outcome;
    if (picker_->isActive()) {
        reply(instance::encodeReply({Outcome::Refused, QString(), tr("A pick is already under way.")}));
        return;
    }
    QUuid palette;
    if (!options.palette.isEmpty()) {
        QList<QUuid> named;
        for (const Palette &p : store().library().palettes) {
            if (p.name == options.palette)
                named.append(p.id);
        }
        if (named.size() != 1) {
            reply(instance::encodeReply({Outcome::Invalid, QString(),
                                         named.isEmpty() ? tr("No palette is named “%1”.").arg(options.palette)
                                                         : tr("%1 palettes are named “%2”: rename all but one first.")
                                                               .arg(named.size())
                                                               .arg(options.palette)}));
            return;
        }
        palette = named.first();
    }
    auto answered = std::make_shared<bool>(false);
    auto count = std::make_shared<int>(0);
    auto ended = std::make_shared<QMetaObject::Connection>();
    *ended = connect(picker_.get(), &ScreenPicker::ended, this, [reply, answered, ended, count] {
        disconnect(*ended);
        if (!std::exchange(*answered, true))
            reply(instance::encodeReply({*count > 0 ? Outcome::Done : Outcome::Cancelled, QString(), QString()}));
    });
    // The command that asked was ended (Ctrl+C): so is its pick.
    if (caller) {
        connect(caller, &QObject::destroyed, this, [this, answered] {
            if (!std::exchange(*answered, true) && picker_->isRunning())
                picker_->finish(false);
        });
    }
    const QString format = options.format;
    const bool multiple = options.multiple;
    const bool started =
        startPick(palette, false, options.sample, [this, reply, format, multiple, answered, count](const RGBA &color) {
            if (*answered)
                return;
            ++*count;
            // The code, and why it is not in the saved history when it is not.
            const QString unsaved = store().unsaved().isEmpty()
                ? QString()
                : tr("The color is not in the saved history: %1").arg(store().unsaved());
            const QString code = color.formatted(format.isEmpty() ? prefs_.format() : format);
            // One colour answers a plain pick; a pick that goes on gives each.
            if (!multiple)
                *answered = true;
            reply(instance::encodeReply({Outcome::Picked, code, unsaved}), multiple);
        });
    if (!started && !*answered) {
        disconnect(*ended);
        *answered = true;
        reply(instance::encodeReply({Outcome::Cancelled, QString(), QString()}));
    }
}

void AppDelegate::openStudio()
{
    popover_->hide();
    if (!window_) {
        window_ = std::make_unique<StudioWindow>(
            store(), *shortcut_, prefs_, *desktop_, [this] { pick(); }, &undo_);
        window_->setPickIntoPalette([this](const QUuid &palette) { pickIntoPalette(palette); });
        window_->installEventFilter(new HideOnClose(window_.get(), [this] { saveStudioGeometry(); }));
        // The window keeps the application's icon, as its desktop entry
        // and the dock show it.
        desktop_->taskbar->setShown(window_.get(), prefs_.showDock());
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            // On a small screen the window starts smaller, leaving room for
            // the desktop's title bar and panels, down to its smallest size.
            const QSize room = screen->availableGeometry().size() - QSize(16, 80);
            window_->resize(window_->size().boundedTo(room).expandedTo(window_->minimumSize()));
            QRect frame(QPoint(), window_->size());
            frame.moveCenter(screen->availableGeometry().center());
            window_->move(frame.topLeft());
        }
        // The size and place of the last run, kept within today's screens
        // (Qt moves a place that is off them back on) and never below the
        // smallest size.
        if (const std::optional<QByteArray> kept = prefs_.data(studioGeometryKey);
            kept && window_->restoreGeometry(*kept))
            window_->resize(window_->size().expandedTo(window_->minimumSize()));
    }
    bringToFront(window_.get());
}

void AppDelegate::saveStudioGeometry()
{
    if (window_)
        prefs_.setData(studioGeometryKey, window_->saveGeometry());
}

void AppDelegate::quit()
{
    // Every change is saved when it is made, so nothing waits. exit() rather
    // than quit(): quit() first asks the windows to close, and the Studio
    // only hides on close, which would stop the quit there.
    popover_->hide();
    if (picker_->isRunning())
        picker_->finish(false);
    if (window_ && window_->isVisible())
        saveStudioGeometry();
    QCoreApplication::exit(0);
}

void AppDelegate::handOver(const QStringList &arguments, const SingleInstance::Reply &reply, QObject *caller)
{
    using instance::Outcome;
    QString why;
    const std::optional<instance::Request> request = instance::decodeRequest(arguments, &why);
    if (!request) {
        reply(instance::encodeReply({Outcome::Refused, QString(), why}));
        return;
    }
    switch (request->verb) {
    case instance::Verb::Tour:
        reply(instance::encodeReply(
            {Outcome::Done, QString(),
             saveTour(*this, request->arguments.value(0), request->arguments.value(1)).join(u'\n')}));
        return;
    case instance::Verb::Quit:
        reply(instance::encodeReply({}));
        quit();
        return;
    case instance::Verb::Pick: pickFor(instance::pickOptions(request->arguments), reply, caller); return;
    case instance::Verb::Open:
        // Launching again does what reopening does.
        openStudio();
        reply(instance::encodeReply({}));
        return;
    }
}

} // namespace pigmentry
