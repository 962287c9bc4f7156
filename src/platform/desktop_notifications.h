// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop/desktop_services.h"

#include <QObject>

namespace pigmentry {

// Notifications through org.freedesktop.Notifications on the session bus:
// each one replaces the last, is transient (kept out of the history where
// the desktop keeps one), takes no focus and goes after its time. Calls are
// asynchronous; without a notification service nothing is shown.
class DesktopNotifications : public Notifications {
public:
    void show(const QString &summary, const QImage &icon, int timeoutMs) override;
    // Whether a notification service owns its name on the session bus.
    bool isAvailable() const override;
    // The desktop's id of the last one shown, once it has answered; 0 before.
    quint32 lastShown() const { return shown_; }

private:
    quint32 shown_ = 0; // the id of the last one, which the next replaces
    // Owns the calls in flight: an answer after this object is gone reaches
    // nothing.
    QObject calls_;
};

} // namespace pigmentry
