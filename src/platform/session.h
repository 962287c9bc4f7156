// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace pigmentry {

// The kind of desktop session Pigmentry runs in, which decides how it reaches
// the screen and the keyboard.
enum class SessionKind {
    X11, // Qt on xcb in an X11 session: grabs and root captures see everything
    Wayland, // Qt on the wayland platform
    XWayland, // Qt on xcb inside a Wayland session: X11 grabs and captures see only
              // XWayland's own windows, so the desktop portal is the way in
    Other, // offscreen and the like: no desktop at all
};

// From Qt's platform plugin and, for xcb, XDG_SESSION_TYPE and WAYLAND_DISPLAY.
SessionKind sessionKind();

// Before Qt starts, which ends the process when its platform cannot
// connect: whether a display that the environment names answers (an X
// server at DISPLAY, a compositor's socket at WAYLAND_DISPLAY, or a platform
// of QT_QPA_PLATFORM that needs neither). Where only one of X11 and Wayland
// answers and QT_QPA_PLATFORM is not set, it is set to that one, so that Qt
// never tries the other first; likewise the first entry of a list that
// answers.
bool connectableDisplay();

} // namespace pigmentry
