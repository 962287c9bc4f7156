// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop/desktop_services.h"

#include <memory>

namespace pigmentry {

// The services of this session: X11 where Qt runs on xcb in an X11 session;
// on Wayland (and for Qt on XWayland) the portals, with the precision pick on
// a frozen frame; the portal's sampler everywhere; Qt for the clipboard,
// alerts and file panels.
std::unique_ptr<DesktopServices> createDesktopServices();

} // namespace pigmentry
