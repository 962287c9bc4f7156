// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop_workspace.h"
#include "temp_settings.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace pigmentry;
using test::readFile;
using test::writeFile;

namespace {

// A settings program on a PATH of its own that writes down how it was run.
QString fakeProgram(const QTemporaryDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    writeFile(path, "#!/bin/sh\nprintf '%s|' \"$0\" \"$@\" > \"${0%/*}/ran\"\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

} // namespace

class TestDesktopWorkspace : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void privacySettings_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("arguments");
        QTest::newRow("GNOME opens its privacy page") << "gnome-control-center" << QByteArray("privacy|");
        // Plasma has no page for screen capture: never the screen locker's.
        QTest::newRow("Plasma opens its settings") << "systemsettings" << QByteArray("");
    }

    void privacySettings()
    {
        QFETCH(QString, program);
        QFETCH(QByteArray, arguments);
        QTemporaryDir folder;
        const QString path = fakeProgram(folder, program);
        const QByteArray savedPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(folder.path()));
        const bool opened = openDesktopPrivacySettings();
        qputenv("PATH", savedPath);
        QVERIFY(opened);
        QTRY_VERIFY(QFile::exists(folder.filePath(QStringLiteral("ran"))));
        QTRY_COMPARE(readFile(folder.filePath(QStringLiteral("ran"))), path.toUtf8() + '|' + arguments);
    }

    void noKnownSettingsOpensNothing()
    {
        QTemporaryDir empty;
        const QByteArray savedPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(empty.path()));
        const bool opened = openDesktopPrivacySettings();
        qputenv("PATH", savedPath);
        QVERIFY(!opened);
    }

    void autostartEntry()
    {
        test::TempSettings temp;
        XdgAutostart autostart(temp.path(QStringLiteral("autostart/pigmentry.desktop")));
        QVERIFY(!autostart.isEnabled());
        QVERIFY(autostart.setEnabled(true));
        QVERIFY(autostart.isEnabled());
        const QByteArray entry = readFile(autostart.path());
        QVERIFY(entry.startsWith("[Desktop Entry]\nType=Application\nName=Pigmentry\n"));
        QVERIFY(entry.contains("\nExec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\" --autostart\n"));
        QVERIFY(entry.contains("\nX-GNOME-Autostart-enabled=true\n"));
        QVERIFY(autostart.setEnabled(false));
        QVERIFY(!QFile::exists(autostart.path()));
        // An entry that says Hidden=true is off.
        writeFile(autostart.path(), "[Desktop Entry]\nType=Application\nHidden=true\n");
        QVERIFY(!autostart.isEnabled());

        // A path with the characters an Exec line reserves: a valid entry.
        XdgAutostart odd(temp.path(QStringLiteral("odd.desktop")), QStringLiteral("/opt/a b/$x`\"\\pigmentry"));
        QVERIFY(odd.setEnabled(true));
        QVERIFY(readFile(odd.path()).contains("Exec=\"/opt/a b/\\\\$x\\\\`\\\\\"\\\\\\\\pigmentry\" --autostart"));
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {odd.path()});
        QVERIFY2(validate.waitForFinished(10000) && validate.exitCode() == 0, validate.readAll().constData());

        // Paths that no Exec line holds exactly are refused, and nothing is
        // written: a line break would start a line of its own.
        for (const QString &path :
             {QStringLiteral("/tmp/x\nExec=touch INJECTED\nComment=/pigmentry"), QStringLiteral("/tmp/a\tb/pigmentry"),
              QStringLiteral("/tmp/100%/pigmentry"), QStringLiteral("/tmp/x\rExec=y/pigmentry")}) {
            XdgAutostart refused(temp.path(QStringLiteral("refused.desktop")), path);
            const Result enabled = refused.setEnabled(true);
            QVERIFY(!enabled && enabled.error().startsWith(QLatin1String("Launch at login is not possible from ")));
            QVERIFY(!enabled.error().contains(u'\n'));
            QVERIFY(!QFile::exists(refused.path()));
        }
    }
};

QTEST_GUILESS_MAIN(TestDesktopWorkspace)
#include "test_desktop_workspace.moc"
