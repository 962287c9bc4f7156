// SPDX-License-Identifier: GPL-3.0-or-later
// The GlobalShortcuts portal client against a fake portal on a private
// session bus: a shortcut counts as bound only when the desktop's answer
// lists it, and only our own session's activations pick.
#include "fake_portal.h"
#include "platform/portal/portal_hot_keys.h"

#include <QTest>

using namespace pigmentry;

namespace {

constexpr quint32 shiftSuper = 0x300;

// What the client reported, one registration at a time.
struct Reports {
    QList<int> lost;
    int confirmed = 0;

    explicit Reports(HotKeyService &service)
    {
        service.lost = [this](quint32, int status) { lost.append(status); };
        service.confirmed = [this](quint32) { ++confirmed; };
    }
};

QStringList logged;

void keepInfo(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtInfoMsg)
        logged.append(message);
}

} // namespace

class TestPortalHotKeys : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").isEmpty(), "not on a private bus");
        qInstallMessageHandler(keepInfo);
    }

    void init() { logged.clear(); }

    // A desktop that binds what it is asked to: pending until its answer
    // lists the shortcut, and the shortcut travels with the session too.
    void boundWhenTheAnswerListsIt()
    {
        test::FakePortal portal;
        test::FakeGlobalShortcuts shortcuts(portal);
        QVERIFY(portal.registerOnBus());
        PortalHotKeys hotKeys;
        Reports reports(hotKeys);
        quint32 handle = 0;
        QCOMPARE(hotKeys.registerHotKey(Qt::Key_P, shiftSuper, &handle), HotKeyService::Pending);
        QTRY_COMPARE(reports.confirmed, 1);
        QVERIFY(reports.lost.isEmpty());
        QCOMPARE(shortcuts.boundTriggers, QStringList{QStringLiteral("LOGO+SHIFT+p")});
        // Registered again (after recording), it is known to be held.
        hotKeys.unregisterHotKey(handle);
        QCOMPARE(hotKeys.registerHotKey(Qt::Key_P, shiftSuper, &handle), 0);
    }

    // KDE Plasma 5.27: binds only from the session's options, and answers a
    // bind with success and an empty list.
    void plasmaBindsFromTheSession()
    {
        test::FakePortal portal;
        test::FakeGlobalShortcuts shortcuts(portal);
        shortcuts.likePlasma = true;
        QVERIFY(portal.registerOnBus());
        PortalHotKeys hotKeys;
        Reports reports(hotKeys);
        quint32 handle = 0;
        QCOMPARE(hotKeys.registerHotKey(Qt::Key_P, shiftSuper, &handle), HotKeyService::Pending);
        QTRY_COMPARE(reports.confirmed, 1);
        QCOMPARE(shortcuts.bound.value(QStringLiteral("pick")).toString(), QStringLiteral("LOGO+SHIFT+p"));
        QVERIFY(shortcuts.boundTriggers.isEmpty());

        // A new combination asked of BindShortcuts is answered without it:
        // not bound, and said so.
        hotKeys.unregisterHotKey(handle);
        QCOMPARE(hotKeys.registerHotKey(Qt::Key_K, 0x1800, &handle), HotKeyService::Pending);
        QTRY_COMPARE(reports.lost, QList<int>{HotKeyService::NotBound});
        QCOMPARE(reports.confirmed, 1);
        QVERIFY(logged.contains(QStringLiteral("The desktop did not bind the shortcut: its answer does not list it")));
    }

    // Activated is broadcast: another program's "pick" starts nothing.
    void onlyOurSessionPicks()
    {
        test::FakePortal portal;
        test::FakeGlobalShortcuts shortcuts(portal);
        QVERIFY(portal.registerOnBus());
        PortalHotKeys hotKeys;
        Reports reports(hotKeys);
        quint32 handle = 0;
        hotKeys.registerHotKey(Qt::Key_P, shiftSuper, &handle);
        QTRY_COMPARE(reports.confirmed, 1);
        // Presses in order, each with its own token: only ours arrives.
        QStringList tokens;
        hotKeys.pressed = [&tokens](quint32) { tokens.append(qEnvironmentVariable("XDG_ACTIVATION_TOKEN")); };
        const auto token = [](const char *name) {
            return QVariantMap{{QStringLiteral("activation_token"), QString::fromLatin1(name)}};
        };
        shortcuts.activateElsewhere(QStringLiteral("pick"), token("theirs"));
        shortcuts.activate(QStringLiteral("pick"), token("ours"));
        QTRY_VERIFY(tokens.contains(QStringLiteral("ours")));
        QCOMPARE(tokens, QStringList{QStringLiteral("ours")});
        qunsetenv("XDG_ACTIVATION_TOKEN");
    }

    // A refused session is reported with the desktop's answer in the log.
    void aRefusedSessionSaysWhy()
    {
        test::FakePortal portal;
        test::FakeGlobalShortcuts shortcuts(portal);
        shortcuts.sessionAnswer = 2;
        QVERIFY(portal.registerOnBus());
        PortalHotKeys hotKeys;
        Reports reports(hotKeys);
        quint32 handle = 0;
        hotKeys.registerHotKey(Qt::Key_P, shiftSuper, &handle);
        QTRY_COMPARE(reports.lost, QList<int>{HotKeyService::Refused});
        QCOMPARE(reports.confirmed, 0);
        QVERIFY2(logged.contains(
                     QStringLiteral("No global shortcut session: the desktop answered that the request failed")),
                 qPrintable(logged.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestPortalHotKeys)
#include "test_portal_hot_keys.moc"
