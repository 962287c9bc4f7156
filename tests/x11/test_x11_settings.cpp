// SPDX-License-Identifier: GPL-3.0-or-later
// The Settings page's desktop effects against a real X server with a window
// manager: the taskbar hint on a window on screen, and the recorder with the
// real global grab, pressed with xdotool as a user would.
#include "platform/hot_keys.h"
#include "platform/qt_alerts.h"
#include "platform/taskbar.h"
#include "gui/studio/recorder_button.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"
#include "x11_tools.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace pigmentry;

namespace {

QString netWmState(const QWidget &window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {"-id", QString::number(window.winId()), "_NET_WM_STATE"});
    xprop.waitForFinished(5000);
    return QString::fromUtf8(xprop.readAllStandardOutput());
}

// The window the window manager says is active.
quint64 activeWindow()
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {"getactivewindow"});
    xdotool.waitForFinished(5000);
    return xdotool.readAllStandardOutput().trimmed().toULongLong();
}

bool windowManagerRuns()
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"});
    xprop.waitForFinished(5000);
    return xprop.readAllStandardOutput().contains("window id");
}

} // namespace

class TestX11Settings : public QObject {
    Q_OBJECT

    QProcess windowManager_;

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        windowManager_.start(QStringLiteral("openbox"), {"--sm-disable"});
        QVERIFY2(windowManager_.waitForStarted(5000), "openbox is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(windowManagerRuns(), 10000);
        // The manager announces itself before it manages new windows, and a
        // window mapped in between may never be shown: it is ready once a
        // probe window shows.
        QTRY_VERIFY_WITH_TIMEOUT(
            [] {
                QWidget probe;
                probe.show();
                return QTest::qWaitForWindowExposed(&probe, 1000);
            }(),
            10000);
    }

    void cleanupTestCase()
    {
        windowManager_.terminate();
        windowManager_.waitForFinished(5000);
    }

    // "Show in taskbar" changes a window on screen at once.
    void taskbarHintFollowsTheSwitch()
    {
        QWidget window;
        window.resize(300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!netWmState(window).contains("_NET_WM_STATE_SKIP_TASKBAR"));
        setShownInTaskbar(&window, false);
        QTRY_VERIFY_WITH_TIMEOUT(netWmState(window).contains("_NET_WM_STATE_SKIP_TASKBAR"), 5000);
        QVERIFY(netWmState(window).contains("_NET_WM_STATE_SKIP_PAGER"));
        setShownInTaskbar(&window, true);
        QTRY_VERIFY_WITH_TIMEOUT(!netWmState(window).contains("_NET_WM_STATE_SKIP_TASKBAR"), 5000);
    }

    // A window kept out of the taskbar and minimized has no entry to click:
    // bringing it to the front de-iconifies, raises and focuses it.
    void aMinimizedWindowComesBack()
    {
        QWidget window;
        window.resize(300, 200);
        setShownInTaskbar(&window, false);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showMinimized();
        QTRY_VERIFY_WITH_TIMEOUT(netWmState(window).contains("_NET_WM_STATE_HIDDEN"), 5000);
        bringToFront(&window);
        QTRY_VERIFY_WITH_TIMEOUT(!netWmState(window).contains("_NET_WM_STATE_HIDDEN"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), quint64(window.winId()), 5000);
    }

    // After an alert the window it stood over has the keyboard again, also
    // when it is kept out of the taskbar.
    void focusComesBackAfterAnAlert()
    {
        QWidget window;
        window.resize(300, 200);
        setShownInTaskbar(&window, false);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        bringToFront(&window);
        QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), quint64(window.winId()), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == &window, 5000);
        QTimer::singleShot(500, [] { test::xdotool({"key", "Return"}); });
        QtAlerts().inform(QStringLiteral("Something went wrong"), QStringLiteral("Details"));
        QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), quint64(window.winId()), 5000);
    }

    // While recording, the combination in force is the window's to record,
    // not a pick; Escape gives it back to the global grab.
    void recordingTakesTheCombinationFromTheGrab()
    {
        test::TempSettings temp;
        const std::unique_ptr<HotKeyService> service = createHotKeyService();
        ShortcutSettings shortcuts(temp.prefs(), *service);
        int picks = 0;
        shortcuts.action = [&] { ++picks; };
        shortcuts.activate();
        QVERIFY(shortcuts.registered());
        QVERIFY(test::xdotool({"key", "shift+super+p"}));
        QTRY_COMPARE_WITH_TIMEOUT(picks, 1, 5000);

        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *recorder = new ShortcutRecorder(shortcuts);
        layout->addWidget(recorder);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        recorder->button()->click();
        QVERIFY(shortcuts.recording());
        QVERIFY(test::xdotool({"key", "shift+super+p"}));
        QTRY_VERIFY_WITH_TIMEOUT(!shortcuts.recording(), 5000);
        QCOMPARE(recorder->button()->text(), QStringLiteral("Shift+Super+P"));
        QCOMPARE(picks, 1);
        QVERIFY(test::xdotool({"key", "shift+super+p"}));
        QTRY_COMPARE_WITH_TIMEOUT(picks, 2, 5000);

        recorder->button()->click();
        QVERIFY(test::xdotool({"key", "Escape"}));
        QTRY_VERIFY_WITH_TIMEOUT(!shortcuts.recording(), 5000);
        QVERIFY(test::xdotool({"key", "shift+super+p"}));
        QTRY_COMPARE_WITH_TIMEOUT(picks, 3, 5000);
        QVERIFY(shortcuts.error().isEmpty());
    }
};

QTEST_MAIN(TestX11Settings)
#include "test_x11_settings.moc"
