// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace pigmentry {

class Preferences;

// The stored key combination of the global shortcut.
struct ShortcutConfiguration {
    // Modifier bits, kept in the hot-key encoding the stored preference uses.
    static constexpr quint32 Super = 0x100;
    static constexpr quint32 Shift = 0x200;
    static constexpr quint32 Alt = 0x800;
    static constexpr quint32 Ctrl = 0x1000;
    static constexpr quint32 AllModifiers = Super | Shift | Alt | Ctrl;

    quint32 keyCode = 0; // a Qt::Key
    quint32 modifiers = 0; // bits above
    QString keyLabel; // the key's name on screen, "P" or "Space"

    // Shift+Super+P.
    static ShortcutConfiguration defaultConfiguration();

    // A real key (not a modifier or lock key), only the four modifier bits,
    // at least one of Super, Ctrl or Alt, and a label of 1 to 20 characters.
    bool isValid() const;
    // "Ctrl+Alt+Shift+Super+K": the modifiers in this fixed order, then the label.
    QString display() const;

    QByteArray toJson() const;
    static std::optional<ShortcutConfiguration> fromJson(const QByteArray &json);

    // The preference "pickerShortcut" holds the JSON bytes. Loading falls back
    // to the default for anything absent, unreadable or invalid.
    void save(Preferences &prefs) const;
    static ShortcutConfiguration load(const Preferences &prefs);

    friend bool operator==(const ShortcutConfiguration &, const ShortcutConfiguration &) = default;
};

// Shift, Control, Meta, Alt, AltGr, Super, Hyper and the lock keys: keys that
// only modify others.
bool isModifierOrLockKey(quint32 key);

} // namespace pigmentry
