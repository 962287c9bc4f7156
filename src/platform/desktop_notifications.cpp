// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_notifications.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QImage>
#include <QPointer>

namespace pigmentry {

namespace {

// The image as the notification protocol's "image-data" hint: width, height, row
// stride, alpha, bits a sample, channels, then the bytes (RGBA, 8 bits).
QDBusArgument imageData(const QImage &icon)
{
    const QImage image = icon.convertToFormat(QImage::Format_RGBA8888);
    QDBusArgument argument;
    argument.beginStructure();
    argument << image.width() << image.height() << int(image.bytesPerLine()) << true << 8 << 4
             << QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
    argument.endStructure();
    return argument;
}

} // namespace

void DesktopNotifications::show(const QString &summary, const QImage &icon, int timeoutMs)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("io.github.pigmentry.Pigmentry"));
    hints.insert(QStringLiteral("transient"), true);
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(0)));
    if (!icon.isNull())
        hints.insert(QStringLiteral("image-data"), QVariant::fromValue(imageData(icon)));
    call << QStringLiteral("Pigmentry") << shown_ << QString() << summary << QString() << QStringList() << hints
         << timeoutMs;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), &calls_);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [this, watcher] {
        const QDBusPendingReply<quint32> reply = *watcher;
        if (reply.isValid())
            shown_ = reply.value();
        watcher->deleteLater();
    });
}

bool DesktopNotifications::isAvailable() const
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface()
        && bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.Notifications")).value();
}

} // namespace pigmentry
