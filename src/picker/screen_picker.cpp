// SPDX-License-Identifier: GPL-3.0-or-later
#include "screen_picker.h"

#include "magnifier.h"
#include "model/color/color_names.h"
#include "model/library/preferences.h"
#include "screen_geometry.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QScopedValueRollback>

#include <cmath>

namespace pigmentry {

namespace {

QString failureTitle()
{
    return QCoreApplication::translate("ScreenPicker", "Color picking could not continue");
}

} // namespace

ScreenPicker::ScreenPicker(Preferences &prefs, Desktop desktop, QObject *parent)
    : QObject(parent)
    , clock([] { return QDeadlineTimer::current().deadline(); })
    , prefs(prefs)
    , desktop(desktop)
{
    timer.setInterval(interval);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &ScreenPicker::update);
    desktop.overlay.input = [this](const PickerInput &input) { handle(input); };
    desktop.overlay.failed = [this](const QString &reason) {
        if (!running)
            return;
        finish(false);
        inform(failureTitle(), tr("The desktop could not start screen capture: ") + reason);
    };
}

void ScreenPicker::inform(const QString &message, const QString &informative)
{
    const QScopedValueRollback<bool> open(alertOpen, true);
    desktop.alerts.inform(message, informative);
}

int ScreenPicker::ask(const QString &message, const QString &informative, const QStringList &buttons)
{
    const QScopedValueRollback<bool> open(alertOpen, true);
    return desktop.alerts.ask(message, informative, buttons);
}

ScreenPicker::~ScreenPicker()
{
    desktop.overlay.input = nullptr;
    desktop.overlay.failed = nullptr;
    if (running)
        desktop.overlay.hide();
}

std::optional<PickerScreen> ScreenPicker::screenAt(const QPointF &position) const
{
    return pigmentry::screenAt(desktop.source.screens(), position);
}

void ScreenPicker::start(Completion newCompletion, int sample)
{
    if (isActive())
        return;
    sample_ = Preferences::isSampleSize(sample) ? sample : prefs.sampleSize();
    if (prefs.useNativePicker()) {
        startNative(std::move(newCompletion));
        return;
    }
    if (desktop.access.preflight()) {
        begin(std::move(newCompletion));
        return;
    }
    accessPending = true;
    QPointer<ScreenPicker> self(this);
    desktop.access.request([self, done = std::move(newCompletion)](bool granted) mutable {
        if (!self)
            return;
        self->accessPending = false;
        if (granted) {
            self->begin(std::move(done));
        } else if (const QString failure = self->desktop.access.failure(); !failure.isEmpty()) {
            // Nothing to allow: say what failed, and leave the preferences.
            self->inform(failureTitle(), tr("Screen capture failed: ") + failure);
            Q_EMIT self->ended();
        } else {
            self->refused(std::move(done));
        }
    });
}

void ScreenPicker::refused(Completion newCompletion)
{
    const QStringList buttons{tr("Use Desktop Picker"), tr("Open Settings"), tr("Cancel")};
    const int answer = ask(tr("Precision picker needs screen capture access"),
                           tr("This desktop session does not let Pigmentry read the screen. Allow screenshots for "
                              "Pigmentry in your desktop's privacy settings, then try again. You can also switch to "
                              "the desktop's built-in color picker. Change picker mode later in Settings."),
                           buttons);
    if (answer == 0) {
        prefs.set(preference::useNativePicker, true);
        startNative(std::move(newCompletion));
        return;
    }
    if (answer == 1)
        desktop.access.openSettings();
    Q_EMIT ended();
}

