// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker_desktop.h"

#include <QList>
#include <QPointF>

#include <optional>

namespace pigmentry {

// The screen a position (logical) lies on: minimum edges inside, maximum
// edges outside.
std::optional<PickerScreen> screenAt(const QList<PickerScreen> &screens, const QPointF &position);

// Where a move of dx, dy device pixels from a position takes it. The move is
// made in the desktop's device pixels, where screens touch: logical
// coordinates have gaps between screens of another scale (each keeps its
// native origin), and a pixel across the edge is one press away there. A
// move past every screen stops at the edge of the position's screen.
QPointF movedByDevicePixels(const QList<PickerScreen> &screens, const QPointF &position, int dx, int dy);

// A device-pixel coordinate computed from logical ones lands a hair off a
// whole number; snapped, truncation reads the intended pixel.
double snapped(double x);

} // namespace pigmentry
