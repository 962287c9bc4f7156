// SPDX-License-Identifier: GPL-3.0-or-later
#include "shortcut/key_symbols.h"

#include <Qt>

#include <algorithm>
#include <iterator>

namespace pigmentry {

namespace {

struct KeySymbol {
    quint32 key;
    quint32 keysym;
    const char *name;
};

// Keys without a character, by Qt's key code (keysymdef.h and
// XF86keysym.h give the symbols).
constexpr KeySymbol symbols[] = {
    {Qt::Key_Escape, 0xff1b, "Escape"},
    {Qt::Key_Tab, 0xff09, "Tab"},
    {Qt::Key_Backtab, 0xfe20, "ISO_Left_Tab"},
    {Qt::Key_Backspace, 0xff08, "BackSpace"},
    {Qt::Key_Return, 0xff0d, "Return"},
    {Qt::Key_Enter, 0xff8d, "KP_Enter"},
    {Qt::Key_Insert, 0xff63, "Insert"},
    {Qt::Key_Delete, 0xffff, "Delete"},
    {Qt::Key_Pause, 0xff13, "Pause"},
    {Qt::Key_Print, 0xff61, "Print"},
    {Qt::Key_SysReq, 0xff15, "Sys_Req"},
    {Qt::Key_Clear, 0xff0b, "Clear"},
    {Qt::Key_Home, 0xff50, "Home"},
    {Qt::Key_End, 0xff57, "End"},
    {Qt::Key_Left, 0xff51, "Left"},
    {Qt::Key_Up, 0xff52, "Up"},
    {Qt::Key_Right, 0xff53, "Right"},
    {Qt::Key_Down, 0xff54, "Down"},
    {Qt::Key_PageUp, 0xff55, "Page_Up"},
    {Qt::Key_PageDown, 0xff56, "Page_Down"},
    {Qt::Key_Menu, 0xff67, "Menu"},
    {Qt::Key_Help, 0xff6a, "Help"},
    {Qt::Key_Back, 0x1008ff26, "XF86Back"},
    {Qt::Key_Forward, 0x1008ff27, "XF86Forward"},
    {Qt::Key_Stop, 0x1008ff28, "XF86Stop"},
    {Qt::Key_Refresh, 0x1008ff29, "XF86Refresh"},
    {Qt::Key_VolumeDown, 0x1008ff11, "XF86AudioLowerVolume"},
    {Qt::Key_VolumeMute, 0x1008ff12, "XF86AudioMute"},
    {Qt::Key_VolumeUp, 0x1008ff13, "XF86AudioRaiseVolume"},
    {Qt::Key_MediaPlay, 0x1008ff14, "XF86AudioPlay"},
    {Qt::Key_MediaStop, 0x1008ff15, "XF86AudioStop"},
    {Qt::Key_MediaPrevious, 0x1008ff16, "XF86AudioPrev"},
    {Qt::Key_MediaNext, 0x1008ff17, "XF86AudioNext"},
    {Qt::Key_MediaRecord, 0x1008ff1c, "XF86AudioRecord"},
    {Qt::Key_MediaPause, 0x1008ff31, "XF86AudioPause"},
    {Qt::Key_HomePage, 0x1008ff18, "XF86HomePage"},
    {Qt::Key_LaunchMail, 0x1008ff19, "XF86Mail"},
    {Qt::Key_Search, 0x1008ff1b, "XF86Search"},
    {Qt::Key_Calculator, 0x1008ff1d, "XF86Calculator"},
    {Qt::Key_Favorites, 0x1008ff30, "XF86Favorites"},
    {Qt::Key_LaunchMedia, 0x1008ff32, "XF86AudioMedia"},
    {Qt::Key_Explorer, 0x1008ff5d, "XF86Explorer"},
    {Qt::Key_Tools, 0x1008ff81, "XF86Tools"},
    {Qt::Key_Calendar, 0x1008ff20, "XF86Calendar"},
    {Qt::Key_MonBrightnessUp, 0x1008ff02, "XF86MonBrightnessUp"},
    {Qt::Key_MonBrightnessDown, 0x1008ff03, "XF86MonBrightnessDown"},
    {Qt::Key_PowerOff, 0x1008ff2a, "XF86PowerOff"},
    {Qt::Key_Sleep, 0x1008ff2f, "XF86Sleep"},
    {Qt::Key_Eject, 0x1008ff2c, "XF86Eject"},
    {Qt::Key_Minus, 0x2d, "minus"},
    {Qt::Key_Equal, 0x3d, "equal"},
    {Qt::Key_Plus, 0x2b, "plus"},
    {Qt::Key_Comma, 0x2c, "comma"},
    {Qt::Key_Period, 0x2e, "period"},
    {Qt::Key_Slash, 0x2f, "slash"},
    {Qt::Key_Semicolon, 0x3b, "semicolon"},
    {Qt::Key_Apostrophe, 0x27, "apostrophe"},
    {Qt::Key_BracketLeft, 0x5b, "bracketleft"},
    {Qt::Key_BracketRight, 0x5d, "bracketright"},
    {Qt::Key_Backslash, 0x5c, "backslash"},
    {Qt::Key_QuoteLeft, 0x60, "grave"},
    {Qt::Key_Space, 0x20, "space"},
};

const KeySymbol *find(quint32 key)
{
    const auto found =
        std::find_if(std::begin(symbols), std::end(symbols), [key](const KeySymbol &s) { return s.key == key; });
    return found == std::end(symbols) ? nullptr : found;
}

} // namespace

quint32 keysymForKey(quint32 key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return 0xffbe + (key - Qt::Key_F1);
    if (const KeySymbol *symbol = find(key))
        return symbol->keysym;
    // Printable Latin-1 keys: the Qt key is the upper-case character, the
    // key symbol the lower-case one. Other characters have the Unicode
    // symbols 0x1000000 + code point.
    if ((key > 0x20 && key <= 0x7e) || (key >= 0xa0 && key <= 0xff))
        return QChar(char16_t(key)).toLower().unicode();
    if (key > 0xff && key < 0x110000 && !(key >= 0xd800 && key < 0xe000))
        return 0x1000000 + key;
    return 0;
}

QString keysymName(quint32 key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QString(QChar(char16_t(key - Qt::Key_A + 'a')));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QString(QChar(char16_t(key)));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    if (const KeySymbol *symbol = find(key))
        return QString::fromLatin1(symbol->name);
    // Other printable keys by their Unicode name, which XKB also reads.
    if (key >= 0xa0 && key < 0x110000 && !(key >= 0xd800 && key < 0xe000))
        return QStringLiteral("U%1").arg(key, 4, 16, QLatin1Char('0')).toUpper();
    return QString();
}

} // namespace pigmentry
