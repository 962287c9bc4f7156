// SPDX-License-Identifier: GPL-3.0-or-later
#include "frozen_screen_access.h"

#include "desktop_screens.h"
#include "desktop_workspace.h"
#include "picker/frozen_screen_source.h"
#include "portal/portal_screenshot.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace pigmentry {

namespace {

// A transparent full-screen window without a cursor. The pointer entering
// it, or moving over it, reports its place; a moment after it first enters,
// the compositor has taken the empty cursor and the blind is ready.
class CursorBlind : public QWidget {
public:
    CursorBlind(QScreen *screen, std::function<void(const QPointF &)> moved, std::function<void()> ready)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
        , moved_(std::move(moved))
        , ready_(std::move(ready))
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_NoSystemBackground);
        setCursor(Qt::BlankCursor);
        setMouseTracking(true);
        setScreen(screen);
        setGeometry(screen->geometry());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect(), Qt::transparent);
    }
    void enterEvent(QEnterEvent *event) override { entered(event->position()); }
    void mouseMoveEvent(QMouseEvent *event) override { entered(event->position()); }

private:
    void entered(const QPointF &local)
    {
        moved_(QPointF(geometry().topLeft()) + local);
        if (!std::exchange(armed_, true))
            QTimer::singleShot(50, this, [this] { ready_(); });
    }

    std::function<void(const QPointF &)> moved_;
    std::function<void()> ready_;
    bool armed_ = false;
};

// GNOME Shell leaves the pointer out of its screenshots, and hides its top
// bar while a full-screen window is shown: there the blind would take the
// bar out of the frame and save nothing.
bool desktopPaintsThePointer()
{
    const QList<QByteArray> desktops = qgetenv("XDG_CURRENT_DESKTOP").toLower().split(':');
    return !desktops.contains("gnome");
}

} // namespace

FrozenScreenAccess::FrozenScreenAccess(FrozenScreenSource &source, std::unique_ptr<PortalScreenshot> screenshot)
    : source_(source)
    , screenshot_(std::move(screenshot))
{ }

FrozenScreenAccess::~FrozenScreenAccess()
{
    lift();
}

void FrozenScreenAccess::request(Granted done)
{
    failure_.clear();
    lift();
    // The pointer of an earlier pick is no guide to this one.
    source_.clear();
    if (!desktopPaintsThePointer() || !qobject_cast<QApplication *>(QCoreApplication::instance())) {
        shoot(std::move(done));
        return;
    }
    // The shot is taken once the pointer is over a blind, or after the wait.
    auto pending = std::make_shared<Granted>(std::move(done));
    auto go = [this, pending] {
        if (*pending)
            shoot(std::exchange(*pending, nullptr));
    };
    FrozenScreenSource *frames = &source_;
    for (QScreen *screen : QGuiApplication::screens()) {
        auto *blind = new CursorBlind(
            screen, [frames](const QPointF &global) { frames->setPointer(global); }, go);
        blind->showFullScreen();
        blinds_.append(blind);
    }
    if (blinds_.isEmpty())
        go();
    else
        QTimer::singleShot(blindWaitMs, blinds_.first(), go);
}

void FrozenScreenAccess::shoot(Granted done)
{
    FrozenScreenSource *frames = &source_;
    screenshot_->take([this, frames, done = std::move(done)](const QImage &shot, const QString &error, bool refused) {
        lift();
        if (!error.isEmpty()) {
            qInfo("No screenshot for the pick: %s", qPrintable(error));
            // A refusal is the desktop's policy, answered with the way to
            // change it; anything else is a failure, said as such.
            if (!refused)
                failure_ = error;
        }
        done(frames->load(shot, desktopScreens()));
    });
}

void FrozenScreenAccess::lift()
{
    for (const QPointer<QWidget> &blind : std::exchange(blinds_, {})) {
        if (blind) {
            blind->hide();
            blind->deleteLater();
        }
    }
}

void FrozenScreenAccess::openSettings()
{
    openDesktopPrivacySettings();
}

} // namespace pigmentry
