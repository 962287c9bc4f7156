// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QImage>
#include <QObject>

#include <functional>

namespace pigmentry {

// One image of the whole desktop through the freedesktop Screenshot portal,
// asked for without the portal's own dialog; the desktop may still ask the
// user once whether Pigmentry may take screenshots.
class PortalScreenshot : public QObject {
    Q_OBJECT

public:
    explicit PortalScreenshot(QDBusConnection bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);

    // done runs later on the GUI thread, exactly once: the image, or a null
    // image and the reason, with refused telling a refusal (no portal, or
    // the desktop's policy says no) from a desktop that failed to take it.
    // The file the portal wrote is deleted once read.
    using Done = std::function<void(const QImage &shot, const QString &error, bool refused)>;
    void take(Done done);

    // "x11:<hex id>" or "wayland:<handle>" of a window to attach to; empty for none.
    QString parentWindow;
    int timeoutMs = 60000;

private:
    QDBusConnection bus_;
};

} // namespace pigmentry
