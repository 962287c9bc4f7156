// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QObject;

namespace pigmentry {

// Whether a system tray host runs in this session now: a StatusNotifierItem
// watcher on the session bus, or an XEmbed tray on X11. Asked afresh each
// time; Qt keeps the first answer of its own check for the whole process.
bool trayHostPresent();

// Calls appeared whenever a tray host may have come up: a StatusNotifierItem
// watcher registering on the session bus, or an XEmbed tray announcing
// itself on the root window (its MANAGER message). Watches for the life of
// context; nothing is polled.
void watchTrayHost(QObject *context, std::function<void()> appeared);

} // namespace pigmentry
