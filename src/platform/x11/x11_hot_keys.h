// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shortcut/hot_key_service.h"
#include "x11_keyboard.h"

#include <QAbstractNativeEventFilter>
#include <QList>

#include <memory>

struct xcb_connection_t;

namespace pigmentry {

// Hot keys as passive key grabs on the X root window. Each combination is
// grabbed four times, with and without NumLock and CapsLock, so that it works
// whatever lock is on; presses arrive through a native event filter.
class X11HotKeys : public HotKeyService, public QAbstractNativeEventFilter {
public:
    // Nothing when Qt does not run on X11.
    static std::unique_ptr<X11HotKeys> create();
    ~X11HotKeys() override;

    int registerHotKey(quint32 key, quint32 modifiers, quint32 *handle) override;
    void unregisterHotKey(quint32 handle) override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    X11HotKeys(xcb_connection_t *connection, quint32 root);

    struct Grab {
        quint32 key; // Qt::Key
        quint32 modifiers; // ShortcutConfiguration bits
        quint8 keycode = 0;
        quint16 mask = 0; // X modifier mask without locks
        QList<quint32> handles; // one per registration of this grab
    };

    int resolve(Grab &grab) const;
    int grab(const Grab &grab);
    void ungrab(const Grab &grab);
    QList<quint16> lockVariants() const;

    xcb_connection_t *connection_;
    quint32 root_;
    QList<Grab> grabs_;
    quint32 nextHandle_ = 1;
    X11Keyboard keyboard_;
};

} // namespace pigmentry
