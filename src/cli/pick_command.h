#pragma once

#include <QStringList>

namespace pigmentry {

// `pigmentry pick [--format NAME]`: one pick (precision or the desktop's
// sampler, as the preferences say); prints the colour's code and exits 0, or
// exits 1 with nothing printed when the user cancels. The library is not
// touched. arguments are those after "pick"; a QApplication must exist (the desktop layer shows its alerts as widgets).
int runPick(const QStringList &arguments);

} // namespace pigmentry
