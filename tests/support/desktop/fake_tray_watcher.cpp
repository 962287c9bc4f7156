// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_tray_watcher.h"

#include <QDBusMessage>

namespace pigmentry::test {

FakeTrayWatcher::FakeTrayWatcher()
{
    thread_.start();
    moveToThread(&thread_);
}

bool FakeTrayWatcher::registerOnBus()
{
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_);
    return bus.isConnected()
        && bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                              QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties)
        && bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

FakeTrayWatcher::~FakeTrayWatcher()
{
    QDBusConnection::disconnectFromBus(connectionName_);
    thread_.quit();
    thread_.wait();
}

QStringList FakeTrayWatcher::registeredItems() const
{
    QMutexLocker lock(&mutex_);
    return items_;
}

void FakeTrayWatcher::RegisterStatusNotifierItem(const QString &service)
{
    // An item names its bus name, or only its object path, in which case
    // the caller's bus name is meant.
    QMutexLocker lock(&mutex_);
    items_.append(service.startsWith(u'/') ? message().service() + service : service);
}

} // namespace pigmentry::test
