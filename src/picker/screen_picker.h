// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "magnifier.h"
#include "magnifier_accessibility.h"
#include "picker_desktop.h"

#include "model/color/rgba.h"

#include <QImage>
#include <QObject>
#include <QPointF>
#include <QTimer>
#include <QUuid>

#include <functional>
#include <optional>

namespace pigmentry {

class Preferences;

// The controller behind every pick from the screen: the precision pick
// (overlay, magnifier, 30 captures a second, keyboard nudges by device
// pixels) or the desktop's own sampler. Positions are Qt logical coordinates.
class ScreenPicker : public QObject {
    Q_OBJECT

public:
    struct Desktop {
        ScreenSource &source;
        PickerOverlay &overlay;
        DesktopSampler &sampler;
        ScreenAccess &access;
        Alerts &alerts;
    };
    using Completion = std::function<void(const RGBA &)>;

    ScreenPicker(Preferences &prefs, Desktop desktop, QObject *parent = nullptr);
    ~ScreenPicker() override;

    // Begins a pick unless one runs. The completion is called later with
    // each colour picked: once for a plain pick, once a colour for a pick
    // kept open with Shift; never when the user cancels. sample overrides
    // the preference's averaged square (1, 3, 5 or 11) for this pick.
    void start(Completion completion, int sample = 0);
    // Ends the precision pick, or tries to confirm it: a confirmation waits
    // for a sample taken at the current position. keepOpen picks and goes
    // on picking.
    void finish(bool confirm, bool keepOpen = false);
    // Moves the position by device pixels, across screens where they touch.
    void nudge(int dx, int dy);
    // One pass: follow the pointer, keep the position on its screen, and
    // capture the region around it unless a capture is in flight.
    void update();

    bool isRunning() const { return running_; }
    bool isSamplerOpen() const { return nativeSamplerOpen_; }
    // Waiting for the desktop to allow reading the screen.
    bool isAccessPending() const { return accessPending_; }
    // Any part of a pick is under way: asking, sampling or picking.
    bool isActive() const { return running_ || nativeSamplerOpen_ || accessPending_ || alertOpen_; }
    QPointF position() const { return point_; }
    int magnification() const { return zoom_; }
    // The side of the square the pick averages, in device pixels.
    int sampleSize() const { return sample_; }
    // The colours this pick has taken so far.
    int pickedCount() const { return picked_; }
    bool isConfirmPending() const { return pendingConfirm_; }
    bool isCaptureBusy() const { return captureBusy_; }
    std::optional<RGBA> currentSample() const { return sampled_; }

    static constexpr int regionSide = 15;
    static constexpr int sampleSizes[] = {1, 3, 5, 11};
    static constexpr int halfSide = 7;
    static constexpr int interval = 33; // ms: 30 captures a second
    // How long the screen under a panel that moved away is not read: without
    // a compositing manager the windows there must first draw it again.
    static constexpr int settleMs = 100;
    // How long a confirmation waits for a frozen frame to learn where the
    // pointer is, when nothing has placed the mark yet (some desktops tell a
    // new window where the pointer is only after showing it).
    int pointerWaitMs = 300;

    // Milliseconds from a monotonic clock; tests replace it.
    std::function<qint64()> clock;

Q_SIGNALS:
    // Every pick ends with this, picked, cancelled or failed.
    void ended();

private:
    void handle(const PickerInput &input);
    // The precision pick once the screen can be read.
    void begin(Completion completion);
    // The screen cannot be read: the alert offers the desktop's picker.
    void refused(Completion completion);
    void startNative(Completion completion);
    void present(const QImage &image, const PickerScreen &screen, const QPointF &center, const QPointF &capturedPoint);
    // Takes the sample and goes on: the colour to the completion, the count
    // and its name to the magnifier.
    void keepPicking();
    void stepSample(int direction);
    Magnifier magnifierFor(const QImage &image, const RGBA &color, const QPointF &center) const;
    void failed(const QString &text);
    // Puts the panel beside the position, with a hole where it covers the
    // regions a capture around the position may read.
    void placePanel(const Magnifier &magnifier, const PickerScreen &screen);
    void trackPointer();
    // Something moved or changed: work resumes at once if the pick rests.
    void wake();
    // The region a capture at the position reads, in device pixels of the
    // screen, and the position's place in it.
    QRect captureRegion(const PickerScreen &screen, QPointF *center) const;
    std::optional<PickerScreen> screenAt(const QPointF &position) const;

    Preferences &prefs_;
    Desktop desktop_;

    bool running_ = false; // overlay windows are up
    // The desktop reports pointer moves and changed pixels, so a pass with
    // nothing new stops the timer until the next report.
    bool eventDriven_ = false;
    bool contentChanged_ = false;
    bool panel_ = false;
    QTimer timer_;
    QPointF point_;
    QPointF lastMouse_;
    int zoom_ = 10;
    std::optional<QPointF> samplePoint_;
    bool pendingConfirm_ = false;
    bool pendingKeep_ = false; // the confirmation keeps the pick open
    int sample_ = 1;
    int picked_ = 0;
    QString status_; // the magnifier's words once a colour was taken
    // A confirmation waits for the pointer's place (pointerWaitMs).
    bool awaitingPointer_ = false;
    bool nudged_ = false;
    bool captureBusy_ = false;
    QUuid generation_ = QUuid::createUuid();
    bool nativeSamplerOpen_ = false;
    bool accessPending_ = false;
    // An alert of the pick is open: a start meanwhile (a held shortcut that
    // repeats) does nothing, so that no pick or alert nests in another.
    bool alertOpen_ = false;
    void inform(const QString &message, const QString &informative);
    int ask(const QString &message, const QString &informative, const QStringList &buttons);
    Completion completion_;
    std::optional<RGBA> sampled_;
    QImage image_;
    // Where the panel was last put, in logical coordinates, and its hole.
    std::optional<QRectF> panelRect_;
    QRectF panelHole_;
    Magnifier shown_;
    MagnifierAccessibility heard_; // the magnifier to a screen reader
    bool keyMoved_ = false; // the next panel follows an arrow key
    QRectF uncovered_; // where the panel stood before its last move
    qint64 uncoveredAt_ = 0;
};

} // namespace pigmentry
