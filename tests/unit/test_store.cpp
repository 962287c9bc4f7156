// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_clock.h"
#include "fake_desktop.h"
#include "model/library/library_file.h"
#include "model/library/store.h"
#include "temp_settings.h"

#include <QSignalSpy>
#include <QTest>

using namespace pigmentry;
using pigmentry::test::readFile;
using pigmentry::test::writeFile;

namespace {

RGBA grey(int i)
{
    return RGBA{i / 255.0, i / 255.0, i / 255.0, 1.0};
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT

    test::FakeClipboard clipboard_;
    test::FakeClock clock_;

private Q_SLOTS:
    void init() { clipboard_.texts = {QStringLiteral("before")}; }

    void startsWithItsInitialState()
    {
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        QCOMPARE(store.selected(), (RGBA{0.23, 0.51, 0.96, 1.0}));
        QVERIFY(store.notice().isEmpty());
        QCOMPARE(store.library(), Library());
        QCOMPARE(store.url(), temp.libraryPath());
        QVERIFY(!QFile::exists(temp.libraryPath()));
    }

    void captureRecordsCopiesAndSaves()
    {
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard_, temp.libraryPath(), clock_);
        QSignalSpy library(&store, &Store::libraryChanged);
        QSignalSpy selected(&store, &Store::selectedChanged);

        store.capture(RGBA{1, 0.5, 0, 1});

        QCOMPARE(store.selected(), (RGBA{1, 0.5, 0, 1}));
        QCOMPARE(clipboard_.text(), QStringLiteral("#FF8000"));
        QCOMPARE(store.notice(), QStringLiteral("Copied #FF8000"));
        QCOMPARE(library.count(), 1); // one change, one save
        QCOMPARE(selected.count(), 1);
        const ColorRecord &record = store.library().history.first();
        QVERIFY(!record.id.isNull());
        QVERIFY(record.label.isEmpty());
        QVERIFY(!record.favorite);
        QCOMPARE(record.colorSpace, QStringLiteral("sRGB"));
        QCOMPARE(record.date, secondsSinceReferenceDate(clock_.time));
        QCOMPARE(loadLibrary(temp.libraryPath()).library, store.library());
    }

    void captureReplacesEqualColoursOnly()
    {
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        store.capture(grey(1));
        store.capture(grey(2));
        store.capture(RGBA{grey(1).r, grey(1).g, grey(1).b, 0.5}); // other alpha stays
        store.setLabel(QStringLiteral("kept?"), store.library().history.at(2).id);
        store.toggleFavorite(store.library().history.at(2).id);
        const QUuid oldId = store.library().history.at(2).id;

        store.capture(grey(1));

        const auto &history = store.library().history;
        QCOMPARE(history.size(), 3);
        QCOMPARE(history.at(0).color, grey(1));
        QVERIFY(history.at(0).id != oldId);
        QVERIFY(history.at(0).label.isEmpty());
        QVERIFY(!history.at(0).favorite);
        QCOMPARE(history.at(1).color.a, 0.5);
        QCOMPARE(history.at(2).color, grey(2));
    }

