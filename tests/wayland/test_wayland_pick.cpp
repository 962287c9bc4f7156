// SPDX-License-Identifier: GPL-3.0-or-later
// The pick and the global shortcut in a real Wayland session (headless
// weston), with the desktop portal faked on a private bus: the screenshot is
// a known image, so every picked colour is known to the bit.
#include "fake_picker_desktop.h"
#include "fake_portal.h"
#include "temp_settings.h"
#include "wayland_tools.h"

#include "cli/instance_commands.h"
#include "picker/screen_picker.h"
#include "platform/desktop_factory.h"
#include "platform/session.h"
#include "shortcut/shortcut_settings.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace pigmentry;
using test::desktopShot;
using test::frozenWindows;
using test::shotColor;

namespace {

// A pick through the session's own services, with alerts that answer at once.
struct Session {
    test::TempSettings temp;
    std::unique_ptr<DesktopServices> services = createDesktopServices();
    test::FakeAlerts *alerts = new test::FakeAlerts;
    std::unique_ptr<ScreenPicker> picker;
    std::optional<RGBA> picked;

    Session()
    {
        services->alerts.reset(alerts);
        picker = std::make_unique<ScreenPicker>(temp.prefs(), services->pickerDesktop());
    }
    void start()
    {
        picker->start([this](const RGBA &color) { picked = color; });
    }
    // Starts a pick and gives its one window once it is on screen, or
    // nothing when none comes.
    QWidget *startAndWait()
    {
        start();
        const bool shown = QTest::qWaitFor([] { return frozenWindows().size() == 1; }, test::serverWaitMs);
        return shown ? frozenWindows().first() : nullptr;
    }
};

} // namespace

