// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11_hot_keys.h"

#include "platform/x11/xcb_owned.h"
#include "shortcut/key_symbols.h"
#include "shortcut/shortcut_configuration.h"

#include <QChar>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>

namespace pigmentry {

std::unique_ptr<X11HotKeys> X11HotKeys::create()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return nullptr;
    xcb_connection_t *connection = x11->connection();
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return nullptr;
    return std::unique_ptr<X11HotKeys>(new X11HotKeys(connection, screen->root));
}

X11HotKeys::X11HotKeys(xcb_connection_t *connection, quint32 root)
    : connection_(connection)
    , root_(root)
    , keyboard_(connection)
{
    qGuiApp->installNativeEventFilter(this);
}

X11HotKeys::~X11HotKeys()
{
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
    for (const Grab &g : grabs_)
        ungrab(g);
    xcb_flush(connection_);
}

int X11HotKeys::resolve(Grab &g) const
{
    g.keycode = keyboard_.keycodeFor(keysymForKey(g.key));
    if (!g.keycode)
        return NoSuchKey;

    g.mask = 0;
    if (g.modifiers & ShortcutConfiguration::Shift)
        g.mask |= XCB_MOD_MASK_SHIFT;
    if (g.modifiers & ShortcutConfiguration::Ctrl)
        g.mask |= XCB_MOD_MASK_CONTROL;
    if (g.modifiers & ShortcutConfiguration::Alt) {
        if (!keyboard_.altMask)
            return NoSuchModifier;
        g.mask |= keyboard_.altMask;
    }
    if (g.modifiers & ShortcutConfiguration::Super) {
        if (!keyboard_.superMask)
            return NoSuchModifier;
        g.mask |= keyboard_.superMask;
    }
    return 0;
}

QList<quint16> X11HotKeys::lockVariants() const
{
    QList<quint16> variants{0, XCB_MOD_MASK_LOCK};
    if (keyboard_.numLockMask)
        variants << keyboard_.numLockMask << quint16(keyboard_.numLockMask | XCB_MOD_MASK_LOCK);
    return variants;
}

int X11HotKeys::grab(const Grab &g)
{
    QList<xcb_void_cookie_t> cookies;
    for (const quint16 locks : lockVariants())
        cookies << xcb_grab_key_checked(connection_, 1, root_, quint16(g.mask | locks), g.keycode, XCB_GRAB_MODE_ASYNC,
                                        XCB_GRAB_MODE_ASYNC);
    int status = 0;
    for (const xcb_void_cookie_t cookie : cookies) {
        const XcbOwned<xcb_generic_error_t> error(xcb_request_check(connection_, cookie));
        if (error && status == 0)
            status = -int(error->error_code);
    }
    if (status != 0)
        ungrab(g); // releases only the variants this client did get
    return status;
}

void X11HotKeys::ungrab(const Grab &g)
{
    for (const quint16 locks : lockVariants())
        xcb_ungrab_key(connection_, g.keycode, root_, quint16(g.mask | locks));
    xcb_flush(connection_);
}

int X11HotKeys::registerHotKey(quint32 key, quint32 modifiers, quint32 *handle)
{
    Grab candidate;
    candidate.key = key;
    candidate.modifiers = modifiers;
    if (const int status = resolve(candidate))
        return status;
    const quint32 newHandle = nextHandle_++;
    for (Grab &existing : grabs_) {
        if (existing.keycode == candidate.keycode && existing.mask == candidate.mask) {
            existing.handles << newHandle;
            *handle = newHandle;
            return 0;
        }
    }
    if (const int status = grab(candidate))
        return status;
    candidate.handles << newHandle;
    grabs_ << candidate;
    *handle = newHandle;
    return 0;
}

void X11HotKeys::unregisterHotKey(quint32 handle)
{
    for (qsizetype i = 0; i < grabs_.size(); ++i) {
        if (grabs_[i].handles.removeAll(handle) == 0)
            continue;
        if (grabs_[i].handles.isEmpty()) {
            ungrab(grabs_[i]);
            grabs_.removeAt(i);
        }
        return;
    }
}

bool X11HotKeys::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const quint8 type = event->response_type & 0x7f;

    if (type == XCB_MAPPING_NOTIFY) {
        // The layout changed: the keys may sit on other keycodes now.
        for (const Grab &g : grabs_)
            ungrab(g);
        keyboard_.read();
        for (Grab &g : grabs_) {
            int status = resolve(g);
            if (status == 0)
                status = grab(g);
            if (status != 0 && lost) {
                for (const quint32 handle : g.handles)
                    lost(handle, status);
            }
        }
        return false;
    }
    if (type != XCB_KEY_PRESS)
        return false;

    const auto *press = reinterpret_cast<const xcb_key_press_event_t *>(event);
    // Locks and buttons do not count; only the modifiers a combination uses.
    const quint16 relevant =
        quint16(XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | keyboard_.altMask | keyboard_.superMask);
    for (const Grab &g : grabs_) {
        if (press->detail == g.keycode && (press->state & relevant) == g.mask) {
            // The press made the passive grab active: the keyboard stays
            // ours until the key is released, so that a pick's own grab
            // would fail for as long as the combination is held. Let go now.
            xcb_ungrab_keyboard(connection_, press->time);
            xcb_flush(connection_);
            if (pressed)
                pressed(g.handles.constFirst());
            return true;
        }
    }
    return false;
}

} // namespace pigmentry
