// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/picker_desktop.h"

#include <QList>

namespace pigmentry {

// Qt's screens as the pick sees them, primary first: logical frames and
// each screen's scale.
QList<PickerScreen> desktopScreens();

} // namespace pigmentry
