// SPDX-License-Identifier: GPL-3.0-or-later
// Another X client for the hot-key tests, written against xcb alone:
//   grab_helper hold   grabs Shift+Super+P, prints "held" and keeps the grab
//                      until its standard input closes
//   grab_helper try    grabs Shift+Super+P once; exit 0 when the server
//                      allowed it, 3 when it refused (another client holds it)
//   grab_helper keyboard  grabs the whole keyboard, prints "held" and keeps
//                      it until its standard input closes
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr xcb_keysym_t XK_p = 0x70, XK_Super_L = 0xffeb;

xcb_keycode_t keycodeOf(xcb_connection_t *c, xcb_keysym_t sym)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    auto *reply = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, setup->max_keycode - setup->min_keycode + 1), nullptr);
    xcb_keycode_t found = 0;
    if (reply) {
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply);
        const int n = xcb_get_keyboard_mapping_keysyms_length(reply);
        for (int i = 0; i < n && !found; ++i)
            if (syms[i] == sym)
                found = xcb_keycode_t(setup->min_keycode + i / reply->keysyms_per_keycode);
        std::free(reply);
    }
    return found;
}

// The ModN bit that holds the key, 0 when none does.
uint16_t modifierOf(xcb_connection_t *c, xcb_keycode_t key)
{
    auto *reply = xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr);
    uint16_t mask = 0;
    if (reply) {
        const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(reply);
        for (int m = 0; m < 8; ++m)
            for (int i = 0; i < reply->keycodes_per_modifier; ++i)
                if (codes[m * reply->keycodes_per_modifier + i] == key)
                    mask |= uint16_t(1u << m);
        std::free(reply);
    }
    return mask;
}

// Says "held", then keeps what it holds until its standard input closes.
void holdUntilStdinCloses()
{
    std::puts("held");
    std::fflush(stdout);
    char buffer[64];
    while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) { }
}

} // namespace

int main(int argc, char **argv)
{
    const bool hold = argc > 1 && std::strcmp(argv[1], "hold") == 0;
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    if (argc > 1 && std::strcmp(argv[1], "keyboard") == 0) {
        auto *grab = xcb_grab_keyboard_reply(
            c, xcb_grab_keyboard(c, 1, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC), nullptr);
        const bool held = grab && grab->status == XCB_GRAB_STATUS_SUCCESS;
        std::free(grab);
        if (!held)
            return 3;
        holdUntilStdinCloses();
        xcb_disconnect(c);
        return 0;
    }
    const xcb_keycode_t p = keycodeOf(c, XK_p);
    const uint16_t super = modifierOf(c, keycodeOf(c, XK_Super_L));
    if (!p || !super)
        return 1;
    const auto cookie = xcb_grab_key_checked(c, 1, root, uint16_t(XCB_MOD_MASK_SHIFT | super), p, XCB_GRAB_MODE_ASYNC,
                                             XCB_GRAB_MODE_ASYNC);
    if (xcb_generic_error_t *error = xcb_request_check(c, cookie)) {
        std::free(error);
        xcb_disconnect(c);
        return 3;
    }
    if (hold)
        holdUntilStdinCloses();
    xcb_disconnect(c);
    return 0;
}
