// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11_screen_access.h"

#include "x11_screen_source.h"

#include "platform/desktop_workspace.h"

namespace pigmentry {

bool X11ScreenAccess::preflight()
{
    return !source.grab(QRect(0, 0, 1, 1), nullptr).isNull();
}

void X11ScreenAccess::openSettings()
{
    openDesktopPrivacySettings();
}

} // namespace pigmentry
