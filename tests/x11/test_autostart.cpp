// SPDX-License-Identifier: GPL-3.0-or-later
// Pigmentry started by its login entry before the panel: it waits for the
// tray host instead of deciding at once that there is none.
#include "x11_tools.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace pigmentry;

namespace {

// Whether a Pigmentry icon sits in trayer's panel.
bool iconInTray()
{
    QProcess tree;
    tree.start(QStringLiteral("xwininfo"), {"-root", "-tree"});
    tree.waitForFinished(5000);
    const QString text = QString::fromUtf8(tree.readAllStandardOutput());
    const qsizetype panel = text.indexOf(QLatin1String("\"panel\": (\"panel\" \"trayer\")"));
    return panel >= 0 && text.indexOf(QLatin1String("(\"pigmentry\" \"Pigmentry\")"), panel) > panel;
}

} // namespace

class TestAutostart : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // In a German session the Studio speaks German.
    void speaksTheDesktopsLanguage()
    {
        QTemporaryDir home;
        QProcessEnvironment env = test::userEnvironment(home.path());
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
        env.remove(QStringLiteral("LANGUAGE"));
        QProcess app;
        app.setProcessEnvironment(env);
        app.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"--studio"});
        QVERIFY(app.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!test::windowsNamed(QStringLiteral("Pigmentry — Farbstudio")).isEmpty(), 15000);
        QProcess quit;
        quit.setProcessEnvironment(env);
        quit.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"quit"});
        QVERIFY(quit.waitForFinished(20000));
        QVERIFY(app.waitForFinished(10000));
    }

    // The panel comes up after Pigmentry, which waits for it: the icon goes
    // into the tray, and is docked once, never leaving the tray to come back.
    // Qt and trayer, slowed down by the sanitizers, now and then blink an icon
    // as it is embedded, at login or not (about one start in eight); docking
    // it twice blinked at every login. So the login fails when three in a row
    // blink.
    void waitsForTheTrayAtLogin()
    {
        QStringList runs;
        for (int attempt = 0; attempt < 3; ++attempt) {
            QString reads;
            login(reads);
            if (QTest::currentTestFailed())
                return;
            if (!reads.contains(QLatin1String("10")))
                return;
            runs << reads;
        }
        QFAIL(qPrintable(QLatin1String("the icon left the tray and came back: ") + runs.join(QLatin1String(" / "))));
    }

private:
    // One login: Pigmentry from its login entry, the panel 1.5 s later, and
    // what is read of the panel from its start until the icon has stayed
    // for 30 reads.
    void login(QString &reads)
    {
        QTemporaryDir home;
        const QProcessEnvironment env = test::userEnvironment(home.path());

        QTRY_VERIFY(!test::traySelectionOwned());
        QProcess app;
        app.setProcessEnvironment(env);
        app.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"--autostart"});
        QVERIFY(app.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home.filePath(QStringLiteral("runtime/pigmentry.socket"))), 10000);

        // The panel comes up a moment later.
        QTest::qWait(1500);
        QProcess tray;
        tray.start(QStringLiteral("trayer"), {"--edge", "top", "--height", "24", "--SetDockType", "true"});
        QVERIFY2(tray.waitForStarted(), "trayer is not installed");
        const QString settled(30, u'1');
        QDeadlineTimer deadline(15000);
        while (!reads.endsWith(settled) && !deadline.hasExpired())
            reads += iconInTray() ? u'1' : u'0';
        QVERIFY2(reads.endsWith(settled), qPrintable(reads));
        // With a tray there, the Studio did not open in its place.
        QVERIFY(test::windowsNamed(QStringLiteral("Color Studio")).isEmpty());

        QProcess quit;
        quit.setProcessEnvironment(env);
        quit.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"quit"});
        QVERIFY(quit.waitForFinished(20000));
        QVERIFY(app.waitForFinished(10000));
        tray.kill();
        tray.waitForFinished();
    }
};

QTEST_MAIN(TestAutostart)
#include "test_autostart.moc"
