// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/hot_keys.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"

#include <QGuiApplication>
#include <QTest>

using namespace pigmentry;

// Without X11 (here the offscreen platform, as on Wayland without the portal)
// the shortcut is reported unavailable and nothing breaks.
class TestUnavailableHotKeys : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reportsUnavailable()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
        const std::unique_ptr<HotKeyService> service = createHotKeyService();
        test::TempSettings temp;
        ShortcutSettings settings(temp.prefs(), *service);
        settings.action = [] {};
        settings.activate();
        // Another combination would not help: the user is sent to the
        // desktop's keyboard settings instead.
        QCOMPARE(settings.error(),
                 QStringLiteral("Shortcut unavailable (-1001). This desktop does not let apps set "
                                "global shortcuts: bind the command “pigmentry pick” to a key in "
                                "the desktop's keyboard settings. You can still pick from the tray "
                                "icon."));
        settings.reset();
        QVERIFY(settings.error().startsWith(QLatin1String("Shortcut unavailable (-1001)")));
    }
};

QTEST_MAIN(TestUnavailableHotKeys)
#include "test_unavailable_hot_keys.moc"
