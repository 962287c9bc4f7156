// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_desktop.h"
#include "model/library/store.h"
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

    test::FakeClipboard clipboard_;

private Q_SLOTS:
    void exportThenImportGivesACopyWithNewId()
    {
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        test::FakeFileDialogs dialogs;
        PaletteFiles files(store, dialogs);
        const Palette warm{QUuid::createUuid(),
                           QStringLiteral("Warm / “quoted”"),
                           {RGBA{1, 0.5, 0, 0.5}, RGBA{1, 0.5, 0, 0.5}},
                           QStringLiteral("notes")};

        dialogs.answer = temp.path("Pigmentry.json");
        files.exportPalette(warm);
        // The palette's name proposes the file's, without its slash.
        QCOMPARE(dialogs.proposedNames, QStringList{"Warm - “quoted”.json"});
        QCOMPARE(store.notice(), QStringLiteral("Exported 2 colors to Pigmentry.json"));
        QCOMPARE(store.noticeKind(), Store::NoticeKind::Done);
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
        QCOMPARE(store.notice(), QStringLiteral("Imported “Warm / “quoted”” (2 colors)"));
    }

    // The filter chosen in the panel decides, unless the typed name's
    // extension says otherwise; GIMP keeps 8-bit RGB and drops the alpha.
    void exportsEitherFormatAndImportsBoth()
    {
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        test::FakeFileDialogs dialogs;
        PaletteFiles files(store, dialogs);
        const Palette sunset{QUuid::createUuid(),
                             QStringLiteral("Sunset\nlate"),
                             {RGBA{1, 0.5, 0, 0.5}, RGBA{0.2, 0.4, 0.6, 1}, RGBA{0.2, 0.4, 0.6, 1}},
                             QStringLiteral("warm")};

        dialogs.answer = temp.path("chosen");
        dialogs.filter = QStringLiteral("GIMP palette, without transparency (*.gpl)");
        files.exportPalette(sunset);
        QCOMPARE(dialogs.offeredFilters,
                 (QStringList{"JSON palette (*.json)", "GIMP palette, without transparency (*.gpl)",
                              "Adobe Swatch Exchange, without transparency (*.ase)", "Hex list (*.txt)",
                              "CSS custom properties (*.css)", "SCSS variables (*.scss)", "HTML sheet (*.html)"}));
        // The colours were saved opaque, and the user is told.
        QCOMPARE(store.notice(),
                 QStringLiteral("Exported 3 colors to chosen. A GIMP palette holds no transparency: "
                                "the colors were saved opaque."));
        QCOMPARE(readFile(temp.path("chosen")),
                 QByteArray("GIMP Palette\nName: Sunset late\nColumns: 0\n#\n"
                            "255 128   0\t#FF8000\n 51 102 153\t#336699\n"
                            " 51 102 153\t#336699\n"));
        dialogs.answer = temp.path("typed.json");
        files.exportPalette(sunset);
        QVERIFY(readFile(temp.path("typed.json")).startsWith('{'));
        dialogs.filter = QStringLiteral("JSON palette (*.json)");
        dialogs.answer = temp.path("typed.GPL");
        files.exportPalette(sunset);
        QVERIFY(readFile(temp.path("typed.GPL")).startsWith("GIMP Palette\n"));

        files.importPalette();
        const Palette imported = store.library().palettes.last();
        QCOMPARE(imported.name, QStringLiteral("Sunset late"));
        QCOMPARE(imported.colors,
                 (QList<RGBA>{RGBA{1, 128 / 255.0, 0, 1}, RGBA{0.2, 0.4, 0.6, 1}, RGBA{0.2, 0.4, 0.6, 1}}));
        QVERIFY(imported.notes.isEmpty());
    }

    void readsGimpPalettesOfOtherPrograms()
    {
        // Comments, a byte-order mark, CRLF, tabs, names with spaces, a
        // Columns line, blank lines and no final line feed.
        const QByteArray bytes = "\xEF\xBB\xBFGIMP Palette\r\nName: Material / Pink\r\nColumns: 16\r\n#\r\n"
                                 "# exported by hand\r\n252 228 236\tpink 50\r\n\r\n\t  0\t  0\t  0\r\n"
                                 "255 255 255 White Smoke";
        QString error;
        const std::optional<Palette> palette = decodePaletteFile(bytes, QStringLiteral("file"), &error);
        QVERIFY2(palette, qPrintable(error));
        QCOMPARE(palette->name, QStringLiteral("Material / Pink"));
        QCOMPARE(palette->colors.size(), 3);
        QCOMPARE(palette->colors.at(0).hex(), QStringLiteral("#FCE4EC"));
        QCOMPARE(palette->colors.at(1), (RGBA{0, 0, 0, 1}));
        QCOMPARE(palette->colors.at(2), (RGBA{1, 1, 1, 1}));
        QVERIFY(!palette->id.isNull());

        const std::optional<Palette> empty = decodePaletteFile("GIMP Palette\n", QStringLiteral("blank"), &error);
        QVERIFY(empty && empty->colors.isEmpty() && empty->name == QLatin1String("blank"));
    }

    void refusesMalformedGimpPalettes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("two numbers") << QByteArray("GIMP Palette\nName: x\n255 0\n")
                                     << "line 3 is not a color: \"255 0\"";
        QTest::newRow("above 255") << QByteArray("GIMP Palette\n0 256 0 green\n")
                                   << "line 2 has a value above 255: \"0 256 0 green\"";
        QTest::newRow("huge number") << QByteArray("GIMP Palette\n0 99999999999 0\n")
                                     << "line 2 has a value above 255: \"0 99999999999 0\"";
        QTest::newRow("negative") << QByteArray("GIMP Palette\n-1 0 0\n") << "line 2 is not a color: \"-1 0 0\"";
        QTest::newRow("words") << QByteArray("GIMP Palette\nred green blue\n")
                               << "line 2 is not a color: \"red green blue\"";
        QTest::newRow("not UTF-8") << QByteArray("GIMP Palette\nName: \xFF\xFE\n")
                                   << "the GIMP palette is not UTF-8 text";
        QByteArray many("GIMP Palette\n");
        for (int i = 0; i <= mostPaletteColors; ++i)
            many += "1 2 3\n";
        QTest::newRow("too many colors") << many << "it has more than 65536 colors";
        QTest::newRow("empty") << QByteArray() << "the file is empty";
        QTest::newRow("lone CRs, bad line")
            << QByteArray("GIMP Palette\r1 2 3\rblue\r") << "line 3 is not a color: \"blue\"";
    }

    void refusesMalformedGimpPalettes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        test::FakeFileDialogs dialogs;
        PaletteFiles files(store, dialogs);
        writeFile(temp.path("in.gpl"), bytes);
        dialogs.answer = temp.path("in.gpl");

        files.importPalette();

        QCOMPARE(store.notice(), QLatin1String("Invalid palette: ") + reason);
        QVERIFY(store.library().palettes.isEmpty());
    }

    void historyExportIsHexLines()
    {
        test::TempSettings temp;
        temp.prefs().setBoolean("autoCopy", false);
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
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
        QTest::newRow("plain text") << QByteArray("red\ngreen");
        QTest::newRow("missing notes") << QByteArray(
            R"({"id":"A1B2C3D4-E5F6-4711-8899-AABBCCDDEEFF","name":"x","colors":[]})");
        QTest::newRow("color of wrong type") << QByteArray(
            "{\"id\":\"A1B2C3D4-E5F6-4711-8899-AABBCCDDEEFF\",\"name\":\"x\",\"colors\":[\"#FF0000\"],\"notes\":\"\"}");
    }

    void importFailuresBecomeNotice()
    {
        QFETCH(QByteArray, bytes);
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
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
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
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
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        test::FakeFileDialogs dialogs;
        PaletteFiles files(store, dialogs);
        store.setNotice(QStringLiteral("previous"), Store::NoticeKind::Done);

        files.exportHistory();
        files.importPalette();

        QCOMPARE(store.notice(), QStringLiteral("previous"));
        QCOMPARE(dialogs.openCalls, 1);
        QVERIFY(!QFile::exists(temp.libraryPath()));
    }
};

QTEST_MAIN(TestPaletteFiles)
#include "test_palette_files.moc"