    void historyLimit_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("kept");
        QTest::newRow("3") << QVariant(3) << 3;
        QTest::newRow("-5 keeps one") << QVariant(-5) << 1;
        QTest::newRow("0 means 500") << QVariant(0) << 500;
        QTest::newRow("absent means 500") << QVariant() << 500;
        QTest::newRow("not a number means 500") << QVariant(QStringLiteral("lots")) << 500;
    }

    void historyLimit()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, kept);
        test::TempSettings temp;
        if (stored.isValid())
            temp.settings().setValue("historyLimit", stored);
        temp.prefs().setBoolean("autoCopy", false);
        // Start from a file with 505 records so that the limit is visible.
        Library full;
        for (int i = 0; i < 505; ++i)
            full.history.append(ColorRecord::captured(RGBA{0, 0, i / 1000.0, 1}, i));
        QVERIFY(saveLibrary(temp.libraryPath(), full));
        Store store(temp.prefs(), clipboard_, temp.libraryPath());

        store.capture(grey(200));

        QCOMPARE(store.library().history.size(), kept);
        QCOMPARE(store.library().history.first().color, grey(200));
        if (kept > 1)
            QCOMPARE(store.library().history.at(1).color, full.history.first().color);
    }

    void autoCopy_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("copies");
        QTest::newRow("false skips") << QVariant(false) << false;
        QTest::newRow("text false skips") << QVariant(QStringLiteral("false")) << false;
        QTest::newRow("absent copies") << QVariant() << true;
        QTest::newRow("true copies") << QVariant(true) << true;
        QTest::newRow("not a boolean copies") << QVariant(QStringLiteral("no")) << true;
        QTest::newRow("a number copies") << QVariant(0) << true;
    }

    void autoCopy()
    {
        QFETCH(QVariant, stored);
        QFETCH(bool, copies);
        test::TempSettings temp;
        if (stored.isValid())
            temp.settings().setValue("autoCopy", stored);
        temp.prefs().setText("format", "RGB");
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        store.setNotice(QStringLiteral("earlier"), Store::NoticeKind::Done);

        store.capture(RGBA{1, 0.5, 0, 1});

        QCOMPARE(clipboard_.text(), copies ? QStringLiteral("rgb(255, 128, 0)") : QStringLiteral("before"));
        QCOMPARE(store.notice(), copies ? QStringLiteral("Copied #FF8000") : QStringLiteral("earlier"));
    }

    void copyNoticeIsAlwaysHex()
    {
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        store.copy(store.selected(), QStringLiteral("JSON"));
        QCOMPARE(clipboard_.text(), QStringLiteral("{\"hex\":\"#3B82F5\",\"alpha\":1.0}"));
        QCOMPARE(store.notice(), QStringLiteral("Copied #3B82F5"));
        // A stale preference value gives the HEX code.
        temp.prefs().setText("format", "hex");
        store.copy(RGBA{0.2, 0.4, 0.6, 0.8});
        QCOMPARE(clipboard_.text(), QStringLiteral("#336699"));
        QCOMPARE(store.notice(), QStringLiteral("Copied #336699"));
    }

    void failedSaveKeepsFileAndChange()
    {
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard_, temp.failingPath("Pigmentry/library.json"));
        temp.prefs().setBoolean("autoCopy", false);

        store.capture(grey(9));

        QCOMPARE(store.library().history.size(), 1);
        QVERIFY(store.notice().contains(QLatin1String("blocker")));
        QVERIFY(!store.notice().startsWith(QLatin1String("Copied")));
        QCOMPARE(readFile(temp.path("blocker")), QByteArray("not a folder"));
    }

    void loadFailureBecomesNotice()
    {
        test::TempSettings temp;
        writeFile(temp.libraryPath(), R"({"history":[],"palettes":[{"id":"x"}]})");
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        QVERIFY(store.notice().startsWith(QLatin1String("Could not read library: ")));
        QVERIFY(store.notice().contains(QLatin1String("(kept as library.json.corrupt-")));
        QCOMPARE(store.library(), Library());
        // The next save writes a fresh file beside the kept one.
        store.clearHistory();
        QDir folder(QFileInfo(temp.libraryPath()).absolutePath());
        QCOMPARE(folder.entryList(QDir::Files).size(), 2);
    }

    void paletteEdits()
    {
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        store.createPalette(QStringLiteral("Warm "));
        const Palette warm = store.library().palettes.first();
        QCOMPARE(warm.name, QStringLiteral("Warm ")); // taken as typed
        QCOMPARE(warm.colors, QList<RGBA>{Store::initialSelection});

        store.addToPalette(warm.id);
        store.addToPalette(warm.id);
        QCOMPARE(store.library().palettes.first().colors.size(), 3);

        store.duplicatePalette(store.library().palettes.first());
        store.duplicatePalette(store.library().palettes.last());
        QCOMPARE(store.library().palettes.last().name, QStringLiteral("Warm  Copy Copy"));

        store.renamePalette(warm.id, QStringLiteral("Hot"));
        store.removeColor(0, warm.id);
        QCOMPARE(store.library().palettes.first().name, QStringLiteral("Hot"));
        QCOMPARE(store.library().palettes.first().colors.size(), 2);
        store.setOpacity(0.25);
        QCOMPARE(store.selected().a, 0.25);
        QCOMPARE(loadLibrary(temp.libraryPath()).library, store.library());
    }

    void editsOfMissingItemsWriteNothing()
    {
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        QSignalSpy library(&store, &Store::libraryChanged);
        const QUuid gone = QUuid::createUuid();
        store.renamePalette(gone, QStringLiteral("x"));
        store.addToPalette(gone);
        store.removeColor(0, gone);
        store.setLabel(QStringLiteral("x"), gone);
        store.toggleFavorite(gone);
        QCOMPARE(library.count(), 0);
        QVERIFY(!QFile::exists(temp.libraryPath()));

        // Removals rewrite the file even when nothing matched.
        store.deleteRecord(gone);
        QVERIFY(QFile::exists(temp.libraryPath()));
        QFile::remove(temp.libraryPath());
        store.deletePalette(gone);
        QVERIFY(QFile::exists(temp.libraryPath()));
    }

    void clearHistoryKeepsPalettes()
    {
        test::TempSettings temp;
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        store.capture(grey(1));
        store.createPalette(QStringLiteral("P"));
        store.clearHistory();
        QVERIFY(store.library().history.isEmpty());
        QCOMPARE(store.library().palettes.size(), 1);
        QCOMPARE(store.selected(), grey(1));
    }

    // Undo's way back: rows come back where they were, reported as inserted
    // rows; nothing comes back twice.
    void deletedItemsComeBack()
    {
        test::TempSettings temp;
        temp.prefs().setBoolean("autoCopy", false);
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        for (int i = 1; i <= 3; ++i)
            store.capture(grey(i));
        const ColorRecord middle = store.library().history.at(1);
        store.deleteRecord(middle.id);
        QSignalSpy inserted(&store, &Store::historyInserted);
        store.insertRecord(1, middle);
        store.insertRecord(1, middle);
        QCOMPARE(store.library().history.at(1), middle);
        QCOMPARE(store.library().history.size(), 3);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0), (QList<QVariant>{1, 1}));

        store.createPalette(QStringLiteral("P"));
        const Palette palette = store.library().palettes.at(0);
        store.insertColor(palette.id, 99, grey(7));
        store.insertColor(palette.id, 0, grey(8));
        QCOMPARE(store.library().palettes.at(0).colors, (QList<RGBA>{grey(8), store.selected(), grey(7)}));
        store.deletePalette(palette.id);
        store.insertPalette(5, palette);
        store.insertPalette(0, palette);
        QCOMPARE(store.library().palettes, QList<Palette>{palette});

        // A cleared history comes back behind what was picked since, less
        // the colours picked again.
        const QList<ColorRecord> cleared = store.library().history;
        store.clearHistory();
        store.capture(grey(2));
        store.capture(grey(9));
        inserted.clear();
        store.restoreHistory(cleared);
        QStringList order;
        for (const ColorRecord &record : store.library().history)
            order << record.color.hex();
        QCOMPARE(order, (QStringList{"#090909", "#020202", "#030303", "#010101"}));
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0), (QList<QVariant>{2, 3}));
        QCOMPARE(loadLibrary(temp.libraryPath(), QDateTime::currentDateTimeUtc()).library, store.library());
    }

    // Undo never takes the history past its limit: the oldest go, as at
    // capture, and what would stand past the limit stays out.
    void undoKeepsTheHistoryLimit()
    {
        test::TempSettings temp;
        temp.prefs().setBoolean("autoCopy", false);
        temp.settings().setValue("historyLimit", 3);
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        for (int i = 1; i <= 3; ++i)
            store.capture(grey(i));
        const QList<ColorRecord> three = store.library().history;
        store.clearHistory();
        store.capture(grey(9));
        store.restoreHistory(three);
        QCOMPARE(store.library().history.size(), 3);
        QCOMPARE(loadLibrary(temp.libraryPath()).library.history.size(), 3);

        const ColorRecord first = store.library().history.at(0);
        const ColorRecord last = store.library().history.at(2);
        store.deleteRecord(first.id);
        store.capture(grey(20));
        store.capture(grey(21));
        store.insertRecord(0, first);
        QCOMPARE(store.library().history.size(), 3);
        QCOMPARE(store.library().history.at(0), first);
        store.insertRecord(3, last);
        QCOMPARE(store.library().history.size(), 3);
        QCOMPARE(loadLibrary(temp.libraryPath()).library, store.library());
    }

    // A change that would take the file past what a start reads back is
    // not made: the library, the file and the views stay as they were.
    void nothingIsWrittenThatCannotBeReadBack()
    {
        test::TempSettings temp;
        temp.prefs().setBoolean("autoCopy", false);
        Store store(temp.prefs(), clipboard_, temp.libraryPath());
        store.capture(grey(1));
        const QByteArray before = readFile(temp.libraryPath());
        Palette huge{QUuid::createUuid(), QStringLiteral("Huge"), {}, QString()};
        for (int i = 0; i < 1000000; ++i)
            huge.colors.append(RGBA{(i % 997 + 1) / 999.0, 1 / 3.0, 2 / 3.0, 1});
        QSignalSpy changed(&store, &Store::libraryChanged);
        store.appendPalette(huge);
        QCOMPARE(changed.count(), 0);
        QVERIFY(store.library().palettes.isEmpty());
        QCOMPARE(store.noticeKind(), Store::NoticeKind::Failure);
        QVERIFY2(store.notice().startsWith(QLatin1String("Not changed: the library would grow past 64 MiB")),
                 qPrintable(store.notice()));
        QCOMPARE(readFile(temp.libraryPath()), before);
    }
};

QTEST_MAIN(TestStore)
#include "test_store.moc"
