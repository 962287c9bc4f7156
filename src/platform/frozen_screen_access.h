// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/picker_desktop.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace pigmentry {

class FrozenScreenSource;
class PortalScreenshot;

// Where no program may read the screen live (Wayland), each pick asks the
// desktop for one screenshot and runs on that frozen frame.
//
// Some desktops (KWin, wlroots) paint the pointer into the screenshot, where
// it would be picked as if it were content. While the shot is taken a
// transparent window of ours covers each screen and shows no cursor, so the
// compositor has no pointer to paint; the pointer's place is learnt from it
// on the way.
class FrozenScreenAccess : public ScreenAccess {
public:
    FrozenScreenAccess(FrozenScreenSource &source, std::unique_ptr<PortalScreenshot> screenshot);
    ~FrozenScreenAccess() override;
    // Never: every pick needs a frame of its own.
    bool preflight() override { return false; }
    // Takes the screenshot and cuts it into the screens of this moment.
    void request(Granted done) override;
    void openSettings() override;
    QString failure() const override { return failure_; }

    // How long the blind waits for the pointer to enter it before the shot
    // is taken anyway (a session without a pointer never sends one).
    int blindWaitMs = 300;

private:
    void shoot(Granted done);
    void lift();

    FrozenScreenSource &source_;
    std::unique_ptr<PortalScreenshot> screenshot_;
    QList<QPointer<QWidget>> blinds_;
    QString failure_;
};

} // namespace pigmentry
