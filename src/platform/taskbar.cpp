// SPDX-License-Identifier: GPL-3.0-or-later
#include "taskbar.h"

#include "platform/x11/xcb_owned.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstring>

namespace pigmentry {

namespace {

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const XcbOwned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, quint16(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

void bringToFront(QWidget *window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t *c = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window->winId());
    event.type = atom(c, "_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 2; // a pager: the user asked for it
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(c);
}

void setShownInTaskbar(QWidget *window, bool shown)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    // Other platforms (offscreen among them) may answer without a connection.
    if (!x11 || !x11->connection() || !window)
        return;
    xcb_connection_t *c = x11->connection();
    const xcb_window_t id = xcb_window_t(window->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    const xcb_atom_t hints[] = {atom(c, "_NET_WM_STATE_SKIP_TASKBAR"), atom(c, "_NET_WM_STATE_SKIP_PAGER")};

    if (window->isVisible()) {
        // A mapped window asks the window manager, which owns its state.
        for (const xcb_atom_t hint : hints) {
            xcb_client_message_event_t event{};
            event.response_type = XCB_CLIENT_MESSAGE;
            event.format = 32;
            event.window = id;
            event.type = state;
            event.data.data32[0] = shown ? 0 : 1; // remove : add
            event.data.data32[1] = hint;
            event.data.data32[3] = 1;
            xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                           reinterpret_cast<const char *>(&event));
        }
    }
    // An unmapped window carries the hints into its next mapping.
    else if (shown)
        xcb_delete_property(c, id, state);
    else
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, 2, hints);
    xcb_flush(c);
}

} // namespace pigmentry
