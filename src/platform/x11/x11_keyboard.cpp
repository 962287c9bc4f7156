// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11_keyboard.h"

#include "platform/x11/xcb_owned.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace pigmentry {

namespace {

constexpr quint32 XK_Alt_L = 0xffe9, XK_Alt_R = 0xffea, XK_Meta_L = 0xffe7, XK_Meta_R = 0xffe8;
constexpr quint32 XK_Super_L = 0xffeb, XK_Super_R = 0xffec, XK_Num_Lock = 0xff7f;

} // namespace

void X11Keyboard::read()
{
    const xcb_setup_t *setup = xcb_get_setup(connection_);
    minKeycode_ = setup->min_keycode;
    perKeycode_ = 0;
    keysyms_.clear();
    altMask = superMask = numLockMask = 0;

    const XcbOwned<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
        connection_,
        xcb_get_keyboard_mapping(connection_, setup->min_keycode, quint8(setup->max_keycode - setup->min_keycode + 1)),
        nullptr));
    if (!mapping)
        return;
    perKeycode_ = mapping->keysyms_per_keycode;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    keysyms_ = QList<quint32>(syms, syms + xcb_get_keyboard_mapping_keysyms_length(mapping.get()));

    // Mod4 is only the usual place of Super; ask the server.
    const XcbOwned<xcb_get_modifier_mapping_reply_t> modmap(
        xcb_get_modifier_mapping_reply(connection_, xcb_get_modifier_mapping(connection_), nullptr));
    if (!modmap)
        return;
    const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(modmap.get());
    const int perModifier = modmap->keycodes_per_modifier;
    for (int modifier = 3; modifier < 8; ++modifier) {
        const quint16 bit = quint16(1u << modifier);
        for (int i = 0; i < perModifier; ++i) {
            const quint8 code = codes[modifier * perModifier + i];
            for (int level = 0; code && level < perKeycode_; ++level) {
                const quint32 sym = keysymFor(code, level);
                if (sym == XK_Alt_L || sym == XK_Alt_R || sym == XK_Meta_L || sym == XK_Meta_R)
                    altMask |= bit;
                else if (sym == XK_Super_L || sym == XK_Super_R)
                    superMask |= bit;
                else if (sym == XK_Num_Lock)
                    numLockMask |= bit;
            }
        }
    }
    // Where Super and Alt share a modifier, keep Alt to the bits Super does
    // not use, so that Super+K and Alt+K stay different combinations.
    if ((altMask & superMask) && altMask != superMask)
        altMask &= quint16(~superMask);
}

quint8 X11Keyboard::keycodeFor(quint32 keysym) const
{
    if (perKeycode_ == 0 || keysym == 0)
        return 0;
    const qsizetype codes = keysyms_.size() / perKeycode_;
    for (int level = 0; level < perKeycode_; ++level)
        for (qsizetype i = 0; i < codes; ++i)
            if (keysyms_.at(i * perKeycode_ + level) == keysym)
                return quint8(minKeycode_ + i);
    return 0;
}

quint32 X11Keyboard::keysymFor(quint8 keycode, int level) const
{
    if (keycode < minKeycode_ || level < 0 || level >= perKeycode_)
        return 0;
    const qsizetype at = qsizetype(keycode - minKeycode_) * perKeycode_ + level;
    return at < keysyms_.size() ? keysyms_.at(at) : 0;
}

} // namespace pigmentry
