#pragma once

#include "picker/picker_desktop.h"
#include "x11_keyboard.h"

#include <QAbstractNativeEventFilter>
#include <QList>

#include <memory>

struct xcb_connection_t;

namespace pigmentry {

class MagnifierPanel;

// The overlay of a precision pick on X11: input-only, override-redirect
// windows over every screen (they have no pixels, so captures never see
// them), the crosshair cursor, and pointer and keyboard grabs so that every
// click and key reaches the pick.
class X11Overlay : public PickerOverlay, public QAbstractNativeEventFilter {
public:
    X11Overlay(xcb_connection_t *connection, quint32 root);
    ~X11Overlay() override;

    std::optional<QString> show(const QList<PickerScreen> &screens) override;
    void hide() override;
    void present(const Magnifier &magnifier, const QPointF &topLeft, const QRectF &hole) override;
    // Moves arrive through the pointer grab.
    bool reportsMotion() const override { return true; }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    // For tests: the overlay windows and the panel while a pick runs.
    const QList<quint32> &windowIds() const { return windows; }
    MagnifierPanel *magnifierPanel() const { return panel.get(); }

private:
    bool takeInput();
    quint32 crosshair();

    xcb_connection_t *connection;
    quint32 root;
    X11Keyboard keyboard;
    QList<quint32> windows;
    QList<PickerScreen> screens; // those covered, to map moves to positions
    std::unique_ptr<MagnifierPanel> panel;
    quint32 cursor = 0;
};

} // namespace pigmentry
