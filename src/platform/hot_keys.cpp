// SPDX-License-Identifier: GPL-3.0-or-later
#include "hot_keys.h"

#include "x11/x11_hot_keys.h"

#include <QGuiApplication>

namespace pigmentry {

std::unique_ptr<HotKeyService> createHotKeyService()
{
    if (auto x11 = X11HotKeys::create())
        return x11;
    return std::make_unique<UnavailableHotKeys>();
}

} // namespace pigmentry
