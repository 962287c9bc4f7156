// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/magnifier.h"
#include "picker/picker_desktop.h"

#include <QList>
#include <QPointer>
#include <QRectF>
#include <QWidget>

namespace pigmentry {

class FrozenScreenSource;

// The precision pick's windows where the screen is a frozen frame: one
// full-screen window per screen showing that screen's frame, with the
// crosshair cursor and the magnifier drawn over the frame. The windows take
// the keyboard and the pointer the way any focused window does, so this
// works wherever the desktop lets a window go full screen (Wayland too).
class FrozenOverlay : public PickerOverlay {
public:
    explicit FrozenOverlay(FrozenScreenSource &source)
        : source_(source)
    { }
    ~FrozenOverlay() override;

    Result show(const QList<PickerScreen> &screens) override;
    void hide() override;
    void present(const Magnifier &magnifier, const QPointF &topLeft, const QRectF &hole) override;
    bool reportsMotion() const override { return true; }

private:
    friend class FrozenWindow;
    // From the windows: the pointer at a logical position, a click, a key.
    void moved(const QPointF &position);
    void send(const PickerInput &event);

    FrozenScreenSource &source_;
    QList<QPointer<QWidget>> shown_;
    Magnifier magnifier_;
    std::optional<QRectF> panel_; // logical
};

} // namespace pigmentry
