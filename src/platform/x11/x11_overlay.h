// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/picker_desktop.h"
#include "x11_keyboard.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <memory>

class QSocketNotifier;

struct xcb_connection_t;

namespace pigmentry {

class MagnifierPanel;

// The overlay of a precision pick on X11: input-only, override-redirect
// windows over every screen (they have no pixels, so captures never see
// them), the crosshair cursor, and pointer and keyboard grabs so that every
// click and key reaches the pick.
//
// Its windows, grabs and magnifier live on a connection of its own, read
// here on the GUI thread: on Qt's, each of the sixty moves a second would
// wake Qt's event reader thread and then pass through Qt's event handling.
class X11Overlay : public PickerOverlay {
public:
    // Nothing when no connection to the display can be made.
    static std::unique_ptr<X11Overlay> create();
    ~X11Overlay() override;

    Result show(const QList<PickerScreen> &screens) override;
    void hide() override;
    void present(const Magnifier &magnifier, const QPointF &topLeft, const QRectF &hole) override;
    // Moves arrive through the pointer grab.
    bool reportsMotion() const override { return true; }

    // For tests: the overlay windows and the panel while a pick runs.
    const QList<quint32> &windowIds() const { return windows_; }
    MagnifierPanel *magnifierPanel() const { return panel_.get(); }

private:
    X11Overlay(xcb_connection_t *connection, quint32 root);
    // One try at the pointer and keyboard grabs; both or neither.
    bool takeInput();
    void retryInput();
    quint32 crosshair();
    void readEvents();
    // Takes the events xcb read along while it wrote, and has them handled
    // next; the notifier does not see them.
    void takeQueued();
    // event is an xcb_generic_event_t.
    void handle(const void *event);
    // The pointer at a root position (device pixels), as a Motion input.
    void moved(const QPoint &device);

    xcb_connection_t *connection_;
    quint32 root_;
    X11Keyboard keyboard_;
    QList<quint32> windows_;
    QList<PickerScreen> screens_; // those covered, to map moves to positions
    std::unique_ptr<MagnifierPanel> panel_;
    quint32 cursor_ = 0;
    QTimer grabRetry_;
    int grabAttempts_ = 0;
    QObject context_; // the queued reads run through it
    std::unique_ptr<QSocketNotifier> notifier_;
    QList<void *> queued_; // xcb_generic_event_t, to be handled and freed
    bool readPending_ = false;
};

} // namespace pigmentry
