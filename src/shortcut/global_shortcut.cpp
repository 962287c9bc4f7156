// SPDX-License-Identifier: GPL-3.0-or-later
#include "global_shortcut.h"

namespace pigmentry {

GlobalShortcut::GlobalShortcut(HotKeyService &service)
    : service(service)
{
    service.pressed = [this](quint32) {
        if (ref && action)
            action();
    };
    service.lost = [this](quint32 handle, int status) {
        if (ref && *ref == handle && lost)
            lost(status);
    };
    service.confirmed = [this](quint32 handle) {
        if (ref && *ref == handle && confirmed)
            confirmed();
    };
}

GlobalShortcut::~GlobalShortcut()
{
    unregister();
    service.pressed = nullptr;
    service.lost = nullptr;
    service.confirmed = nullptr;
}

int GlobalShortcut::registerKey(quint32 key, quint32 modifiers, std::function<void()> newAction)
{
    quint32 handle = 0;
    const int status = service.registerHotKey(key, modifiers, &handle);
    if (status != 0 && status != HotKeyService::Pending)
        return status;
    unregister();
    ref = handle;
    action = std::move(newAction);
    return status;
}

void GlobalShortcut::unregister()
{
    if (ref)
        service.unregisterHotKey(*ref);
    ref.reset();
}

} // namespace pigmentry
