#pragma once

namespace pigmentry {

// The kind of desktop session Pigmentry runs in, which decides how it reaches
// the screen and the keyboard.
enum class SessionKind {
    X11,      // Qt on xcb in an X11 session: grabs and root captures see everything
    Wayland,  // Qt on the wayland platform
    XWayland, // Qt on xcb inside a Wayland session: X11 grabs and captures see only
              // XWayland's own windows, so the desktop portal is the way in
    Other,    // offscreen and the like: no desktop at all
};

// From Qt's platform plugin and, for xcb, XDG_SESSION_TYPE and WAYLAND_DISPLAY.
SessionKind sessionKind();

} // namespace pigmentry
