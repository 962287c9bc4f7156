#pragma once

class QWidget;

namespace pigmentry {

// "Show in taskbar": when off, the window carries the skip-taskbar and
// skip-pager hints (X11); applied at once, also to a window on screen.
void setShownInTaskbar(QWidget *window, bool shown);

} // namespace pigmentry
