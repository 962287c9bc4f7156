#pragma once

namespace pigmentry {

// Whether a system tray host runs in this session now: a StatusNotifierItem
// watcher on the session bus, or an XEmbed tray on X11. Asked afresh each
// time; Qt keeps the first answer of its own check for the whole process.
bool trayHostPresent();

} // namespace pigmentry
