// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QThread>

namespace pigmentry::test {

// org.kde.StatusNotifierWatcher with a host, as a panel that shows
// StatusNotifierItems runs it: Qt then puts tray icons there over D-Bus.
// Qt asks the watcher with blocking calls, so it answers from a thread of
// its own.
class FakeTrayWatcher : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)

public:
    FakeTrayWatcher();
    ~FakeTrayWatcher() override;
    // Registers the watcher on a new connection to the session bus.
    bool registerOnBus();

    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    // "bus name" or "bus name/object path" of each icon; safe from any thread.
    QStringList registeredItems() const;

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString &service);
    void RegisterStatusNotifierHost(const QString &) { }

private:
    QString connectionName_ = QStringLiteral("fake-tray-watcher");
    mutable QMutex mutex_;
    QStringList items_;
    QThread thread_;
};

} // namespace pigmentry::test
