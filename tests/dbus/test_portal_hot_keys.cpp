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

// A fake desktop with the GlobalShortcuts portal, set up by the test before
// it is on the bus, and the client under test with what it reported.
struct Desktop {
    test::FakePortal portal;
    test::FakeGlobalShortcuts shortcuts{portal};
    std::unique_ptr<PortalHotKeys> hotKeys;
    std::unique_ptr<Reports> reports;
    quint32 handle = 0;

    // Puts the portal on the bus and registers Shift+Super+P.
    int start()
    {
        if (!portal.registerOnBus())
            return -1;
        hotKeys = std::make_unique<PortalHotKeys>();
        reports = std::make_unique<Reports>(*hotKeys);
        return hotKeys->registerHotKey(Qt::Key_P, shiftSuper, &handle);
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
        Desktop d;
        QCOMPARE(d.start(), HotKeyService::Pending);
        QTRY_COMPARE(d.reports->confirmed, 1);
        QVERIFY(d.reports->lost.isEmpty());
        QCOMPARE(d.shortcuts.boundTriggers, QStringList{QStringLiteral("LOGO+SHIFT+p")});
        // Registered again (after recording), it is known to be held.
        d.hotKeys->unregisterHotKey(d.handle);
        QCOMPARE(d.hotKeys->registerHotKey(Qt::Key_P, shiftSuper, &d.handle), 0);
    }

    // KDE Plasma 5.27: binds only from the session's options, and answers a
    // bind with success and an empty list.
    void plasmaBindsFromTheSession()
    {
        Desktop d;
        d.shortcuts.likePlasma = true;
        QCOMPARE(d.start(), HotKeyService::Pending);
        QTRY_COMPARE(d.reports->confirmed, 1);
        QCOMPARE(d.shortcuts.bound.value(QStringLiteral("pick")).toString(), QStringLiteral("LOGO+SHIFT+p"));
        QVERIFY(d.shortcuts.boundTriggers.isEmpty());

        // A new combination asked of BindShortcuts is answered without it:
        // not bound, and said so.
        d.hotKeys->unregisterHotKey(d.handle);
        QCOMPARE(d.hotKeys->registerHotKey(Qt::Key_K, 0x1800, &d.handle), HotKeyService::Pending);
        QTRY_COMPARE(d.reports->lost, QList<int>{HotKeyService::NotBound});
        QCOMPARE(d.reports->confirmed, 1);
        QVERIFY(logged.contains(QStringLiteral("The desktop did not bind the shortcut: its answer does not list it")));
    }

    // Activated is broadcast: another program's "pick" starts nothing.
    void onlyOurSessionPicks()
    {
        Desktop d;
        QCOMPARE(d.start(), HotKeyService::Pending);
        QTRY_COMPARE(d.reports->confirmed, 1);
        // Presses in order, each with its own token: only ours arrives.
        QStringList tokens;
        d.hotKeys->pressed = [&tokens](quint32) { tokens.append(qEnvironmentVariable("XDG_ACTIVATION_TOKEN")); };
        const auto token = [](const char *name) {
            return QVariantMap{{QStringLiteral("activation_token"), QString::fromLatin1(name)}};
        };
        d.shortcuts.activateElsewhere(QStringLiteral("pick"), token("theirs"));
        d.shortcuts.activate(QStringLiteral("pick"), token("ours"));
        QTRY_VERIFY(tokens.contains(QStringLiteral("ours")));
        QCOMPARE(tokens, QStringList{QStringLiteral("ours")});
        qunsetenv("XDG_ACTIVATION_TOKEN");
    }

    // A refused session is reported with the desktop's answer in the log.
    void aRefusedSessionSaysWhy()
    {
        Desktop d;
        d.shortcuts.sessionAnswer = 2;
        QCOMPARE(d.start(), HotKeyService::Pending);
        QTRY_COMPARE(d.reports->lost, QList<int>{HotKeyService::Refused});
        QCOMPARE(d.reports->confirmed, 0);
        QVERIFY2(logged.contains(
                     QStringLiteral("No global shortcut session: the desktop answered that the request failed")),
                 qPrintable(logged.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestPortalHotKeys)
#include "test_portal_hot_keys.moc"