void ScreenPicker::begin(Completion newCompletion)
{
    const QList<PickerScreen> screens = desktop.source.screens();
    if (screens.isEmpty()) {
        inform(failureTitle(), tr("No accessible displays were returned by the desktop."));
        Q_EMIT ended();
        return;
    }

    completion = std::move(newCompletion);
    generation = QUuid::createUuid();
    samplePoint.reset();
    pendingConfirm = false;
    pendingKeep = false;
    picked = 0;
    status.clear();
    awaitingPointer = false;
    nudged = false;
    keyMoved = false;
    point = lastMouse = desktop.source.pointer();

    if (const Result shown = desktop.overlay.show(screens); !shown) {
        completion = nullptr;
        inform(failureTitle(), tr("The desktop could not start screen capture: ") + shown.error());
        Q_EMIT ended();
        return;
    }
    running = true;
    panel = true; // shown with the first sample
    eventDriven = desktop.source.reportsChanges() && desktop.overlay.reportsMotion();
    // The pointer may have moved while the windows came up, before the pick
    // listened: where the overlay saw it last counts as its first motion.
    if (eventDriven)
        point = lastMouse = desktop.source.pointer();
    contentChanged = false;
    if (eventDriven) {
        desktop.source.changed = [this] {
            contentChanged = true;
            wake();
        };
    }
    timer.start();
    update();
}

void ScreenPicker::wake()
{
    if (running && !timer.isActive()) {
        timer.start();
        update();
    }
}

void ScreenPicker::handle(const PickerInput &input)
{
    if (!running)
        return;
    switch (input.kind) {
    // Shift keeps the pick open for the next colour.
    case PickerInput::Kind::LeftClick: finish(true, input.shift); return;
    case PickerInput::Kind::RightClick: finish(false); return;
    case PickerInput::Kind::Motion:
        // The pointer moves the position; keyboard nudges stay in force
        // while it rests. After the click the position is the one clicked:
        // the hand moving on at once moves nothing.
        if (eventDriven && !pendingConfirm && input.position != lastMouse) {
            point = lastMouse = input.position;
            wake();
        }
        if (std::exchange(awaitingPointer, false))
            finish(true, std::exchange(pendingKeep, false));
        return;
    case PickerInput::Kind::Key: break;
    }

    // One press moves one device pixel, Shift ten; y grows downwards, so Up
    // subtracts.
    const int step = input.shift ? 10 : 1;
    switch (input.key) {
    case Qt::Key_Escape:
        // A Shift-pick still waiting for its sample is taken, then the
        // pick ends.
        if (pendingConfirm && pendingKeep)
            pendingKeep = false;
        else
            finish(false);
        break;
    case Qt::Key_Return: finish(true, input.shift); break;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        zoom = std::min(zoom + 5, 20);
        contentChanged = true; // the panel shows it with the next frame
        break;
    case Qt::Key_Minus:
        zoom = std::max(zoom - 5, 5);
        contentChanged = true;
        break;
    case Qt::Key_BracketLeft: stepSample(-1); break;
    case Qt::Key_BracketRight: stepSample(1); break;
    case Qt::Key_Left: nudge(-step, 0); break;
    case Qt::Key_Right: nudge(step, 0); break;
    case Qt::Key_Up: nudge(0, -step); break;
    case Qt::Key_Down: nudge(0, step); break;
    default: break;
    }
    wake();
}

void ScreenPicker::stepSample(int direction)
{
    // Kept as the preference: the next pick averages the same square.
    const auto *at = std::find(std::begin(sampleSizes), std::end(sampleSizes), sample_);
    const qsizetype index =
        std::clamp<qsizetype>((at - std::begin(sampleSizes)) + direction, 0, std::size(sampleSizes) - 1);
    if (sampleSizes[index] == sample_)
        return;
    sample_ = sampleSizes[index];
    prefs.set(preference::sampleSize, sample_);
    // The colour changes with the square: the next capture shows it.
    contentChanged = true;
    samplePoint.reset();
}

void ScreenPicker::nudge(int dx, int dy)
{
    // The mark is the user's from now on.
    nudged = true;
    keyMoved = true;
    point = movedByDevicePixels(desktop.source.screens(), point, dx, dy);
}

void ScreenPicker::trackPointer()
{
    // The pointer moves the position only when it really moved, so that
    // keyboard nudges stay in force while it rests.
    const QPointF mouse = desktop.source.pointer();
    if (mouse != lastMouse) {
        point = mouse;
        lastMouse = mouse;
    }
}

