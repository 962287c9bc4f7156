// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop/desktop_services.h"

#include <memory>

namespace pigmentry {

// The hot-key service for this session: X11 key grabs where Qt runs on xcb,
// otherwise one that refuses every registration with NoService.
std::unique_ptr<HotKeyService> createHotKeyService();

} // namespace pigmentry
