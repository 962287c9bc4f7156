// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_tray_watcher.h"

#include <QDBusMessage>

namespace pigmentry::test {

FakeTrayWatcher::FakeTrayWatcher()
{
    thread.start();
    moveToThread(&thread);
}

bool FakeTrayWatcher::registerOnBus()
{
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName);
    return bus.isConnected()
        && bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                              QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties)
        && bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

FakeTrayWatcher::~FakeTrayWatcher()
{
    QDBusConnection::disconnectFromBus(connectionName);
    thread.quit();
    thread.wait();
}

QStringList FakeTrayWatcher::registeredItems() const
{
    QMutexLocker lock(&mutex);
    return items;
}

void FakeTrayWatcher::RegisterStatusNotifierItem(const QString &service)
{
    // An item names its bus name, or only its object path, in which case
    // the caller's bus name is meant.
    QMutexLocker lock(&mutex);
    items.append(service.startsWith(u'/') ? message().service() + service : service);
}

} // namespace pigmentry::test
