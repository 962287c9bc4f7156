// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/picker_desktop.h"

#include <QDBusConnection>
#include <QObject>

namespace pigmentry {

// The desktop's own sampler through the freedesktop Screenshot portal's
// PickColor. The answer arrives as a Response signal on a request object
// whose path is known before the call, so that a fast answer is not lost.
class PortalColorPicker : public QObject, public DesktopSampler {
    Q_OBJECT

public:
    explicit PortalColorPicker(QDBusConnection bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);

    void pickColor(Done done) override;

    // "x11:<hex id>" of the window the sampler belongs to; empty for none.
    QString parentWindow;
    // How long a request may stay unanswered before it is closed.
    int timeoutMs = 120000;

private:
    QDBusConnection bus_;
};

} // namespace pigmentry
