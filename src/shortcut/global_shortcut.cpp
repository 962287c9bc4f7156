// SPDX-License-Identifier: GPL-3.0-or-later
#include "global_shortcut.h"

namespace pigmentry {

GlobalShortcut::GlobalShortcut(HotKeyService &service)
    : service_(service)
{
    service.pressed = [this](quint32) {
        if (ref_ && action_)
            action_();
    };
    service.lost = [this](quint32 handle, int status) {
        if (ref_ && *ref_ == handle && lost)
            lost(status);
    };
    service.confirmed = [this](quint32 handle) {
        if (ref_ && *ref_ == handle && confirmed)
            confirmed();
    };
}

GlobalShortcut::~GlobalShortcut()
{
    unregister();
    service_.pressed = nullptr;
    service_.lost = nullptr;
    service_.confirmed = nullptr;
}

int GlobalShortcut::registerKey(quint32 key, quint32 modifiers, std::function<void()> newAction)
{
    quint32 handle = 0;
    const int status = service_.registerHotKey(key, modifiers, &handle);
    if (status != 0 && status != HotKeyService::Pending)
        return status;
    unregister();
    ref_ = handle;
    action_ = std::move(newAction);
    return status;
}

void GlobalShortcut::unregister()
{
    if (ref_)
        service_.unregisterHotKey(*ref_);
    ref_.reset();
}

} // namespace pigmentry
