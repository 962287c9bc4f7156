// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdio>
#include <optional>

namespace pigmentry {

// One pick in this process (precision or the desktop's sampler, as the
// preferences say), without the running Pigmentry: the code of the colour in
// format (the preferred one if none) on out and 0, or 1 with nothing printed
// when the user cancels. The library is not touched. A QApplication must
// exist: the desktop layer shows its alerts as widgets.
int pickHere(const std::optional<QString> &format, std::FILE *out);

} // namespace pigmentry