void ScreenPicker::finish(bool confirm, bool keepOpen)
{
    // Confirmed before the frame knew where the pointer is, and before any
    // key placed the mark: the pick is of the pixel under the pointer, so
    // it waits a moment for the desktop to say where that is.
    if (confirm && running && eventDriven && !nudged && !pendingConfirm && !desktop.source.knowsPointer()) {
        if (awaitingPointer)
            return;
        awaitingPointer = true;
        pendingKeep = keepOpen;
        QTimer::singleShot(pointerWaitMs, this, [this, pick = generation] {
            if (pick == generation && std::exchange(awaitingPointer, false)) {
                nudged = true; // the mark stays where it is
                finish(true, std::exchange(pendingKeep, false));
            }
        });
        return;
    }
    awaitingPointer = false;
    if (confirm) {
        if (!pendingConfirm && !eventDriven)
            trackPointer();
        if (!(samplePoint && *samplePoint == point)) {
            pendingConfirm = true;
            pendingKeep = keepOpen;
            update();
            return;
        }
        if (keepOpen && running) {
            pendingConfirm = false;
            keepPicking();
            return;
        }
    }

    pendingConfirm = false;
    pendingKeep = false;
    generation = QUuid::createUuid();
    timer.stop();
    if (eventDriven) {
        desktop.source.stopWatching();
        desktop.source.changed = nullptr;
        eventDriven = false;
    }
    if (running)
        desktop.overlay.hide();
    heard.hide();
    running = false;
    panel = false;
    panelRect.reset();
    uncovered = QRectF();

    // Cleared before the call, so that a completion that starts the next
    // pick keeps its own.
    Completion done = std::exchange(completion, nullptr);
    const std::optional<RGBA> picked = std::exchange(sample, std::nullopt);
    if (confirm && picked && done)
        done(*picked);
    Q_EMIT ended();
}

void ScreenPicker::update()
{
    if (!running)
        return;
    // Driven by the desktop's reports, the position is already where the
    // pointer is; otherwise ask where it is, once a pass.
    if (!pendingConfirm && !eventDriven)
        trackPointer();

    const std::optional<PickerScreen> screen = screenAt(point);
    if (!screen)
        return;
    const QRectF &f = screen->frame;
    const double s = screen->scale;
    // The position names a device pixel's top-left corner.
    point.setX(std::min(std::max(point.x(), f.left()), f.right() - 1 / s));
    point.setY(std::min(std::max(point.y(), f.top()), f.bottom() - 1 / s));

    if (captureBusy)
        return;
    // Nothing moved and nothing changed under the position: rest until the
    // desktop reports something.
    if (eventDriven && !contentChanged && !pendingConfirm && samplePoint && *samplePoint == point) {
        timer.stop();
        desktop.source.awaitChanges();
        return;
    }
    QPointF center;
    const QRect region = captureRegion(*screen, &center);

    // A fast move can bring the position under the panel, which the capture
    // would read. Move the panel out of the way first and capture at the next
    // pass, once the windows below have drawn what it uncovered.
    const QRectF seen(f.left() + region.x() / s, f.top() + region.y() / s, regionSide / s, regionSide / s);
    if (panelRect && panelRect->intersects(seen) && !panelHole.contains(seen)) {
        placePanel(shown, *screen);
        return;
    }
    if (uncovered.intersects(seen) && clock() - uncoveredAt < settleMs)
        return;
    const QPointF capturedPoint = point;
    const QUuid g = generation;
    captureBusy = true;
    contentChanged = false;
    if (eventDriven)
        desktop.source.watch(*screen, region);

    QPointer<ScreenPicker> self(this);
    desktop.source.capture(
        *screen, region, [self, g, screen = *screen, center, capturedPoint](const QImage &image, const QString &error) {
            if (!self)
                return;
            self->captureBusy = false;
            if (self->generation != g)
                return;
            if (!error.isEmpty())
                self->failed(tr("Screen capture failed: ") + error);
            else if (self->running)
                self->present(image, screen, center, capturedPoint);
        });
}

void ScreenPicker::failed(const QString &text)
{
    finish(false);
    inform(failureTitle(), text);
}

