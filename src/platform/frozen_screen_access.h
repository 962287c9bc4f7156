// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/picker_desktop.h"

#include <memory>

namespace pigmentry {

class FrozenScreenSource;
class PortalScreenshot;

// Where no program may read the screen live (Wayland), each pick asks the
// desktop for one screenshot and runs on that frozen frame.
class FrozenScreenAccess : public ScreenAccess {
public:
    FrozenScreenAccess(FrozenScreenSource &source, std::unique_ptr<PortalScreenshot> screenshot);
    ~FrozenScreenAccess() override;
    // Never: every pick needs a frame of its own.
    bool preflight() override { return false; }
    // Takes the screenshot and cuts it into the screens of this moment.
    void request(Granted done) override;
    void openSettings() override;

private:
    FrozenScreenSource &source;
    std::unique_ptr<PortalScreenshot> screenshot;
};

} // namespace pigmentry
