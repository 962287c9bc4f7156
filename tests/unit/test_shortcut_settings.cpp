// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_hot_keys.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"

#include <QSignalSpy>
#include <QTest>

using namespace pigmentry;
using Config = ShortcutConfiguration;
using Combination = test::FakeHotKeys::Combination;

namespace {

const Combination defaultCombination{quint32(Qt::Key_P), Config::Shift | Config::Super};
const Config ctrlK{quint32(Qt::Key_K), Config::Ctrl, "K"};
const Combination ctrlKCombination{quint32(Qt::Key_K), Config::Ctrl};

// A settings model on a fake desktop, with an action that counts presses.
struct Fixture {
    test::TempSettings temp;
    test::FakeHotKeys hotKeys;
    ShortcutSettings settings{temp.prefs(), hotKeys};
    int picks = 0;

    void withAction()
    {
        settings.action = [this] { ++picks; };
    }
};

} // namespace

class TestShortcutSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nothingRegistersWithoutAnAction()
    {
        Fixture f;
        f.settings.activate();
        f.settings.set(ctrlK);
        QVERIFY(f.hotKeys.registerCalls.isEmpty());
        QCOMPARE(f.settings.configuration(), Config::defaultConfiguration());
        QVERIFY(f.settings.error().isEmpty());
        // Validation still speaks.
        f.settings.set(Config{quint32(Qt::Key_A), Config::Shift, "A"});
        QCOMPARE(f.settings.error(), QStringLiteral("Include Super, Ctrl, or Alt with a key."));
    }

    void activateRegistersAndPressRunsTheAction()
    {
        Fixture f;
        f.withAction();
        f.settings.activate();
        QCOMPARE(f.hotKeys.registered(), QList<Combination>{defaultCombination});
        QVERIFY(f.hotKeys.press(defaultCombination.first, defaultCombination.second));
        QCOMPARE(f.picks, 1);
        QVERIFY(f.settings.error().isEmpty());
    }

    void combinationLostToANewLayoutIsReported()
    {
        Fixture f;
        f.withAction();
        f.settings.activate();
        QVERIFY(f.settings.error().isEmpty());
        QCOMPARE(f.settings.shownText(), QStringLiteral("Shift+Super+P"));
        f.hotKeys.loseAll(-1002);
        QCOMPARE(f.settings.error(),
                 QStringLiteral("Shortcut unavailable (-1002). Choose another combination. "
                                "You can still pick from the tray icon."));
        QVERIFY(!f.settings.registered());
        QCOMPARE(f.settings.shownText(), QStringLiteral("Shortcut unavailable"));
        // A combination released for recording is not reported.
        f.settings.beginRecording();
        f.hotKeys.loseAll(-10);
        QVERIFY(f.settings.error().isEmpty());
    }

    // A desktop that answers later: the combination is shown only once its
    // answer names it, and an answer without it gives the reason.
    void aPendingCombinationIsShownOnlyWhenConfirmed()
    {
        Fixture f;
        f.withAction();
        f.hotKeys.answersLater = true;
        f.settings.activate();
        QVERIFY(!f.settings.registered());
        QVERIFY(f.settings.error().isEmpty());
        QCOMPARE(f.settings.shownText(), QStringLiteral("Shortcut unavailable"));
        f.hotKeys.confirmAll();
        QVERIFY(f.settings.registered());
        QCOMPARE(f.settings.shownText(), QStringLiteral("Shift+Super+P"));
        QVERIFY(f.hotKeys.press(defaultCombination.first, defaultCombination.second));
        QCOMPARE(f.picks, 1);

        // A new combination is kept, but not shown as working until the
        // desktop says so; this desktop answers without binding it.
        f.settings.beginRecording();
        f.settings.set(ctrlK);
        QVERIFY(!f.settings.recording());
        QCOMPARE(f.settings.configuration().keyCode, quint32(Qt::Key_K));
        QVERIFY(!f.settings.registered());
        f.hotKeys.loseAll(HotKeyService::NotBound);
        QVERIFY(f.settings.error().startsWith(
            QLatin1String("Shortcut unavailable (-1005). The desktop did not bind it")));
        QCOMPARE(f.settings.shownText(), QStringLiteral("Shortcut unavailable"));
    }

    void activateRefusedSetsErrorThatLaterActivateKeeps()
    {
        Fixture f;
        f.withAction();
        f.hotKeys.refused[defaultCombination] = -10;
        f.settings.activate();
        QCOMPARE(f.settings.error(),
                 QStringLiteral("Shortcut unavailable (-10). Choose another combination. "
                                "You can still pick from the tray icon."));
        QVERIFY(f.hotKeys.registered().isEmpty());
        QCOMPARE(f.settings.shownText(), QStringLiteral("Shortcut unavailable"));
        f.hotKeys.refused.clear();
        QSignalSpy registered(&f.settings, &ShortcutSettings::registeredChanged);
        f.settings.activate();
        QCOMPARE(f.hotKeys.registered().size(), 1);
        QVERIFY(f.settings.error().startsWith(QLatin1String("Shortcut unavailable (-10)")));
        // The combination works now, and every view says so.
        QCOMPARE(registered.count(), 1);
        QCOMPARE(f.settings.shownText(), QStringLiteral("Shift+Super+P"));
    }

    void refusedNewCombinationRollsBack()
    {
        Fixture f;
        f.withAction();
        f.settings.activate();
        f.hotKeys.refused[ctrlKCombination] = -10;
        QSignalSpy configuration(&f.settings, &ShortcutSettings::configurationChanged);

        f.settings.set(ctrlK);

        QCOMPARE(f.settings.error(),
                 QStringLiteral("That shortcut could not be registered (-10). It may be used "
                                "by the desktop or another app. Try another combination."));
        QCOMPARE(f.settings.configuration(), Config::defaultConfiguration());
        QCOMPARE(configuration.count(), 0);
        QCOMPARE(f.hotKeys.registered(), QList<Combination>{defaultCombination});
        QVERIFY(!f.temp.prefs().data("pickerShortcut"));
    }

    void acceptedCombinationReplacesSavesAndEndsRecording()
    {
        Fixture f;
        f.withAction();
        f.settings.activate();
        f.settings.beginRecording();
        QVERIFY(f.hotKeys.registered().isEmpty());
        QVERIFY(f.settings.recording());

        f.settings.set(ctrlK);

        QCOMPARE(f.settings.configuration(), ctrlK);
        QVERIFY(!f.settings.recording());
        QCOMPARE(f.hotKeys.registered(), QList<Combination>{ctrlKCombination});
        QCOMPARE(Config::load(f.temp.prefs()), ctrlK);
        QVERIFY(!f.hotKeys.press(defaultCombination.first, defaultCombination.second));
    }

    void unchangedCombinationOutsideRecordingMakesNoCall()
    {
        Fixture f;
        f.withAction();
        f.settings.activate();
        f.settings.set(Config{quint32(Qt::Key_A), Config::Shift, "A"}); // leaves an error
        const auto calls = f.hotKeys.registerCalls.size();

        f.settings.set(Config::defaultConfiguration());

        QCOMPARE(f.hotKeys.registerCalls.size(), calls);
        QVERIFY(f.settings.error().isEmpty());

        // While recording the same keys register again and end recording.
        f.settings.beginRecording();
        f.settings.set(Config::defaultConfiguration());
        QCOMPARE(f.hotKeys.registerCalls.size(), calls + 1);
        QVERIFY(!f.settings.recording());
        QCOMPARE(f.hotKeys.registered().size(), 1);
    }

    void invalidCombinationKeepsRecording()
    {
        Fixture f;
        f.withAction();
        f.settings.activate();
        f.settings.beginRecording();
        f.settings.set(Config{quint32(Qt::Key_A), Config::Shift, "A"});
        QVERIFY(f.settings.recording());
        QCOMPARE(f.settings.error(), QStringLiteral("Include Super, Ctrl, or Alt with a key."));
        // Escape and the like bring the old combination back, error kept.
        f.settings.stopRecording();
        QVERIFY(!f.settings.recording());
        QCOMPARE(f.hotKeys.registered(), QList<Combination>{defaultCombination});
        QVERIFY(!f.settings.error().isEmpty());
    }

    void resetToAFreeDefault()
    {
        Fixture f;
        ctrlK.save(f.temp.prefs());
        ShortcutSettings settings(f.temp.prefs(), f.hotKeys);
        settings.action = [] {};
        settings.activate();
        QCOMPARE(settings.configuration(), ctrlK);

        settings.reset();

        QCOMPARE(settings.configuration(), Config::defaultConfiguration());
        QVERIFY(!settings.recording());
        QVERIFY(settings.error().isEmpty());
        QCOMPARE(f.hotKeys.registered(), QList<Combination>{defaultCombination});
    }

    void resetWhenTheDefaultIsTaken()
    {
        Fixture f;
        ctrlK.save(f.temp.prefs());
        ShortcutSettings settings(f.temp.prefs(), f.hotKeys);
        settings.action = [] {};
        settings.activate();
        f.hotKeys.refused[defaultCombination] = -10;
        QSignalSpy errors(&settings, &ShortcutSettings::errorChanged);

        settings.reset();

        // The first message stands; the old combination is active again.
        QVERIFY(settings.error().startsWith(QLatin1String("That shortcut could not be registered (-10).")));
        QVERIFY(!settings.recording());
        QCOMPARE(settings.configuration(), ctrlK);
        QCOMPARE(f.hotKeys.registered(), QList<Combination>{ctrlKCombination});

        // When the old one is taken too, the second message replaces the first.
        f.hotKeys.refused[ctrlKCombination] = -10;
        settings.reset();
        QVERIFY(settings.error().startsWith(QLatin1String("Shortcut unavailable (-10).")));
        QVERIFY(f.hotKeys.registered().isEmpty());
        QVERIFY(errors.count() >= 4);
    }
};

QTEST_GUILESS_MAIN(TestShortcutSettings)
#include "test_shortcut_settings.moc"
