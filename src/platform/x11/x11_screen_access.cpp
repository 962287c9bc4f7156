// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11_screen_access.h"

#include "x11_screen_source.h"

#include "platform/desktop_workspace.h"

namespace pigmentry {

bool X11ScreenAccess::preflight()
{
    // Pixels that came but cannot be read are no matter of access: the pick
    // goes on and says why it fails, and the choice of picker stays.
    bool unreadable = false;
    return !source_.grab(QRect(0, 0, 1, 1), nullptr, &unreadable).isNull() || unreadable;
}

void X11ScreenAccess::openSettings()
{
    openDesktopPrivacySettings();
}

} // namespace pigmentry
