// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace pigmentry {

// "Show in taskbar": when off, the window carries the skip-taskbar and
// skip-pager hints (X11); applied at once, also to a window on screen.
void setShownInTaskbar(QWidget *window, bool shown);

// Brings a window back to the user: out of the minimized state, shown,
// raised and given the keyboard focus. On X11 the window manager is asked
// as a pager asks it (_NET_ACTIVE_WINDOW from source 2), which focus-stealing
// prevention lets through: the request comes from the user's own action
// elsewhere (a tray menu, a second launch, a closed dialog), whose time
// this process never saw. Without a window manager Qt's own focus holds.
void bringToFront(QWidget *window);

} // namespace pigmentry
