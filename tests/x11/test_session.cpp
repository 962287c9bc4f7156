// SPDX-License-Identifier: GPL-3.0-or-later
// Which desktop services a session gets: a real X11 session grabs and
// captures; Qt on xcb inside a Wayland session (XWayland) must not, since
// there it would see only XWayland's own windows: it takes the portals'
// way, as on Wayland.
#include "picker/frozen_screen_source.h"
#include "platform/desktop_factory.h"
#include "platform/portal/portal_hot_keys.h"
#include "platform/session.h"
#include "shortcut/hot_key_service.h"

#include <QApplication>
#include <QTest>

using namespace pigmentry;

class TestSession : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void x11SessionGrabsAndCaptures()
    {
        QCOMPARE(sessionKind(), SessionKind::X11);
        const auto services = createDesktopServices();
        quint32 handle = 0;
        QCOMPARE(services->hotKeys->registerHotKey(Qt::Key_K, 0x1800, &handle), 0);
        services->hotKeys->unregisterHotKey(handle);
        QVERIFY(services->screenAccess->preflight());
    }

    void xwaylandUsesThePortalInstead_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("session type") << QByteArray("XDG_SESSION_TYPE") << QByteArray("wayland");
        QTest::newRow("wayland display") << QByteArray("WAYLAND_DISPLAY") << QByteArray("wayland-0");
    }

    void xwaylandUsesThePortalInstead()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QByteArray, value);
        qputenv(variable.constData(), value);
        QCOMPARE(sessionKind(), SessionKind::XWayland);
        const auto services = createDesktopServices();
        // The shortcut through the portal, and no live capture: each pick
        // takes a screenshot through the portal and runs on that frame.
        QVERIFY(dynamic_cast<PortalHotKeys *>(services->hotKeys.get()));
        QVERIFY(dynamic_cast<FrozenScreenSource *>(services->screens.get()));
        QVERIFY(!services->screenAccess->preflight());
        qunsetenv(variable.constData());
    }
};

QTEST_MAIN(TestSession)
#include "test_session.moc"