void ScreenPicker::keepPicking()
{
    // The completion may start nothing (a pick runs), but it may end this
    // one (the caller quits): it is called last.
    const std::optional<RGBA> color = sample;
    if (!color)
        return;
    ++picked;
    status = tr("%n picked · %1 · Esc to finish", nullptr, picked).arg(colorName(*color));
    if (status.size() > 40) // the panel's width in its small font
        status = tr("%n picked · Esc to finish", nullptr, picked);
    shown.status = status;
    if (panelRect) {
        desktop.overlay.present(shown, panelRect->topLeft(),
                                panelHole.isNull() ? QRectF() : panelHole.translated(-panelRect->topLeft()));
        heard.present(shown, panelRect->toAlignedRect(), true);
    }
    const QPointer<ScreenPicker> self(this);
    if (completion)
        completion(*color);
    if (self)
        wake();
}

Magnifier ScreenPicker::magnifierFor(const QImage &captured, const RGBA &color, const QPointF &center) const
{
    return Magnifier{captured, color, zoom, center, sample_, status};
}

void ScreenPicker::present(const QImage &captured, const PickerScreen &screen, const QPointF &center,
                           const QPointF &capturedPoint)
{
    // A pick is always opaque.
    const RGBA color = captured.isNull() ? RGBA{0, 0, 0, 1} : averagedColor(captured, center, sample_);
    sample = color;
    samplePoint = capturedPoint;
    image = captured;

    if (panel)
        placePanel(magnifierFor(image, color, center), screen);

    if (pendingConfirm && samplePoint && *samplePoint == point)
        finish(true, std::exchange(pendingKeep, false));
}

QRect ScreenPicker::captureRegion(const PickerScreen &screen, QPointF *center) const
{
    // 15 x 15 device pixels with the position's pixel in the middle, pushed
    // back inside the display at its edges.
    const QRectF &f = screen.frame;
    const double s = screen.scale;
    const double px = snapped(s * (point.x() - f.left()));
    const double py = snapped(s * (point.y() - f.top()));
    const QSize pixels = screen.pixelSize();
    const double ox = std::floor(std::min(std::max(px - halfSide, 0.0), double(pixels.width() - regionSide)));
    const double oy = std::floor(std::min(std::max(py - halfSide, 0.0), double(pixels.height() - regionSide)));
    const QRect region(int(std::max(ox, 0.0)), int(std::max(oy, 0.0)), regionSide, regionSide);
    if (center)
        *center = QPointF(px - region.x(), py - region.y());
    return region;
}

void ScreenPicker::placePanel(const Magnifier &magnifier, const PickerScreen &screen)
{
    const QPointF topLeft = panelPosition(point, screen.frame);
    // Where the panel is pushed over the position, the capture must see the
    // screen through it, not the panel: the hole is exactly the region the
    // capture at the position reads, in logical coordinates.
    const QRect region = captureRegion(screen, nullptr);
    const QRectF seen(screen.frame.left() + region.x() / screen.scale, screen.frame.top() + region.y() / screen.scale,
                      regionSide / screen.scale, regionSide / screen.scale);
    const QRectF rect(topLeft, QSizeF(Magnifier::panelSize));
    const QRectF hole = rect.intersects(seen) ? seen : QRectF();
    if (panelRect && *panelRect != rect) {
        uncovered = *panelRect;
        uncoveredAt = clock();
    } else if (!hole.isNull() && !panelHole.contains(hole)) {
        // A hole cut anew shows pixels the panel covered until now.
        uncovered = hole;
        uncoveredAt = clock();
    }
    panelHole = hole;
    panelRect = rect;
    shown = magnifier;
    desktop.overlay.present(magnifier, topLeft, panelHole.isNull() ? QRectF() : panelHole.translated(-topLeft));
    heard.present(magnifier, rect.toAlignedRect(), std::exchange(keyMoved, false));
}

void ScreenPicker::startNative(Completion newCompletion)
{
    nativeSamplerOpen = true;
    QPointer<ScreenPicker> self(this);
    desktop.sampler.pickColor([self, done = std::move(newCompletion)](DesktopSampler::Outcome outcome,
                                                                      const RGBA &color, const QString &error) {
        if (self)
            self->nativeSamplerOpen = false;
        if (outcome == DesktopSampler::Outcome::Picked && done)
            done(color);
        if (!self)
            return;
        if (outcome == DesktopSampler::Outcome::Unavailable)
            self->inform(failureTitle(), tr("No desktop color picker is available: ") + error);
        Q_EMIT self->ended();
    });
}

} // namespace pigmentry
