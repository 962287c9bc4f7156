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
    , prefs_(prefs)
    , desktop_(desktop)
{
    timer_.setInterval(interval);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &ScreenPicker::update);
    desktop.overlay.input = [this](const PickerInput &input) { handle(input); };
    desktop.overlay.failed = [this](const QString &reason) {
        if (!running_)
            return;
        finish(false);
        inform(failureTitle(), tr("The desktop could not start screen capture: ") + reason);
    };
}

void ScreenPicker::inform(const QString &message, const QString &informative)
{
    const QScopedValueRollback<bool> open(alertOpen_, true);
    desktop_.alerts.inform(message, informative);
}

int ScreenPicker::ask(const QString &message, const QString &informative, const QStringList &buttons)
{
    const QScopedValueRollback<bool> open(alertOpen_, true);
    return desktop_.alerts.ask(message, informative, buttons);
}

ScreenPicker::~ScreenPicker()
{
    desktop_.overlay.input = nullptr;
    desktop_.overlay.failed = nullptr;
    if (running_)
        desktop_.overlay.hide();
}

std::optional<PickerScreen> ScreenPicker::screenAt(const QPointF &position) const
{
    return pigmentry::screenAt(desktop_.source.screens(), position);
}

void ScreenPicker::start(Completion newCompletion, int sample)
{
    if (isActive())
        return;
    sample_ = Preferences::isSampleSize(sample) ? sample : prefs_.sampleSize();
    if (prefs_.useNativePicker()) {
        startNative(std::move(newCompletion));
        return;
    }
    if (desktop_.access.preflight()) {
        begin(std::move(newCompletion));
        return;
    }
    accessPending_ = true;
    QPointer<ScreenPicker> self(this);
    desktop_.access.request([self, done = std::move(newCompletion)](bool granted) mutable {
        if (!self)
            return;
        self->accessPending_ = false;
        if (granted) {
            self->begin(std::move(done));
        } else if (const QString failure = self->desktop_.access.failure(); !failure.isEmpty()) {
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
        prefs_.set(preference::useNativePicker, true);
        startNative(std::move(newCompletion));
        return;
    }
    if (answer == 1)
        desktop_.access.openSettings();
    Q_EMIT ended();
}

void ScreenPicker::begin(Completion newCompletion)
{
    const QList<PickerScreen> screens = desktop_.source.screens();
    if (screens.isEmpty()) {
        inform(failureTitle(), tr("No accessible displays were returned by the desktop."));
        Q_EMIT ended();
        return;
    }

    completion_ = std::move(newCompletion);
    generation_ = QUuid::createUuid();
    samplePoint_.reset();
    pendingConfirm_ = false;
    pendingKeep_ = false;
    picked_ = 0;
    status_.clear();
    awaitingPointer_ = false;
    nudged_ = false;
    keyMoved_ = false;
    point_ = lastMouse_ = desktop_.source.pointer();

    if (const Result shown = desktop_.overlay.show(screens); !shown) {
        completion_ = nullptr;
        inform(failureTitle(), tr("The desktop could not start screen capture: ") + shown.error());
        Q_EMIT ended();
        return;
    }
    running_ = true;
    panel_ = true; // shown with the first sample
    eventDriven_ = desktop_.source.reportsChanges() && desktop_.overlay.reportsMotion();
    // The pointer may have moved while the windows came up, before the pick
    // listened: where the overlay saw it last counts as its first motion.
    if (eventDriven_)
        point_ = lastMouse_ = desktop_.source.pointer();
    contentChanged_ = false;
    if (eventDriven_) {
        desktop_.source.changed = [this] {
            contentChanged_ = true;
            wake();
        };
    }
    timer_.start();
    update();
}

void ScreenPicker::wake()
{
    if (running_ && !timer_.isActive()) {
        timer_.start();
        update();
    }
}

void ScreenPicker::handle(const PickerInput &input)
{
    if (!running_)
        return;
    switch (input.kind) {
    // Shift keeps the pick open for the next colour.
    case PickerInput::Kind::LeftClick: finish(true, input.shift); return;
    case PickerInput::Kind::RightClick: finish(false); return;
    case PickerInput::Kind::Motion:
        // The pointer moves the position; keyboard nudges stay in force
        // while it rests. After the click the position is the one clicked:
        // the hand moving on at once moves nothing.
        if (eventDriven_ && !pendingConfirm_ && input.position != lastMouse_) {
            point_ = lastMouse_ = input.position;
            wake();
        }
        if (std::exchange(awaitingPointer_, false))
            finish(true, std::exchange(pendingKeep_, false));
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
        if (pendingConfirm_ && pendingKeep_)
            pendingKeep_ = false;
        else
            finish(false);
        break;
    case Qt::Key_Return: finish(true, input.shift); break;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        zoom_ = std::min(zoom_ + 5, 20);
        contentChanged_ = true; // the panel shows it with the next frame
        break;
    case Qt::Key_Minus:
        zoom_ = std::max(zoom_ - 5, 5);
        contentChanged_ = true;
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
    prefs_.set(preference::sampleSize, sample_);
    // The colour changes with the square: the next capture shows it.
    contentChanged_ = true;
    samplePoint_.reset();
}

void ScreenPicker::nudge(int dx, int dy)
{
    // The mark is the user's from now on.
    nudged_ = true;
    keyMoved_ = true;
    point_ = movedByDevicePixels(desktop_.source.screens(), point_, dx, dy);
}

void ScreenPicker::trackPointer()
{
    // The pointer moves the position only when it really moved, so that
    // keyboard nudges stay in force while it rests.
    const QPointF mouse = desktop_.source.pointer();
    if (mouse != lastMouse_) {
        point_ = mouse;
        lastMouse_ = mouse;
    }
}

void ScreenPicker::finish(bool confirm, bool keepOpen)
{
    // Confirmed before the frame knew where the pointer is, and before any
    // key placed the mark: the pick is of the pixel under the pointer, so
    // it waits a moment for the desktop to say where that is.
    if (confirm && running_ && eventDriven_ && !nudged_ && !pendingConfirm_ && !desktop_.source.knowsPointer()) {
        if (awaitingPointer_)
            return;
        awaitingPointer_ = true;
        pendingKeep_ = keepOpen;
        QTimer::singleShot(pointerWaitMs, this, [this, pick = generation_] {
            if (pick == generation_ && std::exchange(awaitingPointer_, false)) {
                nudged_ = true; // the mark stays where it is
                finish(true, std::exchange(pendingKeep_, false));
            }
        });
        return;
    }
    awaitingPointer_ = false;
    if (confirm) {
        if (!pendingConfirm_ && !eventDriven_)
            trackPointer();
        if (!(samplePoint_ && *samplePoint_ == point_)) {
            pendingConfirm_ = true;
            pendingKeep_ = keepOpen;
            update();
            return;
        }
        if (keepOpen && running_) {
            pendingConfirm_ = false;
            keepPicking();
            return;
        }
    }

    pendingConfirm_ = false;
    pendingKeep_ = false;
    generation_ = QUuid::createUuid();
    timer_.stop();
    if (eventDriven_) {
        desktop_.source.stopWatching();
        desktop_.source.changed = nullptr;
        eventDriven_ = false;
    }
    if (running_)
        desktop_.overlay.hide();
    heard_.hide();
    running_ = false;
    panel_ = false;
    panelRect_.reset();
    uncovered_ = QRectF();

    // Cleared before the call, so that a completion that starts the next
    // pick keeps its own.
    Completion done = std::exchange(completion_, nullptr);
    const std::optional<RGBA> picked = std::exchange(sampled_, std::nullopt);
    if (confirm && picked && done)
        done(*picked);
    Q_EMIT ended();
}

void ScreenPicker::update()
{
    if (!running_)
        return;
    // Driven by the desktop's reports, the position is already where the
    // pointer is; otherwise ask where it is, once a pass.
    if (!pendingConfirm_ && !eventDriven_)
        trackPointer();

    const std::optional<PickerScreen> screen = screenAt(point_);
    if (!screen)
        return;
    const QRectF &f = screen->frame;
    const double s = screen->scale;
    // The position names a device pixel's top-left corner.
    point_.setX(std::min(std::max(point_.x(), f.left()), f.right() - 1 / s));
    point_.setY(std::min(std::max(point_.y(), f.top()), f.bottom() - 1 / s));

    if (captureBusy_)
        return;
    // Nothing moved and nothing changed under the position: rest until the
    // desktop reports something.
    if (eventDriven_ && !contentChanged_ && !pendingConfirm_ && samplePoint_ && *samplePoint_ == point_) {
        timer_.stop();
        desktop_.source.awaitChanges();
        return;
    }
    QPointF center;
    const QRect region = captureRegion(*screen, &center);

    // A fast move can bring the position under the panel, which the capture
    // would read. Move the panel out of the way first and capture at the next
    // pass, once the windows below have drawn what it uncovered.
    const QRectF seen(f.left() + region.x() / s, f.top() + region.y() / s, regionSide / s, regionSide / s);
    if (panelRect_ && panelRect_->intersects(seen) && !panelHole_.contains(seen)) {
        placePanel(shown_, *screen);
        return;
    }
    if (uncovered_.intersects(seen) && clock() - uncoveredAt_ < settleMs)
        return;
    const QPointF capturedPoint = point_;
    const QUuid g = generation_;
    captureBusy_ = true;
    contentChanged_ = false;
    if (eventDriven_)
        desktop_.source.watch(*screen, region);

    QPointer<ScreenPicker> self(this);
    desktop_.source.capture(
        *screen, region, [self, g, screen = *screen, center, capturedPoint](const QImage &image, const QString &error) {
            if (!self)
                return;
            self->captureBusy_ = false;
            if (self->generation_ != g)
                return;
            if (!error.isEmpty())
                self->failed(tr("Screen capture failed: ") + error);
            else if (self->running_)
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
    const std::optional<RGBA> color = sampled_;
    if (!color)
        return;
    ++picked_;
    status_ = tr("%n picked · %1 · Esc to finish", nullptr, picked_).arg(colorName(*color));
    if (status_.size() > 40) // the panel's width in its small font
        status_ = tr("%n picked · Esc to finish", nullptr, picked_);
    shown_.status = status_;
    if (panelRect_) {
        desktop_.overlay.present(shown_, panelRect_->topLeft(),
                                 panelHole_.isNull() ? QRectF() : panelHole_.translated(-panelRect_->topLeft()));
        heard_.present(shown_, panelRect_->toAlignedRect(), true);
    }
    const QPointer<ScreenPicker> self(this);
    if (completion_)
        completion_(*color);
    if (self)
        wake();
}

Magnifier ScreenPicker::magnifierFor(const QImage &captured, const RGBA &color, const QPointF &center) const
{
    return Magnifier{captured, color, zoom_, center, sample_, status_};
}

void ScreenPicker::present(const QImage &captured, const PickerScreen &screen, const QPointF &center,
                           const QPointF &capturedPoint)
{
    // A pick is always opaque.
    const RGBA color = captured.isNull() ? RGBA{0, 0, 0, 1} : averagedColor(captured, center, sample_);
    sampled_ = color;
    samplePoint_ = capturedPoint;
    image_ = captured;

    if (panel_)
        placePanel(magnifierFor(image_, color, center), screen);

    if (pendingConfirm_ && samplePoint_ && *samplePoint_ == point_)
        finish(true, std::exchange(pendingKeep_, false));
}

QRect ScreenPicker::captureRegion(const PickerScreen &screen, QPointF *center) const
{
    // 15 x 15 device pixels with the position's pixel in the middle, pushed
    // back inside the display at its edges.
    const QRectF &f = screen.frame;
    const double s = screen.scale;
    const double px = snapped(s * (point_.x() - f.left()));
    const double py = snapped(s * (point_.y() - f.top()));
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
    const QPointF topLeft = panelPosition(point_, screen.frame);
    // Where the panel is pushed over the position, the capture must see the
    // screen through it, not the panel: the hole is exactly the region the
    // capture at the position reads, in logical coordinates.
    const QRect region = captureRegion(screen, nullptr);
    const QRectF seen(screen.frame.left() + region.x() / screen.scale, screen.frame.top() + region.y() / screen.scale,
                      regionSide / screen.scale, regionSide / screen.scale);
    const QRectF rect(topLeft, QSizeF(Magnifier::panelSize));
    const QRectF hole = rect.intersects(seen) ? seen : QRectF();
    if (panelRect_ && *panelRect_ != rect) {
        uncovered_ = *panelRect_;
        uncoveredAt_ = clock();
    } else if (!hole.isNull() && !panelHole_.contains(hole)) {
        // A hole cut anew shows pixels the panel covered until now.
        uncovered_ = hole;
        uncoveredAt_ = clock();
    }
    panelHole_ = hole;
    panelRect_ = rect;
    shown_ = magnifier;
    desktop_.overlay.present(magnifier, topLeft, panelHole_.isNull() ? QRectF() : panelHole_.translated(-topLeft));
    heard_.present(magnifier, rect.toAlignedRect(), std::exchange(keyMoved_, false));
}

void ScreenPicker::startNative(Completion newCompletion)
{
    nativeSamplerOpen_ = true;
    QPointer<ScreenPicker> self(this);
    desktop_.sampler.pickColor([self, done = std::move(newCompletion)](DesktopSampler::Outcome outcome,
                                                                       const RGBA &color, const QString &error) {
        if (self)
            self->nativeSamplerOpen_ = false;
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
