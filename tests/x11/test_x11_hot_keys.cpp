// SPDX-License-Identifier: GPL-3.0-or-later
// The X11 hot keys against a real X server (each run gets its own Xvfb),
// pressed with xdotool as a user would.
#include "platform/hot_keys.h"
#include "platform/x11/x11_hot_keys.h"
#include "shortcut/global_shortcut.h"
#include "shortcut/shortcut_configuration.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>

using namespace pigmentry;
using Config = ShortcutConfiguration;

namespace {

constexpr quint32 shiftSuper = Config::Shift | Config::Super;

bool xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString helperPath()
{
    return QCoreApplication::applicationDirPath() + QLatin1String("/grab_helper");
}

int tryGrabElsewhere()
{
    return QProcess::execute(helperPath(), {QStringLiteral("try")});
}

} // namespace

class TestX11HotKeys : public QObject {
    Q_OBJECT

    std::unique_ptr<HotKeyService> service_;

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY2(QFile::exists(helperPath()), "the grab helper is missing");
        QVERIFY2(xdotool({"version"}), "xdotool is not installed");
        service_ = createHotKeyService();
        QVERIFY(dynamic_cast<X11HotKeys *>(service_.get()));
    }

    void pressRunsTheActionOnce()
    {
        GlobalShortcut shortcut(*service_);
        int presses = 0;
        QCOMPARE(shortcut.registerKey(Qt::Key_P, shiftSuper, [&] { ++presses; }), 0);

        QVERIFY(xdotool({"key", "shift+super+p"}));
        QTRY_COMPARE_WITH_TIMEOUT(presses, 1, 5000);
        // Another combination on the same key does not count. A second
        // shortcut pressed after them tells when the server has sent them all.
        const std::unique_ptr<HotKeyService> second = createHotKeyService();
        GlobalShortcut sentinel(*second);
        int sentinelPresses = 0;
        QCOMPARE(sentinel.registerKey(Qt::Key_K, Config::Ctrl | Config::Alt, [&] { ++sentinelPresses; }), 0);
        QVERIFY(xdotool({"key", "super+p"}));
        QVERIFY(xdotool({"key", "ctrl+shift+super+p"}));
        QVERIFY(xdotool({"key", "ctrl+alt+k"}));
        QTRY_COMPARE_WITH_TIMEOUT(sentinelPresses, 1, 5000);
        QCOMPARE(presses, 1);
    }

    void worksWithNumLockAndCapsLockOn()
    {
        GlobalShortcut shortcut(*service_);
        int presses = 0;
        QCOMPARE(shortcut.registerKey(Qt::Key_P, shiftSuper, [&] { ++presses; }), 0);

        QVERIFY(xdotool({"key", "Num_Lock"}));
        QVERIFY(xdotool({"key", "shift+super+p"}));
        QTRY_COMPARE_WITH_TIMEOUT(presses, 1, 5000);
        QVERIFY(xdotool({"key", "Caps_Lock"}));
        QVERIFY(xdotool({"key", "shift+super+p"}));
        QTRY_COMPARE_WITH_TIMEOUT(presses, 2, 5000);
        QVERIFY(xdotool({"key", "Num_Lock"}));
        QVERIFY(xdotool({"key", "shift+super+p"}));
        QTRY_COMPARE_WITH_TIMEOUT(presses, 3, 5000);
        QVERIFY(xdotool({"key", "Caps_Lock"}));
    }

    void otherKeysAndModifiersMap()
    {
        GlobalShortcut shortcut(*service_);
        int presses = 0;
        QCOMPARE(shortcut.registerKey(Qt::Key_F5, Config::Alt | Config::Super, [&] { ++presses; }), 0);
        QVERIFY(xdotool({"key", "alt+super+F5"}));
        QTRY_COMPARE_WITH_TIMEOUT(presses, 1, 5000);
        QCOMPARE(shortcut.registerKey(Qt::Key_Space, Config::Super, [&] { presses += 10; }), 0);
        QVERIFY(xdotool({"key", "super+space"}));
        QTRY_COMPARE_WITH_TIMEOUT(presses, 11, 5000);
        QCOMPARE(shortcut.registerKey(Qt::Key_K, Config::Ctrl | Config::Alt, [&] { presses += 100; }), 0);
        QVERIFY(xdotool({"key", "ctrl+alt+k"}));
        QTRY_COMPARE_WITH_TIMEOUT(presses, 111, 5000);
        // Keys without a character: editing, system and media keys.
        QCOMPARE(shortcut.registerKey(Qt::Key_Insert, Config::Ctrl | Config::Alt, [&] { presses += 1000; }), 0);
        QVERIFY(xdotool({"key", "ctrl+alt+Insert"}));
        QTRY_COMPARE_WITH_TIMEOUT(presses, 1111, 5000);
        QCOMPARE(shortcut.registerKey(Qt::Key_Print, Config::Super, [&] { presses += 10000; }), 0);
        QVERIFY(xdotool({"key", "super+Print"}));
        QTRY_COMPARE_WITH_TIMEOUT(presses, 11111, 5000);
        QCOMPARE(shortcut.registerKey(Qt::Key_VolumeUp, Config::Ctrl, [&] { presses += 100000; }), 0);
        QVERIFY(xdotool({"key", "ctrl+XF86AudioRaiseVolume"}));
        QTRY_COMPARE_WITH_TIMEOUT(presses, 111111, 5000);
        quint32 handle = 0;
        QCOMPARE(service_->registerHotKey(0x10ffff, Config::Ctrl, &handle), HotKeyService::NoSuchKey);
    }

    void takenCombinationIsRefusedWithItsMessage()
    {
        QProcess holder;
        holder.start(helperPath(), {QStringLiteral("hold")});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));

        test::TempSettings temp;
        ShortcutSettings settings(temp.prefs(), *service_);
        settings.action = [] {};
        settings.activate();
        QCOMPARE(settings.error(),
                 QStringLiteral("Shortcut unavailable (-10). Choose another combination. "
                                "You can still pick from the tray icon."));
        settings.beginRecording();
        settings.set(Config::defaultConfiguration());
        QVERIFY(settings.error().startsWith(QLatin1String("That shortcut could not be registered (-10).")));
        QVERIFY(settings.recording());

        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
        // With the other client gone, the same registration works.
        settings.set(Config::defaultConfiguration());
        QVERIFY(settings.error().isEmpty());
        QVERIFY(!settings.recording());
    }

    void unregisteringReleasesTheKeys()
    {
        {
            GlobalShortcut shortcut(*service_);
            QCOMPARE(shortcut.registerKey(Qt::Key_P, shiftSuper, [] {}), 0);
            QCOMPARE(tryGrabElsewhere(), 3);
            shortcut.unregister();
            QCOMPARE(tryGrabElsewhere(), 0);
            QCOMPARE(shortcut.registerKey(Qt::Key_P, shiftSuper, [] {}), 0);
        }
        // Teardown releases them too.
        QCOMPARE(tryGrabElsewhere(), 0);
    }

    void reRegisteringTheSameCombinationKeepsIt()
    {
        GlobalShortcut shortcut(*service_);
        int presses = 0;
        QCOMPARE(shortcut.registerKey(Qt::Key_P, shiftSuper, [&] { ++presses; }), 0);
        QCOMPARE(shortcut.registerKey(Qt::Key_P, shiftSuper, [&] { presses += 10; }), 0);
        QCOMPARE(tryGrabElsewhere(), 3);
        QVERIFY(xdotool({"key", "shift+super+p"}));
        QTRY_COMPARE_WITH_TIMEOUT(presses, 10, 5000);
    }
};

QTEST_MAIN(TestX11HotKeys)
#include "test_x11_hot_keys.moc"
