// SPDX-License-Identifier: GPL-3.0-or-later
// Pigmentry as a user meets it in a Wayland session (headless weston): the
// tray icon over StatusNotifierItem with its menu, the popover, and the
// global shortcut from the portal picking into the history. The panel's
// watcher and the portal are fakes on a private bus.
#include "fake_picker_desktop.h"
#include "fake_portal.h"
#include "fake_tray_watcher.h"
#include "temp_settings.h"
#include "wayland_tools.h"

#include "app/app_delegate.h"
#include "gui/popover/popover.h"
#include "gui/studio/studio_window.h"
#include "model/library/store.h"
#include "platform/desktop_factory.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDeadlineTimer>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWindow>

using namespace pigmentry;

namespace {

struct App {
    test::TempSettings temp;
    std::unique_ptr<AppDelegate> delegate;

    App()
    {
        temp.prefs().setBoolean("autoCopy", false);
        temp.prefs().setBoolean("welcomed", true);
        auto services = createDesktopServices();
        services->alerts = std::make_unique<test::FakeAlerts>();
        delegate = std::make_unique<AppDelegate>(temp.prefs(), std::move(services), temp.libraryPath());
    }
};

// A call to an object of this very process: it answers on the event loop,
// so the call must not block it.
QDBusMessage callHere(const QString &service, const QString &path, const QString &interface, const QString &method,
                      const QVariantList &arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    QDBusPendingCall call = QDBusConnection::sessionBus().asyncCall(message);
    QDeadlineTimer deadline(test::serverWaitMs);
    while (!call.isFinished() && !deadline.hasExpired())
        QTest::qWait(10);
    return call.reply();
}

// The items of a dbusmenu layout (ia{sv}av), depth first: label to id.
void collectItems(const QDBusArgument &layout, QMap<QString, int> &items)
{
    int id = 0;
    QVariantMap properties;
    layout.beginStructure();
    layout >> id >> properties;
    if (properties.contains(QStringLiteral("label")))
        items.insert(properties.value(QStringLiteral("label")).toString().remove(u'&'), id);
    layout.beginArray();
    while (!layout.atEnd()) {
        QDBusVariant child;
        layout >> child;
        collectItems(child.variant().value<QDBusArgument>(), items);
    }
    layout.endArray();
    layout.endStructure();
}

QMap<QString, int> menuItems(const QString &service, const QString &path)
{
    const QDBusMessage reply = callHere(service, path, QStringLiteral("com.canonical.dbusmenu"),
                                        QStringLiteral("GetLayout"), {0, -1, QStringList()});
    QMap<QString, int> items;
    if (reply.arguments().size() == 2)
        collectItems(reply.arguments().at(1).value<QDBusArgument>(), items);
    return items;
}

} // namespace

