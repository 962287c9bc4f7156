// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QtGlobal>

struct xcb_connection_t;

namespace pigmentry {

// The X keyboard as the server maps it: key symbols per keycode and which
// of Mod1...Mod5 carries Alt, Super and NumLock. Read again after a
// MappingNotify.
class X11Keyboard {
public:
    explicit X11Keyboard(xcb_connection_t *connection)
        : connection_(connection)
    {
        read();
    }

    void read();

    // The keycode that carries the key symbol at the lowest level, 0 if none.
    quint8 keycodeFor(quint32 keysym) const;
    // The key symbol of a keycode at a level (0 plain, 1 with Shift).
    quint32 keysymFor(quint8 keycode, int level) const;

    quint16 altMask = 0;
    quint16 superMask = 0;
    quint16 numLockMask = 0;

private:
    xcb_connection_t *connection_;
    quint8 minKeycode_ = 8;
    int perKeycode_ = 0;
    QList<quint32> keysyms_;
};

} // namespace pigmentry
