// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/picker_desktop.h"
#include "platform/x11/z_pixmap.h"

#include <QObject>
#include <QRect>

#include <memory>

class QSocketNotifier;

struct xcb_connection_t;

namespace pigmentry {

// Screens from Qt, the pointer and captures from the X root window in device
// pixels, so that every device pixel can be addressed at any scale. The X11
// framebuffer is taken as sRGB. Root captures never contain the pointer.
//
// The round trips go over a connection of their own: on Qt's, every reply
// would also wake Qt's event reader thread, thirty times a second.
class X11ScreenSource : public ScreenSource {
public:
    // Nothing when no connection to the display can be made.
    static std::unique_ptr<X11ScreenSource> create();
    ~X11ScreenSource() override;

    QList<PickerScreen> screens() const override;
    QPointF pointer() const override;
    void capture(const PickerScreen &screen, const QRect &region, CaptureDone done) override;

    // Changes come from the X Damage extension where the server has it: one
    // report for a change anywhere, then nothing until it is read. Reports
    // wake the pick only while it rests; a busy pick reads them with its next
    // capture, so a busy screen costs it nothing.
    bool reportsChanges() const override { return damageEvent_ != 0; }
    void watch(const PickerScreen &screen, const QRect &region) override;
    void awaitChanges() override;
    void stopWatching() override;

    // Reads a rectangle of the root window (device pixels) at once, from a
    // visual of any depth with its channels in masks (16-bit, 24-bit,
    // 30-bit, ...). unreadable is set when the server answered with pixels
    // in a layout that cannot be read.
    QImage grab(const QRect &rect, QString *error, bool *unreadable = nullptr) const;

private:
    X11ScreenSource(xcb_connection_t *connection, quint32 root);
    // How the server lays out an image of the depth and visual.
    ZPixmapLayout layoutOf(quint8 depth, quint32 visual) const;
    // Reads the reports waiting on our connection and empties the damage
    // again; true when one touched the watched region.
    bool readEvents();

    xcb_connection_t *connection_;
    quint32 root_;
    QObject context_; // answers are posted through it
    quint8 damageEvent_ = 0; // the extension's first event, 0 without it
    quint32 damage_ = 0; // the damage object while watching
    QRect watched_; // root window, device pixels
    std::unique_ptr<QSocketNotifier> notifier_;
};

// A new connection to the display Qt uses, and its default screen's root
// window; nullptr when none can be made.
xcb_connection_t *openDisplay(quint32 *root);

// A screen's rectangle on the X root window: Qt keeps each screen's origin
// and scales only its size.
QRect nativeRect(const PickerScreen &screen);

} // namespace pigmentry