class TestWaylandApp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        portal_.shot = test::desktopShot();
        QVERIFY(watcher_.registerOnBus());
        QVERIFY(portal_.registerOnBus());
    }

    // The icon is a StatusNotifierItem: activating it toggles the popover,
    // which no window of ours is active to hang from, so it is a window of
    // its own; the menu offers the three actions and they work.
    void trayIconMenuAndPopover()
    {
        App app;
        app.delegate->launch({});
        QVERIFY(app.delegate->tray());
        QTRY_COMPARE_WITH_TIMEOUT(watcher_.registeredItems().size(), 1, test::serverWaitMs);
        const QString item = watcher_.registeredItems().first().section(u'/', 0, 0);
        const QString itemPath = QStringLiteral("/StatusNotifierItem");
        const QString itemInterface = QStringLiteral("org.kde.StatusNotifierItem");
        auto activate = [&] { callHere(item, itemPath, itemInterface, QStringLiteral("Activate"), {100, 10}); };
        activate();
        QTRY_VERIFY_WITH_TIMEOUT(app.delegate->popover().isVisible(), test::serverWaitMs);
        QVERIFY(!(app.delegate->popover().windowFlags() & Qt::Popup & ~Qt::Window));
        QCOMPARE(app.delegate->popover().size(), QSize(310, 340));
        activate();
        QTRY_VERIFY_WITH_TIMEOUT(!app.delegate->popover().isVisible(), test::serverWaitMs);

        const QDBusMessage menuProperty = callHere(item, itemPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                   QStringLiteral("Get"), {itemInterface, QStringLiteral("Menu")});
        const QString menuPath =
            menuProperty.arguments().value(0).value<QDBusVariant>().variant().value<QDBusObjectPath>().path();
        QVERIFY(!menuPath.isEmpty());
        const QMap<QString, int> items = menuItems(item, menuPath);
        QVERIFY2(items.contains("Pick Color") && items.contains("Open Color Studio") && items.contains("Quit"),
                 qPrintable(QStringList(items.keys()).join(u',')));
        auto click = [&](const char *label) {
            callHere(item, menuPath, QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("Event"),
                     {items.value(QLatin1String(label)), QStringLiteral("clicked"),
                      QVariant::fromValue(QDBusVariant(0)), 0u});
        };
        click("Open Color Studio");
        QTRY_VERIFY_WITH_TIMEOUT(app.delegate->window() && app.delegate->window()->isVisible(), test::serverWaitMs);

        click("Pick Color");
        QTRY_COMPARE_WITH_TIMEOUT(test::frozenWindows().size(), 1, test::serverWaitMs);
        QTest::keyClick(test::frozenWindows().first(), Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(test::frozenWindows().isEmpty(), test::serverWaitMs);
        QVERIFY(app.delegate->store().library().history.isEmpty());
    }

    // Over an active window of ours the popover is a popup attached to it.
    void popoverHangsFromTheActiveWindow()
    {
        App app;
        app.delegate->launch({QStringLiteral("--studio")});
        QWidget *studio = app.delegate->window();
        QVERIFY(studio);
        QApplication::setActiveWindow(studio);
        QCOMPARE(QApplication::activeWindow(), studio);
        app.delegate->toggle();
        Popover &popover = app.delegate->popover();
        QTRY_VERIFY_WITH_TIMEOUT(popover.isVisible(), test::serverWaitMs);
        QCOMPARE(popover.windowFlags() & Qt::WindowType_Mask, Qt::Popup);
        QCOMPARE(popover.windowHandle()->transientParent(), studio->windowHandle());
        app.delegate->toggle();
        QTRY_VERIFY_WITH_TIMEOUT(!popover.isVisible(), test::serverWaitMs);
    }

    // The desktop's shortcut starts the pick; the picked pixel is the
    // history's newest colour.
    void shortcutPicksIntoTheHistory()
    {
        test::FakeGlobalShortcuts shortcuts(portal_);
        App app;
        app.delegate->launch({});
        QTRY_COMPARE_WITH_TIMEOUT(shortcuts.boundTriggers, QStringList{QStringLiteral("LOGO+SHIFT+p")}, test::serverWaitMs);
        shortcuts.activate(QStringLiteral("pick"));
        QTRY_VERIFY_WITH_TIMEOUT(app.delegate->picker().isActive(), test::serverWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(test::frozenWindows().size(), 1, test::serverWaitMs);
        QWidget *window = test::frozenWindows().first();
        const double scale = window->devicePixelRatioF();
        QTest::mouseMove(window->windowHandle(), QPoint(33, 44));
        QTRY_COMPARE_WITH_TIMEOUT(app.delegate->picker().position(), QPointF(33, 44), test::serverWaitMs);
        QTest::keyClick(window, Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(app.delegate->store().library().history.size(), 1, test::serverWaitMs);
        QCOMPARE(app.delegate->store().library().history.first().color,
                 test::shotColor(int(33 * scale), int(44 * scale)));
    }

private:
    QTemporaryDir config_;
    test::FakeTrayWatcher watcher_;
    test::FakePortal portal_;
};

QTEST_MAIN(TestWaylandApp)
#include "test_wayland_app.moc"
