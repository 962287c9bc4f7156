// SPDX-License-Identifier: GPL-3.0-or-later
#include "shortcut/shortcut_configuration.h"
#include "temp_settings.h"

#include <QTest>

using namespace pigmentry;
using Config = ShortcutConfiguration;

Q_DECLARE_METATYPE(pigmentry::ShortcutConfiguration)

class TestShortcutConfiguration : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void validity_data()
    {
        QTest::addColumn<Config>("config");
        QTest::addColumn<bool>("valid");
        const quint32 P = Qt::Key_P;
        QTest::newRow("default") << Config::defaultConfiguration() << true;
        QTest::newRow("shift alone does not count") << Config{P, Config::Shift, "P"} << false;
        QTest::newRow("no modifier") << Config{P, 0, "P"} << false;
        QTest::newRow("ctrl") << Config{P, Config::Ctrl, "P"} << true;
        QTest::newRow("alt") << Config{P, Config::Alt, "P"} << true;
        QTest::newRow("unknown bit") << Config{P, Config::Ctrl | 0x1, "P"} << false;
        QTest::newRow("caps-lock bit") << Config{P, Config::Ctrl | 0x400, "P"} << false;
        QTest::newRow("shift key itself") << Config{quint32(Qt::Key_Shift), Config::Ctrl, "Shift"} << false;
        QTest::newRow("super key itself") << Config{quint32(Qt::Key_Super_L), Config::Ctrl, "S"} << false;
        QTest::newRow("meta key itself") << Config{quint32(Qt::Key_Meta), Config::Ctrl, "M"} << false;
        QTest::newRow("num lock") << Config{quint32(Qt::Key_NumLock), Config::Ctrl, "N"} << false;
        QTest::newRow("key 0") << Config{0, Config::Ctrl, "?"} << false;
        QTest::newRow("unknown key") << Config{quint32(Qt::Key_unknown), Config::Ctrl, "?"} << false;
        QTest::newRow("F5 with alt and super")
            << Config{quint32(Qt::Key_F5), Config::Alt | Config::Super, "F5"} << true;
        QTest::newRow("empty label") << Config{P, Config::Ctrl, ""} << false;
        QTest::newRow("20 characters") << Config{P, Config::Ctrl, QString(20, u'x')} << true;
        QTest::newRow("21 characters") << Config{P, Config::Ctrl, QString(21, u'x')} << false;
        // Counted as the user sees them: 20 flags of two code points each.
        QString flags;
        for (int i = 0; i < 20; ++i)
            flags += QStringLiteral("🇩🇪");
        QTest::newRow("20 flags") << Config{P, Config::Ctrl, flags} << true;
        QTest::newRow("21 flags") << Config{P, Config::Ctrl, flags + QStringLiteral("🇩🇪")} << false;
    }

    void validity()
    {
        QFETCH(Config, config);
        QFETCH(bool, valid);
        QCOMPARE(config.isValid(), valid);
    }

    void display()
    {
        QCOMPARE(Config::defaultConfiguration().display(), QStringLiteral("Shift+Super+P"));
        QCOMPARE((Config{quint32(Qt::Key_K), Config::AllModifiers, "K"}.display()),
                 QStringLiteral("Ctrl+Alt+Shift+Super+K"));
        QCOMPARE((Config{quint32(Qt::Key_F5), Config::Alt | Config::Super, "F5"}.display()),
                 QStringLiteral("Alt+Super+F5"));
        QCOMPARE((Config{quint32(Qt::Key_K), Config::Ctrl | 0x1, "K"}.display()), QStringLiteral("Ctrl+K"));
    }

    void equalityIsCaseSensitive()
    {
        const Config lower{quint32(Qt::Key_K), Config::Ctrl, "k"};
        const Config upper{quint32(Qt::Key_K), Config::Ctrl, "K"};
        QVERIFY(!(lower == upper));
        QCOMPARE(upper, (Config{quint32(Qt::Key_K), Config::Ctrl, "K"}));
    }

    void loadFallsBackToDefault_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("absent") << QVariant();
        QTest::newRow("not JSON") << QVariant(QByteArray("keyCode=80"));
        QTest::newRow("missing keyLabel") << QVariant(QByteArray(R"({"keyCode":75,"modifiers":4096})"));
        QTest::newRow("label of wrong type") << QVariant(QByteArray(R"({"keyCode":75,"modifiers":4096,"keyLabel":1})"));
        QTest::newRow("negative key") << QVariant(QByteArray(R"({"keyCode":-75,"modifiers":4096,"keyLabel":"K"})"));
        QTest::newRow("fractional key") << QVariant(QByteArray(R"({"keyCode":75.5,"modifiers":4096,"keyLabel":"K"})"));
        QTest::newRow("shift only") << QVariant(QByteArray(R"({"keyCode":75,"modifiers":512,"keyLabel":"K"})"));
        QTest::newRow("shift key itself")
            << QVariant(QByteArray(R"({"keyCode":16777248,"modifiers":4096,"keyLabel":"K"})"));
        QTest::newRow("stored as text") << QVariant(
            QStringLiteral(R"({"keyCode":75,"modifiers":4096,"keyLabel":"K"})"));
    }

    void loadFallsBackToDefault()
    {
        QFETCH(QVariant, stored);
        test::TempSettings temp;
        if (stored.isValid())
            temp.settings().setValue("pickerShortcut", stored);
        QCOMPARE(Config::load(temp.prefs()), Config::defaultConfiguration());
        // Nothing is written back.
        QCOMPARE(temp.settings().value("pickerShortcut"), stored);
    }

    void savesAndLoads()
    {
        test::TempSettings temp;
        const Config config{quint32(Qt::Key_Space), Config::Ctrl | Config::Alt, "Space"};
        config.save(temp.prefs());
        temp.settings().sync();
        QSettings reread(temp.path("Pigmentry.conf"), QSettings::IniFormat);
        Preferences prefs(&reread);
        QCOMPARE(Config::load(prefs), config);
        QCOMPARE(reread.value("pickerShortcut").toByteArray(),
                 QByteArray(R"({"keyCode":32,"keyLabel":"Space","modifiers":6144})"));
    }
};

QTEST_GUILESS_MAIN(TestShortcutConfiguration)
#include "test_shortcut_configuration.moc"
