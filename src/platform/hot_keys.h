// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shortcut/hot_key_service.h"

#include <memory>

namespace pigmentry {

// The hot-key service for this session: X11 key grabs where Qt runs on xcb,
// otherwise one that refuses every registration with NoService.
std::unique_ptr<HotKeyService> createHotKeyService();

// The service where the session offers none.
class UnavailableHotKeys : public HotKeyService {
public:
    int registerHotKey(quint32, quint32, quint32 *) override { return NoService; }
    void unregisterHotKey(quint32) override { }
};

} // namespace pigmentry
