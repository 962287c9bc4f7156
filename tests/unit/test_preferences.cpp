// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/library/preferences.h"
#include "temp_settings.h"

#include <QDateTime>
#include <QFile>
#include <QTest>

using namespace pigmentry;

class TestPreferences : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void defaultsWhenAbsent()
    {
        test::TempSettings temp;
        const Preferences &p = temp.prefs();
        QCOMPARE(p.showDock(), false);
        QCOMPARE(p.openAtLaunch(), false);
        QCOMPARE(p.useNativePicker(), false);
        QCOMPARE(p.autoCopy(), true);
        QCOMPARE(p.historyLimit(), 0);
        QCOMPARE(p.format(), QStringLiteral("HEX"));
    }

    // Values of another type read as absent, both as written in this process
    // and as read back from the file by a later one.
    // A limit edited by hand as a fraction reads as its whole part, from the
    // file as from a value set in this run; what is no number reads as 0.
    void fractionalLimitReadsAsItsWholePart()
    {
        test::TempSettings temp;
        QSettings &s = temp.settings();
        for (const auto &[value, limit] : {std::pair<QVariant, qint64>{"3.7", 3},
                                           {" -2.9 ", -2},
                                           {120.5, 120},
                                           {"1e3", 1000},
                                           {"nan", 0},
                                           {"3,7", 0}}) {
            s.setValue("historyLimit", value);
            s.sync();
            QSettings reread(temp.path("Pigmentry.conf"), QSettings::IniFormat);
            QCOMPARE(temp.prefs().historyLimit(), limit);
            QCOMPARE(Preferences(&reread).historyLimit(), limit);
        }
    }

    void otherTypesReadAsAbsent()
    {
        test::TempSettings temp;
        QSettings &s = temp.settings();
        s.setValue("autoCopy", "yes");
        s.setValue("historyLimit", "many");
        s.setValue("format", QStringList{"RGB", "HSL"});
        s.setValue("useNativePicker", 1);
        s.setValue("pickerShortcut", "text, not data");
        s.sync();

        for (int pass = 0; pass < 2; ++pass) {
            QSettings reread(temp.path("Pigmentry.conf"), QSettings::IniFormat);
            Preferences fromFile(&reread);
            const Preferences &p = pass == 0 ? temp.prefs() : fromFile;
            QCOMPARE(p.autoCopy(), true);
            QCOMPARE(p.historyLimit(), 0);
            QCOMPARE(p.format(), QStringLiteral("HEX"));
            QCOMPARE(p.useNativePicker(), false);
            QCOMPARE(p.data("pickerShortcut"), std::nullopt);
        }
    }

    void writtenValuesSurviveTheFile()
    {
        test::TempSettings temp;
        temp.prefs().setBoolean("autoCopy", false);
        temp.prefs().setInteger("historyLimit", -5);
        temp.prefs().setText("format", "HEX Alpha");
        temp.prefs().setData("pickerShortcut", QByteArray("{\"keyCode\":80}"));
        temp.settings().sync();

        QSettings reread(temp.path("Pigmentry.conf"), QSettings::IniFormat);
        Preferences p(&reread);
        QCOMPARE(p.autoCopy(), false);
        QCOMPARE(p.historyLimit(), -5);
        QCOMPARE(p.format(), QStringLiteral("HEX Alpha"));
        QCOMPARE(p.data("pickerShortcut"), QByteArray("{\"keyCode\":80}"));
    }

    // Two processes share the file: what one writes, the other's next read
    // sees, without a restart.
    void readsSeeWritesOfOthers()
    {
        test::TempSettings temp;
        QCOMPARE(temp.prefs().format(), QStringLiteral("HEX"));
        QSettings other(temp.path("Pigmentry.conf"), QSettings::IniFormat);
        Preferences elsewhere(&other);
        elsewhere.setText("format", "RGB");
        QCOMPARE(temp.prefs().format(), QStringLiteral("RGB"));

        // A hand edit of the file, one byte longer and a second newer.
        test::writeFile(temp.path("Pigmentry.conf"), "[General]\nformat=HSL\nautoCopy=false\n");
        QFile edited(temp.path("Pigmentry.conf"));
        QVERIFY(edited.open(QIODevice::ReadWrite));
        QVERIFY(edited.setFileTime(QDateTime::currentDateTime().addSecs(1), QFileDevice::FileModificationTime));
        QCOMPARE(temp.prefs().format(), QStringLiteral("HSL"));
        QCOMPARE(temp.prefs().autoCopy(), false);
        QCOMPARE(elsewhere.autoCopy(), false);
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "test_preferences.moc"