class TestWaylandPick : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        QCOMPARE(sessionKind(), SessionKind::Wayland);
        QVERIFY2(!qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").isEmpty(), "not on a private bus");
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        // The scale comes from the compositor's output or from Qt's factor.
        const int scale = std::max(1, qEnvironmentVariableIntValue("WESTON_SCALE"))
            * std::max(1, qEnvironmentVariableIntValue("QT_SCALE_FACTOR"));
        QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), double(scale));
    }

    void cleanup()
    {
        // Whatever a case left is gone before the next one looks.
        QTRY_VERIFY_WITH_TIMEOUT(frozenWindows().isEmpty(), test::serverWaitMs);
    }

    // Pointer, arrows one device pixel, Shift ten, Return: the exact pixel of
    // the screenshot, which is deleted once read.
    void picksThePixelOfTheFrozenFrame()
    {
        test::FakePortal portal;
        portal.shot = desktopShot();
        QVERIFY(portal.registerOnBus());
        Session session;
        QWidget *window = session.startAndWait();
        QVERIFY(window);
        QCOMPARE(portal.screenshotOptions.value("interactive"), QVariant(false));
        QVERIFY(!QFile::exists(portal.screenshotFiles.value(0)));
        QTRY_VERIFY_WITH_TIMEOUT(window->isFullScreen(), test::serverWaitMs);

        const double scale = window->devicePixelRatioF();
        QTest::mouseMove(window->windowHandle(), QPoint(101, 57));
        QTRY_COMPARE_WITH_TIMEOUT(session.picker->position(), QPointF(101, 57), test::serverWaitMs);
        QTest::keyClick(window, Qt::Key_Right);
        QTest::keyClick(window, Qt::Key_Right);
        QTest::keyClick(window, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(window, Qt::Key_Up);
        QTest::keyClick(window, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(session.picked.has_value(), test::serverWaitMs);
        const int x = int(101 * scale) + 2;
        const int y = int(57 * scale) + 9;
        QCOMPARE(*session.picked, shotColor(x, y));
        QVERIFY(!session.picker->isActive());
    }

    // The magnifier is drawn over the frame where the pointer is.
    void showsTheMagnifierOverTheFrame()
    {
        test::FakePortal portal;
        portal.shot = desktopShot();
        QVERIFY(portal.registerOnBus());
        Session session;
        QWidget *window = session.startAndWait();
        QVERIFY(window);
        QTest::mouseMove(window->windowHandle(), QPoint(300, 200));
        QTRY_VERIFY_WITH_TIMEOUT(session.picker->currentSample().has_value(), test::serverWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(window->grab().toImage().pixel(300 + 28 + 105, 200 + 16 + 5)
                    != portal.shot.pixel(int((300 + 28 + 105) * window->devicePixelRatioF()),
                                         int((200 + 16 + 5) * window->devicePixelRatioF())), test::serverWaitMs);
        QTest::keyClick(window, Qt::Key_Escape);
    }

    void escapeAndRightClickCancel_data()
    {
        QTest::addColumn<bool>("rightClick");
        QTest::newRow("Escape") << false;
        QTest::newRow("right click") << true;
    }

    void escapeAndRightClickCancel()
    {
        QFETCH(bool, rightClick);
        test::FakePortal portal;
        portal.shot = desktopShot();
        QVERIFY(portal.registerOnBus());
        Session session;
        QSignalSpy ended(session.picker.get(), &ScreenPicker::ended);
        QWidget *window = session.startAndWait();
        QVERIFY(window);
        if (rightClick)
            QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, QPoint(40, 40));
        else
            QTest::keyClick(window, Qt::Key_Escape);
        QCOMPARE(ended.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(frozenWindows().isEmpty(), test::serverWaitMs);
        QVERIFY(!session.picked);
    }

    // A refused screenshot and a desktop without the portal both end in the
    // alert that offers the desktop's own picker.
    void noScreenshotShowsTheAlert_data()
    {
        QTest::addColumn<bool>("portalRuns");
        QTest::newRow("refused") << true;
        QTest::newRow("no portal") << false;
    }

    void noScreenshotShowsTheAlert()
    {
        QFETCH(bool, portalRuns);
        test::FakePortal portal;
        portal.refuseScreenshot = true;
        if (portalRuns)
            QVERIFY(portal.registerOnBus());
        Session session;
        QSignalSpy ended(session.picker.get(), &ScreenPicker::ended);
        session.start();
        QVERIFY(session.picker->isActive());
        QVERIFY(ended.wait());
        QCOMPARE(session.alerts->messages.size(), 1);
        QVERIFY(session.alerts->messages.first().startsWith(
            QLatin1String("Precision picker needs screen capture access|This desktop session does not let")));
        QVERIFY(session.alerts->messages.first().endsWith(QLatin1String("|Use Desktop Picker,Open Settings,Cancel")));
        QVERIFY(frozenWindows().isEmpty());
    }

    // A desktop that gives up on the shot (KDE's portal without a Pictures
    // folder answers "cancelled") has refused nothing: the alert says what
    // failed and what to do, and the picker mode stays.
    void aScreenshotTheDesktopCouldNotTakeIsAFailure()
    {
        test::FakePortal portal;
        portal.cancelScreenshot = true;
        QVERIFY(portal.registerOnBus());
        Session session;
        QSignalSpy ended(session.picker.get(), &ScreenPicker::ended);
        session.start();
        QVERIFY(ended.wait());
        QCOMPARE(session.alerts->messages.size(), 1);
        const QString alert = session.alerts->messages.first();
        QVERIFY2(alert.startsWith(QLatin1String("Color picking could not continue|Screen capture failed: the desktop "
                                                "could not take the screenshot.")),
                 qPrintable(alert));
        QVERIFY(alert.contains(QLatin1String("Pictures folder")));
        QVERIFY(!session.temp.prefs().useNativePicker());
        QVERIFY(frozenWindows().isEmpty());
    }

    // The shortcut: one session with the fixed token, listed before bound,
    // bound to the stored combination; the desktop's press starts a pick.
    void portalShortcutStartsAPick()
    {
        test::FakePortal portal;
        test::FakeGlobalShortcuts shortcuts(portal);
        portal.shot = desktopShot();
        QVERIFY(portal.registerOnBus());
        Session session;
        ShortcutSettings settings(session.temp.prefs(), *session.services->hotKeys);
        settings.action = [&session] { session.start(); };
        settings.activate();
        // Shown as bound once the desktop's answer lists it.
        QVERIFY(!settings.registered());
        QTRY_VERIFY_WITH_TIMEOUT(settings.registered(), test::serverWaitMs);
        QCOMPARE(shortcuts.boundTriggers, QStringList{QStringLiteral("LOGO+SHIFT+p")});
        QCOMPARE(shortcuts.sessionTokens, QStringList{QStringLiteral("pigmentry")});
        QCOMPARE(shortcuts.lists, 1);

        // The desktop's activation token goes where Qt's Wayland windows
        // look for it (weston 10 has no activation protocol, so it stays).
        shortcuts.activate(QStringLiteral("pick"), {{QStringLiteral("activation_token"), QStringLiteral("token-1")}});
        QTRY_COMPARE_WITH_TIMEOUT(frozenWindows().size(), 1, test::serverWaitMs);
        QCOMPARE(qgetenv("XDG_ACTIVATION_TOKEN"), QByteArray("token-1"));
        qunsetenv("XDG_ACTIVATION_TOKEN");
        QTest::keyClick(frozenWindows().first(), Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(frozenWindows().isEmpty(), test::serverWaitMs);

        // A new combination from the recorder is asked of the desktop.
        settings.beginRecording();
        settings.set(ShortcutConfiguration{Qt::Key_K, 0x1800, QStringLiteral("K")});
        QTRY_COMPARE_WITH_TIMEOUT(shortcuts.boundTriggers.size(), 2, test::serverWaitMs);
        QCOMPARE(shortcuts.boundTriggers.last(), QStringLiteral("CTRL+ALT+k"));
        QTRY_VERIFY_WITH_TIMEOUT(settings.registered(), test::serverWaitMs);
        QVERIFY(settings.error().isEmpty());
    }

    // A binding the desktop holds already is the user's and is not asked for
    // again; a refused bind and a desktop without the portal are reported.
    void portalShortcutOutcomes()
    {
        test::FakePortal portal;
        test::FakeGlobalShortcuts shortcuts(portal);
        shortcuts.bound.insert(QStringLiteral("pick"), QStringLiteral("Ctrl+Alt+P"));
        QVERIFY(portal.registerOnBus());
        Session session;
        ShortcutSettings settings(session.temp.prefs(), *session.services->hotKeys);
        int presses = 0;
        settings.action = [&presses] { ++presses; };
        settings.activate();
        QTRY_COMPARE_WITH_TIMEOUT(shortcuts.lists, 1, test::serverWaitMs);
        // The list's answer arrives after the fake has counted the call.
        QTRY_VERIFY_WITH_TIMEOUT(settings.registered(), test::serverWaitMs);
        // Already bound: a press works, and it was not bound again.
        shortcuts.activate(QStringLiteral("pick"));
        QTRY_COMPARE_WITH_TIMEOUT(presses, 1, test::serverWaitMs);
        QVERIFY(shortcuts.boundTriggers.isEmpty());

        shortcuts.refuseBind = true;
        settings.beginRecording();
        settings.set(ShortcutConfiguration{Qt::Key_J, 0x1100, QStringLiteral("J")});
        QVERIFY(!settings.registered());
        QTRY_VERIFY_WITH_TIMEOUT(!settings.error().isEmpty(), test::serverWaitMs);
        QCOMPARE(shortcuts.boundTriggers, QStringList{QStringLiteral("LOGO+CTRL+j")});
        QVERIFY(settings.error().startsWith(QLatin1String("Shortcut unavailable (-1004)")));
    }

    void noGlobalShortcutsPortal()
    {
        test::FakePortal portal; // Screenshot only, as GNOME before 48
        QVERIFY(portal.registerOnBus());
        Session session;
        ShortcutSettings settings(session.temp.prefs(), *session.services->hotKeys);
        settings.action = [] {};
        settings.activate();
        QTRY_VERIFY_WITH_TIMEOUT(!settings.error().isEmpty(), test::serverWaitMs);
        QVERIFY(!settings.registered());
        QVERIFY(settings.error().contains(QStringLiteral("bind the command “pigmentry pick” to a key")));
        QCOMPARE(settings.shownText(), QStringLiteral("Shortcut unavailable"));
    }

    // A pick that goes on takes several colours from the one frozen frame:
    // Shift and a click each, then Escape ends it without another.
    void keepPickingOnTheFrozenFrame()
    {
        test::FakePortal portal;
        portal.shot = desktopShot();
        QVERIFY(portal.registerOnBus());
        bool shown = false;
        std::FILE *out = std::tmpfile();
        QVERIFY(out);
        // Each click once the one before has printed its colour: a click
        // without a move first waits to learn where the pointer is. A colour
        // that never comes fails the comparison below.
        QTimer::singleShot(0, [&shown, out] {
            shown = QTest::qWaitFor([] { return frozenWindows().size() == 1; }, test::serverWaitMs);
            if (!shown) {
                QCoreApplication::exit(1);
                return;
            }
            QWindow *frame = frozenWindows().first()->windowHandle();
            QTest::mouseClick(frame, Qt::LeftButton, Qt::ShiftModifier, QPoint(20, 30));
            (void)QTest::qWaitFor([out] { return std::ftell(out) >= 8; }, test::serverWaitMs);
            QTest::mouseClick(frame, Qt::LeftButton, Qt::ShiftModifier, QPoint(300, 200));
            (void)QTest::qWaitFor([out] { return std::ftell(out) >= 16; }, test::serverWaitMs);
            QTest::keyClick(frame, Qt::Key_Escape);
        });
        instance::PickOptions options;
        options.format = QStringLiteral("HEX");
        options.multiple = true;
        const int status = pickHere(options, out);
        QVERIFY2(shown, "the pick's frame never showed");
        QCOMPARE(status, 0);
        std::rewind(out);
        QString lines;
        char line[64] = {};
        while (std::fgets(line, sizeof line, out))
            lines += QString::fromUtf8(line);
        std::fclose(out);
        // One screenshot for the whole pick.
        QCOMPARE(portal.screenshotFiles.size(), 1);
        const double scale = QGuiApplication::primaryScreen()->devicePixelRatio();
        QCOMPARE(lines.split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{shotColor(int(20 * scale), int(30 * scale)).formatted(QStringLiteral("HEX")),
                              shotColor(int(300 * scale), int(200 * scale)).formatted(QStringLiteral("HEX"))}));
    }

    // `pigmentry pick` runs the same pick and prints the code.
    void pickCommandPrintsTheCode()
    {
        test::FakePortal portal;
        portal.shot = desktopShot();
        QVERIFY(portal.registerOnBus());
        // Clicked once the frame shows; a frame that never does ends the
        // command's event loop, so that the test fails at once.
        bool shown = false;
        QTimer::singleShot(0, [&shown] {
            shown = QTest::qWaitFor([] { return frozenWindows().size() == 1; }, test::serverWaitMs);
            if (shown)
                QTest::mouseClick(frozenWindows().first()->windowHandle(), Qt::LeftButton, {}, QPoint(20, 30));
            else
                QCoreApplication::exit(1);
        });
        std::FILE *out = std::tmpfile();
        QVERIFY(out);
        const int status = pickHere({QStringLiteral("HEX"), false, {}, 0}, out);
        QVERIFY2(shown, "the pick's frame never showed");
        QCOMPARE(status, 0);
        std::rewind(out);
        char code[64] = {};
        QVERIFY(std::fgets(code, sizeof code, out));
        std::fclose(out);
        const double scale = QGuiApplication::primaryScreen()->devicePixelRatio();
        QCOMPARE(QString::fromUtf8(code).trimmed(),
                 shotColor(int(20 * scale), int(30 * scale)).formatted(QStringLiteral("HEX")));
    }

private:
    QTemporaryDir config_;
};

QTEST_MAIN(TestWaylandPick)
#include "test_wayland_pick.moc"
