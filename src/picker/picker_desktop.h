// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The small interfaces through which the pick reaches the desktop. The X11 and
// portal implementations live in the platform layer; the tests use fakes.

#include "model/result.h"
#include "model/color/rgba.h"
#include "tools/alerts.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace pigmentry {

struct Magnifier;

// One screen. frame is in Qt's logical coordinates (origin top left, y down);
// scale is the device pixels per logical pixel; the screen is
// frame.width() * scale by frame.height() * scale device pixels.
struct PickerScreen {
    QRectF frame;
    double scale = 1.0;
    // The display's size in device pixels, where the desktop tells it; the
    // frame is then exactly that size over the scale, not rounded to whole
    // logical pixels, so that at 1.25 or 1.5 every device pixel has its
    // place and none lies beyond the display.
    QSize pixels = QSize();

    QSize pixelSize() const
    {
        if (!pixels.isEmpty())
            return pixels;
        return QSize(qRound(frame.width() * scale), qRound(frame.height() * scale));
    }
    // The display's device pixels on the whole desktop: the screen keeps its
    // native origin, as Qt places screens.
    QRect native() const { return QRect(frame.topLeft().toPoint(), pixelSize()); }
    friend bool operator==(const PickerScreen &, const PickerScreen &) = default;
};

// Screens, the pointer and captures of small regions.
class ScreenSource {
public:
    virtual ~ScreenSource() = default;
    // Every screen, primary first.
    virtual QList<PickerScreen> screens() const = 0;
    // The pointer in logical coordinates.
    virtual QPointF pointer() const = 0;
    // Whether pointer() is where the pointer really is; false while a
    // frozen frame has not seen it yet.
    virtual bool knowsPointer() const { return true; }

    // region is in device pixels of the screen (origin at its top left) and
    // lies inside it. done runs later on the GUI thread, never inside this
    // call, with the region's pixels in sRGB or with a description of the
    // failure.
    using CaptureDone = std::function<void(const QImage &image, const QString &error)>;
    virtual void capture(const PickerScreen &screen, const QRect &region, CaptureDone done) = 0;

    // Whether the source reports changes of a watched region; only then
    // may a pick rest while nothing moves.
    virtual bool reportsChanges() const { return false; }
    // The region (device pixels of the screen, as for capture) that the next
    // capture reads. Changes before this call are in that capture.
    virtual void watch(const PickerScreen &, const QRect &) { }
    // The pick rests: report through changed, on the GUI thread, when pixels
    // of the watched region may have changed since it was watched. While
    // the pick is busy nothing is reported; it captures anyway.
    virtual void awaitChanges() { }
    virtual void stopWatching() { }
    std::function<void()> changed;
};

// What the user does during a precision pick.
struct PickerInput {
    enum class Kind { LeftClick, RightClick, Key, Motion };
    Kind kind = Kind::Key;
    int key = 0; // a Qt::Key for Kind::Key
    bool shift = false;
    QPointF position; // the pointer, logical, for Kind::Motion
};

// The overlay windows over every screen (crosshair cursor, every click and key
// goes to the pick) and the magnifier panel.
class PickerOverlay {
public:
    virtual ~PickerOverlay() = default;
    // Covers the screens and takes pointer and keyboard. When the desktop
    // refuses, nothing is shown and the result says why.
    virtual Result show(const QList<PickerScreen> &screens) = 0;
    // Closes the windows and the panel and releases pointer and keyboard.
    virtual void hide() = 0;
    // Shows the panel with the magnifier at topLeft (logical), with a hole
    // (panel coordinates) through which the next capture sees the screen.
    virtual void present(const Magnifier &magnifier, const QPointF &topLeft, const QRectF &hole) = 0;
    // Whether every move of the pointer arrives as a Motion input.
    virtual bool reportsMotion() const { return false; }

    std::function<void(const PickerInput &)> input;
    // The input could not be taken after all (show() may keep trying for a
    // moment without blocking); the windows are already gone.
    std::function<void(const QString &reason)> failed;
};

// The desktop's own colour sampler.
class DesktopSampler {
public:
    virtual ~DesktopSampler() = default;
    enum class Outcome { Picked, Cancelled, Unavailable };
    // done runs later on the GUI thread, exactly once: the colour in sRGB
    // for Picked, nothing for Cancelled (also a failed request), and an
    // error text for Unavailable (no sampler answers at all).
    using Done = std::function<void(Outcome, const RGBA &color, const QString &error)>;
    virtual void pickColor(Done done) = 0;
};

// Whether the precision pick may read the screen.
class ScreenAccess {
public:
    virtual ~ScreenAccess() = default;
    // True when live capture works now, without asking.
    virtual bool preflight() = 0;
    // Asks the desktop. done runs exactly once, inside the call or later on
    // the GUI thread, with whether the screen can be read afterwards (live,
    // or as a frozen frame taken for this pick).
    using Granted = std::function<void(bool granted)>;
    virtual void request(Granted done) = 0;
    // Why the last request was not granted when the desktop failed rather
    // than refused (a refusal is answered with the way to allow it); empty
    // otherwise.
    virtual QString failure() const { return QString(); }
    // Opens the desktop's privacy settings, where it has any.
    virtual void openSettings() = 0;
};

} // namespace pigmentry
