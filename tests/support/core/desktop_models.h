// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fake_desktop.h"
#include "model/library/store.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"

namespace pigmentry::test {

// What every test of the Studio starts from: preferences and a library in a
// scratch folder, fake desktop services, and the store and shortcut
// settings on them.
struct DesktopModels {
    TempSettings temp;
    FakeDesktop desktop;
    Store store{temp.prefs(), *desktop.clipboard, temp.libraryPath()};
    ShortcutSettings shortcuts{temp.prefs(), *desktop.hotKeys};
};

} // namespace pigmentry::test
