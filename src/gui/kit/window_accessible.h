// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QWidget>

namespace pigmentry {

// Gives a plain widget the role a screen reader should take it for, where
// Qt would offer a filler or a frame. Call from the widget's constructor,
// before anything asks for its accessible interface.
void announceAs(QWidget *widget, QAccessible::Role role);

// A top-level widget as a window to a screen reader (a frame, named by its
// title).
void announceAsWindow(QWidget *window);

} // namespace pigmentry
