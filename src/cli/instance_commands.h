// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/instance_protocol.h"

#include <cstdio>

namespace pigmentry {

// A pick in this process (precision or the desktop's sampler, as the
// preferences say), without the running Pigmentry: the code of each colour in
// the format asked for (the preferred one if none) on out, one a line as it
// is picked, and 0; 1 with nothing printed when the user cancels before any.
// The library is not touched (options.palette is not used). A QApplication
// must exist: the desktop layer shows its alerts as widgets.
int pickHere(const instance::PickOptions &options, std::FILE *out);

} // namespace pigmentry
