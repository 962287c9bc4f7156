#pragma once

#include "picker/screen_picker.h"

#include <memory>

namespace pigmentry {

// The desktop a pick talks to in this session: X11 screens, overlay and
// capture where Qt runs on xcb; elsewhere (for now) no live capture, so the
// pick offers the desktop's own sampler. The sampler is the portal's.
struct PickerServices {
    std::unique_ptr<ScreenSource> source;
    std::unique_ptr<PickerOverlay> overlay;
    std::unique_ptr<DesktopSampler> sampler;
    std::unique_ptr<ScreenAccess> access;
    std::unique_ptr<Alerts> alerts;

    ScreenPicker::Desktop desktop() const { return {*source, *overlay, *sampler, *access, *alerts}; }
};

std::unique_ptr<PickerServices> createPickerServices();

} // namespace pigmentry
