// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/picker_desktop.h"

namespace pigmentry {

class X11ScreenSource;

// On X11 every client may read the screen: live capture is possible when a
// capture of one pixel works.
class X11ScreenAccess : public ScreenAccess {
public:
    explicit X11ScreenAccess(const X11ScreenSource &source)
        : source_(source)
    { }
    bool preflight() override;
    void request(Granted done) override { done(preflight()); }
    void openSettings() override;

private:
    const X11ScreenSource &source_;
};

} // namespace pigmentry
