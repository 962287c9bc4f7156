// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace pigmentry {

// Makes a top-level widget a window to a screen reader (a frame, named by
// its title), where Qt would offer a plain widget's filler. Call from the
// widget's constructor.
void announceAsWindow(QWidget *window);

} // namespace pigmentry
