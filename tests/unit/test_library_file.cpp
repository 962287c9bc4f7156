// SPDX-License-Identifier: GPL-3.0-or-later
// The library file against what a disk can hold instead of a good file:
// folders, FIFOs, links to devices, huge files, files that cannot be moved,
// a full disk and a read-only one. The user's data is never written over.
#include "fake_clock.h"
#include "fake_desktop.h"
#include "model/library/library_file.h"
#include "model/library/store.h"
#include "temp_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>

using namespace pigmentry;
using test::readFile;
using test::writeFile;

namespace {

RGBA grey(int i)
{
    return RGBA{i / 255.0, i / 255.0, i / 255.0, 1.0};
}

QStringList entries(const QString &libraryPath)
{
    return QFileInfo(libraryPath)
        .absoluteDir()
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden, QDir::Name);
}

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

struct Fixture {
    test::TempSettings temp;
    test::FakeClipboard clipboard;
    test::FakeClock clock;
    QString path = temp.libraryPath();

    Fixture()
    {
        temp.prefs().setBoolean("autoCopy", false);
        QDir().mkpath(QFileInfo(path).absolutePath());
    }
    std::unique_ptr<Store> store() { return std::make_unique<Store>(temp.prefs(), clipboard, path, clock); }
};

} // namespace

class TestLibraryFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void unreadableFilesAreKeptAside_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder") << "folder"
                                  << "it is a folder";
        QTest::newRow("a FIFO, which would block a read") << "fifo"
                                                          << "it is not a regular file";
        QTest::newRow("a link to /dev/zero") << "device"
                                             << "it is not a regular file";
        QTest::newRow("larger than 64 MiB") << "huge"
                                            << "it is larger than 64 MiB";
    }

    void unreadableFilesAreKeptAside()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        Fixture f;
        if (kind == QLatin1String("folder")) {
            writeFile(f.path + QLatin1String("/inside"), "mine");
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(f.path).constData(), 0600), 0);
        } else if (kind == QLatin1String("device")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), f.path));
        } else {
            QFile huge(f.path);
            QVERIFY(huge.open(QIODevice::WriteOnly));
            QVERIFY(huge.resize(largestLibrary + 1)); // sparse: no disk taken
        }

        const auto store = f.store();
        const QString kept = QStringLiteral("library.json.corrupt-20260314-150926");
        QCOMPARE(store->notice(), QStringLiteral("Could not read library: %1 (kept as %2)").arg(reason, kept));
        QCOMPARE(store->library(), Library());
        store->capture(grey(7));
        QCOMPARE(entries(f.path), (QStringList{"library.json", kept}));
        QCOMPARE(loadLibrary(f.path).library, store->library());
        if (kind == QLatin1String("folder"))
            QCOMPARE(readFile(QFileInfo(f.path).absolutePath() + u'/' + kept + QLatin1String("/inside")),
                     QByteArray("mine"));
    }

    void aFileThatCannotBeMovedIsNeverWrittenOver()
    {
        Fixture f;
        writeFile(f.path, "{\"history\": [ not json");
        // Every name it could be moved to is taken.
        writeFile(f.path + QLatin1String(".corrupt-20260314-150926"), "taken");
        for (int i = 1; i < 100; ++i)
            writeFile(f.path + QStringLiteral(".corrupt-20260314-150926-%1").arg(i), "taken");

        const auto store = f.store();
        QVERIFY(store->notice().startsWith(QLatin1String("Could not read library: ")));
        QVERIFY(store->notice().endsWith(QLatin1String("(left in place; changes are not saved)")));
        store->capture(grey(3));
        store->createPalette(QStringLiteral("Warm"));
        QCOMPARE(store->notice(), QStringLiteral("Not saved: %1 could not be read and is kept as it is.").arg(f.path));
        QCOMPARE(readFile(f.path), QByteArray("{\"history\": [ not json"));
        // The work goes on in memory.
        QCOMPARE(store->library().history.size(), 1);
        QCOMPARE(store->library().palettes.size(), 1);
    }

    void quotedContentIsCut()
    {
        Fixture f;
        const QByteArray id(5 * 1024 * 1024, 'A');
        writeFile(f.path,
                  "{\"history\":[{\"id\":\"" + id
                      + "\",\"color\":{\"r\":0,\"g\":0,\"b\":0,\"a\":1},\"date\":0,\"label\":\"\","
                        "\"favorite\":false,\"colorSpace\":\"sRGB\"}],\"palettes\":[]}");
        const auto store = f.store();
        QVERIFY(store->notice().startsWith(QLatin1String("Could not read library: \"AAAA")));
        QVERIFY2(store->notice().size() < 200, qPrintable(store->notice().left(300)));
        QVERIFY(store->notice().contains(QChar(0x2026)));
    }

    // Only the save's own temporary name is swept up; a user's copies beside
    // the library survive a start, a save and a start that sets a broken
    // library aside.
    void cutShortSavesAreRemovedAndNothingElse()
    {
        Fixture f;
        QVERIFY(saveLibrary(f.path, Library{{ColorRecord::captured(grey(1), 0)}, {}}));
        const QStringList users{"library.json.Ab12Cd", "library.json.backup",  "library.json.before",
                                "library.json.old123", ".library.json.Ab12Cd", ".library.json.Ab12Cd.partial.txt"};
        const QString folder = QFileInfo(f.path).absolutePath() + u'/';
        for (const QString &name : users)
            writeFile(folder + name, "mine");
        writeFile(folder + QLatin1String(".library.json.Ab12Cd.partial"), "half a libr");
        QStringList expected = users;
        expected << "library.json";
        expected.sort();

        auto store = f.store();
        QVERIFY(store->notice().isEmpty());
        QCOMPARE(entries(f.path), expected);
        QCOMPARE(store->library().history.size(), 1);
        store->capture(grey(2));
        QCOMPARE(entries(f.path), expected);
        store.reset();

        writeFile(f.path, "{ not json");
        store = f.store();
        QVERIFY(store->notice().startsWith(QLatin1String("Could not read library: ")));
        for (const QString &name : users)
            QCOMPARE(readFile(folder + name), QByteArray("mine"));
    }

    // A small tmpfs where the machine lets us mount one: a full disk says so,
    // a read-only one too, and both keep the old file and the change in
    // memory for the next save that works.
    void fullAndReadOnlyDisks()
    {
        Fixture f;
        const QString disk = QFileInfo(f.path).absolutePath();
        if (!run(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=128k", "tmpfs", disk}))
            QFAIL("mounting a small tmpfs needs root (the suite runs as root in CI)");
        auto unmount = qScopeGuard([&] { run(QStringLiteral("umount"), {disk}); });

        auto store = f.store();
        for (int i = 0; i < 200; ++i)
            store->capture(grey(i % 256));
        QVERIFY(store->notice().isEmpty());
        const QByteArray saved = readFile(f.path);
        // Fill the disk but for a little.
        QFile filler(disk + QLatin1String("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size() && filler.flush()) { }
        filler.close();
        store->setLabel(QStringLiteral("a long label that needs room on the disk"),
                        store->library().history.first().id);
        QVERIFY2(store->notice().endsWith(QLatin1String("No space left on device")), qPrintable(store->notice()));
        QCOMPARE(readFile(f.path), saved);
        QVERIFY(QFile::remove(filler.fileName()));
        store->toggleFavorite(store->library().history.first().id);
        QCOMPARE(loadLibrary(f.path).library, store->library());

        QVERIFY(run(QStringLiteral("mount"), {"-o", "remount,ro", disk}));
        const QByteArray before = readFile(f.path);
        store->capture(grey(255));
        QVERIFY2(store->notice().startsWith(QLatin1String("Could not write ") + f.path), qPrintable(store->notice()));
        QCOMPARE(readFile(f.path), before);
        QVERIFY(run(QStringLiteral("mount"), {"-o", "remount,rw", disk}));
        store->capture(grey(254));
        QCOMPARE(loadLibrary(f.path).library, store->library());
    }
};

QTEST_GUILESS_MAIN(TestLibraryFile)
#include "test_library_file.moc"
