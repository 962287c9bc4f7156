// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shortcut/hot_key_service.h"

#include <QList>
#include <QMap>
#include <QPair>

namespace pigmentry::test {

// Hot keys without a desktop: combinations listed in refused answer with
// their status; every call is recorded.
class FakeHotKeys : public HotKeyService {
public:
    using Combination = QPair<quint32, quint32>; // key, modifiers

    QMap<Combination, int> refused;
    // Like a desktop portal: registrations are Pending until confirmAll().
    bool answersLater = false;
    QList<Combination> registerCalls;
    QMap<quint32, Combination> live; // handle -> combination

    int registerHotKey(quint32 key, quint32 modifiers, quint32 *handle) override
    {
        registerCalls.append({key, modifiers});
        if (const int status = refused.value({key, modifiers}, 0))
            return status;
        *handle = next_++;
        live.insert(*handle, {key, modifiers});
        return answersLater ? Pending : 0;
    }

    void unregisterHotKey(quint32 handle) override { live.remove(handle); }

    QList<Combination> registered() const { return live.values(); }

    // A new keyboard layout where every registered combination is taken.
    void loseAll(int status)
    {
        for (auto it = live.cbegin(); it != live.cend(); ++it)
            if (lost)
                lost(it.key(), status);
    }

    void confirmAll()
    {
        for (auto it = live.cbegin(); it != live.cend(); ++it)
            if (confirmed)
                confirmed(it.key());
    }

    // The user presses a combination: runs the action if it is registered.
    bool press(quint32 key, quint32 modifiers)
    {
        for (auto it = live.cbegin(); it != live.cend(); ++it) {
            if (it.value() == Combination{key, modifiers} && pressed) {
                pressed(it.key());
                return true;
            }
        }
        return false;
    }

private:
    quint32 next_ = 1;
};

} // namespace pigmentry::test
