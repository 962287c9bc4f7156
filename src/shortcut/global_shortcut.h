// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "hot_key_service.h"

#include <functional>
#include <optional>

namespace pigmentry {

// Registers one system-wide combination at a time and runs an action when it
// is pressed.
class GlobalShortcut {
public:
    explicit GlobalShortcut(HotKeyService &service);
    ~GlobalShortcut();
    GlobalShortcut(const GlobalShortcut &) = delete;
    GlobalShortcut &operator=(const GlobalShortcut &) = delete;

    // Registers the new combination before releasing the old one, so that a
    // refusal leaves the old registration and action in place. 0 on success,
    // Pending where the desktop answers later (through confirmed or lost),
    // otherwise the service's status.
    int registerKey(quint32 key, quint32 modifiers, std::function<void()> action);
    // Releases the current combination, if any; the action stays.
    void unregister();
    bool isRegistered() const { return ref_.has_value(); }

    // Runs with the service's status when the registered combination was
    // lost (after a change of the keyboard layout), or turned down late.
    std::function<void(int status)> lost;
    // Runs when the desktop confirms a Pending registration.
    std::function<void()> confirmed;

private:
    HotKeyService &service_;
    std::optional<quint32> ref_;
    std::function<void()> action_;
};

} // namespace pigmentry
