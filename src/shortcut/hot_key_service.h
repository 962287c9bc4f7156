// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <functional>

namespace pigmentry {

// The desktop's system-wide hot keys. Statuses are 0 for success and negative
// otherwise:
//   -1001  no hot-key service in this session (no X11 connection: Wayland
//          without the portal, the offscreen platform)
//   -1002  the key has no key on the current keyboard layout
//   -1003  a modifier has no key on the current keyboard layout
//   -1004  the desktop refused the binding, or the user dismissed it
//   -1005  the desktop answered without binding the combination (it may
//          have opened its own shortcut settings instead)
//   -N     the X server refused the grab with error N; -10 (BadAccess)
//          means another program holds the combination
class HotKeyService {
public:
    static constexpr int NoService = -1001;
    static constexpr int NoSuchKey = -1002;
    static constexpr int NoSuchModifier = -1003;
    static constexpr int Refused = -1004;
    static constexpr int NotBound = -1005;
    // Not a failure: the registration is taken, and the desktop's answer
    // follows through confirmed() or lost().
    static constexpr int Pending = 1;

    virtual ~HotKeyService() = default;

    // Claims key (a Qt::Key) with modifiers (the bits of ShortcutConfiguration)
    // for the whole desktop. On success gives 0, or Pending where the desktop
    // answers later, and a handle for unregistering;
    // the same combination may be registered more than once, and stays claimed
    // until every registration of it is released.
    virtual int registerHotKey(quint32 key, quint32 modifiers, quint32 *handle) = 0;
    virtual void unregisterHotKey(quint32 handle) = 0;

    // Called on the GUI thread, once per press of a registered combination.
    std::function<void(quint32 handle)> pressed;
    // Called on the GUI thread when the desktop's answer to a Pending
    // registration names the combination as bound.
    std::function<void(quint32 handle)> confirmed;
    // Called on the GUI thread when a registered combination could not be
    // claimed again after the keyboard layout changed, or when a desktop that
    // binds asynchronously turned it down, with the status of that attempt.
    // The registration stays; the next change tries again.
    std::function<void(quint32 handle, int status)> lost;
};

} // namespace pigmentry
