#include "fake_desktop.h"
#include "model/store.h"
#include "temp_settings.h"
#include "tools/palette_files.h"

#include <QJsonDocument>
#include <QTest>

#include <sys/stat.h>

using namespace pigmentry;
using pigmentry::test::readFile;
using pigmentry::test::writeFile;

class TestPaletteFiles : public QObject {
    Q_OBJECT

    test::FakeClipboard clipboard;

private Q_SLOTS:
    void exportThenImportGivesACopyWithNewId()
    {
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard, temp.libraryPath());
        test::FakeFileDialogs dialogs;
        PaletteFiles files(store, dialogs);
        const Palette warm{QUuid::createUuid(), QStringLiteral("Warm / “quoted”"),
                           {RGBA{1, 0.5, 0, 0.5}, RGBA{1, 0.5, 0, 0.5}}, QStringLiteral("notes")};

        dialogs.answer = temp.path("Pigmentry.json");
        files.exportPalette(warm);
        QCOMPARE(dialogs.proposedNames, QStringList{"Pigmentry.json"});
        const QByteArray bytes = readFile(temp.path("Pigmentry.json"));
        QVERIFY(!bytes.endsWith('\n'));
        QCOMPARE(Palette::fromJson(QJsonDocument::fromJson(bytes).object(), nullptr), warm);

        files.importPalette();
        files.importPalette();
        QCOMPARE(store.library().palettes.size(), 2);
        Palette imported = store.library().palettes.last();
        QVERIFY(imported.id != warm.id);
        QVERIFY(imported.id != store.library().palettes.first().id);
        imported.id = warm.id;
        QCOMPARE(imported, warm);
        QVERIFY(store.notice().isEmpty());
    }

    void historyExportIsHexLines()
    {
        test::TempSettings temp;
        temp.prefs().setBoolean("autoCopy", false);
        Store store(temp.prefs(), clipboard, temp.libraryPath());
        test::FakeFileDialogs dialogs;
        PaletteFiles files(store, dialogs);
        dialogs.answer = temp.path("history.txt");

        files.exportHistory();
        QCOMPARE(readFile(temp.path("history.txt")), QByteArray());

        store.capture(RGBA{0.5, 0.5, 0.5, 0.3});
        store.capture(RGBA{1.2, 0, 0, 1});
        files.exportHistory();
        QCOMPARE(dialogs.proposedNames.last(), QStringLiteral("Pigmentry.txt"));
        QCOMPARE(readFile(temp.path("history.txt")), QByteArray("#FF0000\n#808080"));
    }

    void importFailuresBecomeNotice_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("history text") << QByteArray("#FF0000\n#808080");
        QTest::newRow("missing notes") << QByteArray(R"({"id":"A1B2C3D4-E5F6-4711-8899-AABBCCDDEEFF","name":"x","colors":[]})");
        QTest::newRow("colour of wrong type") << QByteArray("{\"id\":\"A1B2C3D4-E5F6-4711-8899-AABBCCDDEEFF\",\"name\":\"x\",\"colors\":[\"#FF0000\"],\"notes\":\"\"}");
    }

    void importFailuresBecomeNotice()
    {
        QFETCH(QByteArray, bytes);
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard, temp.libraryPath());
        test::FakeFileDialogs dialogs;
        PaletteFiles files(store, dialogs);
        writeFile(temp.path("in.json"), bytes);
        dialogs.answer = temp.path("in.json");

        files.importPalette();

        QVERIFY2(store.notice().startsWith(QLatin1String("Invalid palette: ")), qPrintable(store.notice()));
        QVERIFY(store.notice().size() > 17);
        QVERIFY(store.library().palettes.isEmpty());
    }

    void unreadableImportAndFailedExport()
    {
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard, temp.libraryPath());
        test::FakeFileDialogs dialogs;
        PaletteFiles files(store, dialogs);

        dialogs.answer = temp.path("no such file.json");
        files.importPalette();
        QVERIFY(store.notice().startsWith(QLatin1String("Invalid palette: ")));

        // Nothing huge or endless is read: a file over 16 MiB, a FIFO.
        QFile huge(temp.path("huge.json"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(largestPaletteFile + 1));
        dialogs.answer = huge.fileName();
        files.importPalette();
        QCOMPARE(store.notice(), QStringLiteral("Invalid palette: it is larger than 16 MiB"));
        QCOMPARE(::mkfifo(QFile::encodeName(temp.path("pipe.json")).constData(), 0600), 0);
        dialogs.answer = temp.path("pipe.json");
        files.importPalette();
        QCOMPARE(store.notice(), QStringLiteral("Invalid palette: it is not a regular file"));
        QVERIFY(store.library().palettes.isEmpty());

        writeFile(temp.path("blocker"), "x");
        dialogs.answer = temp.path("blocker/Pigmentry.txt");
        files.exportHistory();
        QVERIFY(!store.notice().startsWith(QLatin1String("Invalid palette")));
        QVERIFY(store.notice().contains(QLatin1String("blocker")));
    }

    void cancelChangesNothing()
    {
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard, temp.libraryPath());
        test::FakeFileDialogs dialogs;
        PaletteFiles files(store, dialogs);
        store.setNotice(QStringLiteral("previous"));

        files.exportHistory();
        files.importPalette();

        QCOMPARE(store.notice(), QStringLiteral("previous"));
        QCOMPARE(dialogs.openCalls, 1);
        QVERIFY(!QFile::exists(temp.libraryPath()));
    }
};

QTEST_MAIN(TestPaletteFiles)
#include "test_palette_files.moc"
