// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_models.h"
#include "fake_desktop.h"
#include "find_widget.h"
#include "gui/studio/recorder_button.h"
#include "gui/studio/studio_window.h"
#include "model/library/store.h"
#include "platform/desktop_workspace.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using namespace pigmentry;
using test::named;
using test::shown;

namespace {

using Combination = test::FakeHotKeys::Combination;
const Combination shiftSuperP{Qt::Key_P, 0x300};

struct Fixture : test::DesktopModels {
    int picks = 0;
    std::unique_ptr<StudioWindow> window;

    Fixture()
    {
        shortcuts.action = [this] { ++picks; };
        shortcuts.activate();
    }
    void open()
    {
        window = std::make_unique<StudioWindow>(store, shortcuts, temp.prefs(), desktop.get(), [] {});
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->setPage(Page::settings);
    }
    template <typename T>
    T *get(const QString &name) const
    {
        return shown<T>(window.get(), name);
    }
    RecorderButton *recorder() const { return get<RecorderButton>(QStringLiteral("shortcutRecorder")); }
    QString hint() const { return get<QLabel>(QStringLiteral("shortcutHint"))->text(); }
    QString error() const
    {
        auto *label = named<QLabel>(window.get(), QStringLiteral("shortcutError"));
        return label->isVisible() ? label->text() : QString();
    }
};

const QString idleHint = QStringLiteral("Click the shortcut to record a new combination. Changes apply immediately.");
const QString recordingHint = QStringLiteral("Press a combination with Super, Ctrl, or Alt. Escape cancels.");
const QString needsModifier = QStringLiteral("Include Super, Ctrl, or Alt with a key.");

} // namespace

class TestSettingsPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A fresh installation, and every control writing its key at once.
    void controlsShowAndWritePreferences()
    {
        Fixture f;
        f.open();
        QVERIFY(!f.get<QCheckBox>("useNativePicker")->isChecked());
        QVERIFY(f.get<QCheckBox>("autoCopy")->isChecked());
        QVERIFY(!f.get<QCheckBox>("openAtLaunch")->isChecked());
        QVERIFY(!f.get<QCheckBox>("showDock")->isChecked());
        QCOMPARE(f.get<QCheckBox>("showDock")->text(), QStringLiteral("Show in taskbar"));
        auto *format = f.get<QComboBox>("format");
        QCOMPARE(format->currentText(), QStringLiteral("HEX"));
        QStringList names;
        for (int i = 0; i < format->count(); ++i)
            names << format->itemText(i);
        QCOMPARE(names, RGBA::formats());
        auto *limit = f.get<QSpinBox>("historyLimit");
        QCOMPARE(limit->text(), QStringLiteral("History limit: 500"));
        QCOMPARE(f.get<QLabel>("loginState")->text(), QStringLiteral("Off"));
        QVERIFY(!f.temp.settings().contains("autoCopy"));

        f.get<QCheckBox>("useNativePicker")->click();
        f.get<QCheckBox>("autoCopy")->click();
        f.get<QCheckBox>("openAtLaunch")->click();
        format->setCurrentIndex(2);
        QCOMPARE(f.temp.prefs().useNativePicker(), true);
        QCOMPARE(f.temp.prefs().autoCopy(), false);
        QCOMPARE(f.temp.prefs().openAtLaunch(), true);
        QCOMPARE(f.temp.prefs().format(), QStringLiteral("RGB"));

        // The taskbar switch reaches the window at once.
        f.get<QCheckBox>("showDock")->click();
        f.get<QCheckBox>("showDock")->click();
        QCOMPARE(f.desktop.taskbar->shown, (QList<bool>{true, false}));
        QCOMPARE(f.temp.prefs().showDock(), false);

        // A change made elsewhere shows here.
        f.temp.prefs().setBoolean("useNativePicker", false);
        QVERIFY(!f.get<QCheckBox>("useNativePicker")->isChecked());
    }

    // The stepper stays within 50 and 5000 and never trims the history.
    void historyLimitStepper()
    {
        Fixture f;
        f.temp.prefs().setBoolean("autoCopy", false);
        for (int i = 0; i < 200; ++i)
            f.store.capture(RGBA{i / 255.0, 0, 0, 1});
        const QByteArray saved = test::readFile(f.temp.libraryPath());
        f.open();
        auto *limit = f.get<QSpinBox>("historyLimit");
        limit->setValue(50);
        limit->stepDown();
        QCOMPARE(f.temp.prefs().historyLimit(), 50);
        QCOMPARE(limit->text(), QStringLiteral("History limit: 50"));
        QCOMPARE(f.store.library().history.size(), 200);
        QCOMPARE(test::readFile(f.temp.libraryPath()), saved);
        limit->setValue(4990);
        QCOMPARE(limit->value(), 4990);
        limit->stepUp();
        limit->stepUp();
        QCOMPARE(f.temp.prefs().historyLimit(), 5000);

        // A typed value goes to the nearest step, and the arrows go on in
        // steps from there; a value stored off the steps steps onto them.
        limit->setFocus();
        limit->selectAll();
        QTest::keyClicks(limit, QStringLiteral("123"));
        QTest::keyClick(limit, Qt::Key_Return);
        QCOMPARE(f.temp.prefs().historyLimit(), 100);
        limit->stepUp();
        QCOMPARE(f.temp.prefs().historyLimit(), 150);
        limit->setValue(4990);
        limit->stepDown();
        QCOMPARE(limit->value(), 4950);
    }

    // "Configure" flips the real autostart entry and says so; a folder that
    // cannot be made gives its reason instead.
    void launchAtLogin()
    {
        Fixture f;
        auto *entry = new XdgAutostart(f.temp.path("autostart/pigmentry.desktop"));
        f.desktop.get().autostart.reset(entry);
        f.open();
        auto *configure = f.get<QPushButton>("configureLogin");
        configure->click();
        QVERIFY(QFile::exists(entry->path()));
        QVERIFY(test::readFile(entry->path()).contains("X-GNOME-Autostart-enabled=true"));
        QCOMPARE(f.store.notice(), QStringLiteral("Login setting updated"));
        QCOMPARE(f.get<QLabel>("loginState")->text(), QStringLiteral("On"));
        f.store.setNotice(QString(), Store::NoticeKind::Done);
        configure->click();
        QVERIFY(!QFile::exists(entry->path()));
        QCOMPARE(f.store.notice(), QStringLiteral("Login setting updated"));
        QCOMPARE(f.get<QLabel>("loginState")->text(), QStringLiteral("Off"));

        f.desktop.get().autostart = std::make_unique<XdgAutostart>(f.temp.failingPath("pigmentry.desktop"));
        configure->click();
        QVERIFY2(f.store.notice().startsWith(QLatin1String("Could not create the folder")),
                 qPrintable(f.store.notice()));
        QCOMPARE(f.get<QLabel>("loginState")->text(), QStringLiteral("Off"));
    }

    void dataFolderAndClearHistory()
    {
        Fixture f;
        f.open();
        f.get<QPushButton>("openDataFolder")->click();
        QCOMPARE(f.desktop.workspace->opened, QStringList{QFileInfo(f.temp.libraryPath()).absolutePath()});

        // An empty history is written all the same.
        QVERIFY(!QFile::exists(f.temp.libraryPath()));
        f.get<QPushButton>("clearHistory")->click();
        QCOMPARE(test::readFile(f.temp.libraryPath()), QByteArray(R"({"history":[],"palettes":[]})"));

        f.store.capture(RGBA{1, 0, 0, 1});
        f.store.createPalette(QStringLiteral("kept"));
        f.get<QPushButton>("clearHistory")->click();
        QVERIFY(f.store.library().history.isEmpty());
        QCOMPARE(f.store.library().palettes.size(), 1);
        QTest::keyClick(f.window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.store.library().history.size(), 1);
    }

    // At rest the recorder shows the combination in force, named for a
    // screen reader too.
    void recorderShowsTheCombination()
    {
        Fixture f;
        f.open();
        RecorderButton *button = f.recorder();
        QCOMPARE(button->accessibleName(), QStringLiteral("Pick Color shortcut"));
        QCOMPARE(button->text(), QStringLiteral("Shift+Super+P"));
        QCOMPARE(f.hint(), idleHint);
    }

    // The combination in force is released while the user types; a modifier
    // alone is not an attempt, Shift and a letter is refused; Escape ends
    // the recording, the old combination works again, the error stays.
    void recordingRefusesAndEscapeRestores()
    {
        Fixture f;
        f.open();
        RecorderButton *button = f.recorder();
        button->click();
        QCOMPARE(button->text(), QStringLiteral("Type shortcut…"));
        QCOMPARE(button->accessibleDescription(), QStringLiteral("Type shortcut…"));
        QCOMPARE(f.hint(), recordingHint);
        QVERIFY(f.desktop.hotKeys->registered().isEmpty());
        QTest::keyClick(button, Qt::Key_Control, Qt::ControlModifier);
        QCOMPARE(f.error(), QString());
        QTest::keyClick(button, Qt::Key_A, Qt::ShiftModifier);
        QCOMPARE(f.error(), needsModifier);
        QVERIFY(f.shortcuts.recording());
        QTest::keyClick(button, Qt::Key_Escape);
        QVERIFY(!f.shortcuts.recording());
        QCOMPARE(f.desktop.hotKeys->registered(), QList<Combination>{shiftSuperP});
        QCOMPARE(f.error(), needsModifier);
        QCOMPARE(button->text(), QStringLiteral("Shift+Super+P"));
        button->click();
        QCOMPARE(f.error(), QString());
    }

    // A combination ends the recording; keys are labelled by their meaning.
    void recordedKeysAreLabelled()
    {
        Fixture f;
        f.open();
        RecorderButton *button = f.recorder();
        button->click();
        QTest::keyClick(button, Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(!f.shortcuts.recording());
        QCOMPARE(button->text(), QStringLiteral("Ctrl+Alt+K"));
        QCOMPARE(f.hint(), idleHint);
        const QList<std::pair<Qt::Key, QString>> keys = {
            {Qt::Key_Space, "Ctrl+Space"},        {Qt::Key_Delete, "Ctrl+⌦"},    {Qt::Key_F5, "Ctrl+F5"},
            {Qt::Key_PageDown, "Ctrl+Page Down"}, {Qt::Key_Left, "Ctrl+←"},      {Qt::Key_Return, "Ctrl+↩"},
            {Qt::Key_Insert, "Ctrl+Ins"},         {Qt::Key_Print, "Ctrl+Print"}, {Qt::Key_F13, "Ctrl+F13"},
            {Qt::Key_VolumeUp, "Ctrl+Volume Up"}, {Qt::Key_Menu, "Ctrl+Menu"}};
        for (const auto &[key, title] : keys) {
            button->click();
            QTest::keyClick(button, key, Qt::ControlModifier);
            QCOMPARE(button->text(), title);
        }
        // A key no desktop can grab says so, not that a modifier is missing.
        button->click();
        QKeyEvent nameless(QEvent::KeyPress, Qt::Key_unknown, Qt::ControlModifier | Qt::AltModifier);
        QApplication::sendEvent(button, &nameless);
        QCOMPARE(f.shortcuts.error(),
                 QStringLiteral("No desktop can take this key for a shortcut. Choose another key."));
        QTest::keyClick(button, Qt::Key_Escape);
        QCOMPARE(button->text(), QStringLiteral("Ctrl+Menu"));
    }

    // A held key tries once; the window's own Ctrl+Z does not fire.
    void aHeldKeyTriesOnce()
    {
        Fixture f;
        f.open();
        RecorderButton *button = f.recorder();
        button->click();
        f.desktop.hotKeys->refused[{Qt::Key_J, 0x1000}] = -10;
        QTest::keyEvent(QTest::Press, button, Qt::Key_J, Qt::ControlModifier);
        const qsizetype calls = f.desktop.hotKeys->registerCalls.size();
        QVERIFY(f.error().startsWith(QLatin1String("That shortcut could not be registered (-10).")));
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_J, Qt::ControlModifier, QStringLiteral("\n"), true);
        QApplication::sendEvent(button, &repeat);
        QCOMPARE(f.desktop.hotKeys->registerCalls.size(), calls);
        QVERIFY(f.shortcuts.recording());
        f.store.capture(RGBA{0, 0, 1, 1});
        QTest::keyClick(button, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(button->text(), QStringLiteral("Ctrl+Z"));
        QCOMPARE(f.store.library().history.size(), 1);
    }

    // A second click cancels; Tab ends and moves on; Reset goes back.
    void recordingEndsByClickTabOrReset()
    {
        Fixture f;
        f.open();
        RecorderButton *button = f.recorder();
        button->click();
        QTest::keyClick(button, Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(button->text(), QStringLiteral("Ctrl+Alt+K"));
        button->click();
        button->click();
        QVERIFY(!f.shortcuts.recording());
        button->click();
        QTest::keyClick(button, Qt::Key_Tab);
        QVERIFY(!f.shortcuts.recording());
        QCOMPARE(QApplication::focusWidget(), f.get<QPushButton>("resetShortcut"));
        f.get<QPushButton>("resetShortcut")->click();
        QCOMPARE(button->text(), QStringLiteral("Shift+Super+P"));
        QCOMPARE(f.error(), QString());
        QCOMPARE(f.desktop.hotKeys->registered(), QList<Combination>{shiftSuperP});
    }

    // Leaving the control in other ways ends recording too.
    void recordingEndsWhenLeft()
    {
        Fixture f;
        f.open();
        RecorderButton *button = f.recorder();
        button->click();
        f.get<QPushButton>("resetShortcut")->setFocus(Qt::MouseFocusReason);
        QVERIFY(!f.shortcuts.recording());

        button->click();
        f.window->setPage(Page::history);
        QVERIFY(!f.shortcuts.recording());
        QCOMPARE(f.desktop.hotKeys->registered(), QList<Combination>{shiftSuperP});

        f.window->setPage(Page::settings);
        f.recorder()->click();
        QVERIFY(f.shortcuts.recording());
        f.window->close();
        QVERIFY(!f.shortcuts.recording());
        QCOMPARE(f.picks, 0);
    }
};

QTEST_MAIN(TestSettingsPage)
#include "test_settings_page.moc"
