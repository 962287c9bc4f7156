// SPDX-License-Identifier: GPL-3.0-or-later
// Notifications against a fake notification service on a private session
// bus (the test runs under its own dbus-daemon).
#include "platform/desktop_notifications.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QImage>
#include <QTest>

using namespace pigmentry;

namespace {

// org.freedesktop.Notifications, as a desktop's notification daemon offers it.
class FakeNotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call {
        QString app;
        uint replaces;
        QString summary;
        QVariantMap hints;
        int timeout;
    };
    QList<Call> calls;

public Q_SLOTS:
    uint Notify(const QString &app, uint replaces, const QString &, const QString &summary, const QString &,
                const QStringList &, const QVariantMap &hints, int timeout)
    {
        calls.append({app, replaces, summary, hints, timeout});
        return uint(calls.size()) + 40;
    }
};

} // namespace

class TestDesktopNotifications : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").isEmpty(), "not on a private bus");
    }

    void withoutAServiceNothingHappens()
    {
        DesktopNotifications notifications;
        notifications.show(QStringLiteral("Copied #FF8000"), QImage(), 3000); // no crash, no wait
    }

    // Each one replaces the last, carries the colour as its image, is
    // transient and goes after its time.
    void eachReplacesTheLast()
    {
        FakeNotificationService service;
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));

        DesktopNotifications notifications;
        QImage icon(64, 64, QImage::Format_RGB32);
        icon.fill(QColor(255, 128, 0));
        notifications.show(QStringLiteral("Copied #FF8000"), icon, 3000);
        QTRY_COMPARE(service.calls.size(), 1);
        QTRY_VERIFY(notifications.lastShown() != 0); // the reply with the id
        notifications.show(QStringLiteral("Copied #0080FF"), icon, 3000);
        QTRY_COMPARE(service.calls.size(), 2);

        const auto &first = service.calls.at(0);
        QCOMPARE(first.app, QStringLiteral("Pigmentry"));
        QCOMPARE(first.replaces, 0u);
        QCOMPARE(first.summary, QStringLiteral("Copied #FF8000"));
        QCOMPARE(first.timeout, 3000);
        QCOMPARE(first.hints.value(QStringLiteral("transient")).toBool(), true);
        const QDBusArgument image = first.hints.value(QStringLiteral("image-data")).value<QDBusArgument>();
        int width = 0, height = 0, stride = 0, bits = 0, channels = 0;
        bool alpha = false;
        QByteArray bytes;
        image.beginStructure();
        image >> width >> height >> stride >> alpha >> bits >> channels >> bytes;
        image.endStructure();
        QCOMPARE(QSize(width, height), QSize(64, 64));
        QCOMPARE(channels, 4);
        QCOMPARE(bytes.size(), qsizetype(stride) * height);
        QCOMPARE(QByteArray(bytes.constData(), 4), QByteArray("\xFF\x80\x00\xFF", 4));
        QCOMPARE(service.calls.at(1).replaces, 41u);

        bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
    }
};

QTEST_MAIN(TestDesktopNotifications)
#include "test_desktop_notifications.moc"
