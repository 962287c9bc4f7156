// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker_desktop.h"

#include <QImage>
#include <QList>

namespace pigmentry {

// The screens as one still image of the whole desktop showed them, for
// sessions that cannot read the screen live: the precision pick runs on the
// frozen frame instead. Pixels never change, so the source reports changes
// (there are none) and the pick rests between moves.
class FrozenScreenSource : public ScreenSource {
public:
    // Cuts shot, an image of the whole desktop, into one frame per screen in
    // that screen's device pixels. The shot spans the bounding box of the
    // screens' logical frames; each screen takes its proportional part, so
    // that a shot at any uniform scale, or at the largest scale of mixed
    // screens, lands on the right pixels. False, and nothing kept, for an
    // empty shot or no screens.
    bool load(const QImage &shot, const QList<PickerScreen> &screens);
    // Forgets the frames and where the pointer was.
    void clear();

    // The frame of screens().at(index), in device pixels, sRGB.
    QImage frame(qsizetype index) const { return frames_.value(index); }

    QList<PickerScreen> screens() const override { return screenList_; }
    // Where the overlay last saw the pointer (or a window of ours before the
    // shot was taken); the primary screen's centre until then.
    QPointF pointer() const override { return position_; }
    bool knowsPointer() const override { return known_; }
    void setPointer(const QPointF &logical)
    {
        position_ = logical;
        known_ = true;
    }

    void capture(const PickerScreen &screen, const QRect &region, CaptureDone done) override;
    bool reportsChanges() const override { return true; }

private:
    QList<PickerScreen> screenList_;
    QList<QImage> frames_;
    QPointF position_;
    bool known_ = false;
};

} // namespace pigmentry
