// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_desktop.h"
#include "model/items/history_model.h"
#include "model/library/library_file.h"
#include "model/items/palette_model.h"
#include "model/library/store.h"
#include "temp_settings.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace pigmentry;

namespace {

RGBA grey(int i)
{
    return RGBA{i / 255.0, i / 255.0, i / 255.0, 1.0};
}

QList<QUuid> ids(const QAbstractItemModel &model, int role)
{
    QList<QUuid> result;
    for (int row = 0; row < model.rowCount(); ++row)
        result.append(model.index(row, 0).data(role).toUuid());
    return result;
}

QList<QUuid> historyIds(const Store &store, qsizetype limit = -1)
{
    QList<QUuid> result;
    for (const ColorRecord &record : store.library().history)
        result.append(record.id);
    return limit < 0 ? result : result.mid(0, limit);
}

struct Fixture {
    test::TempSettings temp;
    test::FakeClipboard clipboard;
    std::unique_ptr<Store> store;

    // A library file with the given history, oldest last.
    explicit Fixture(const QList<RGBA> &history = {})
    {
        temp.prefs().setBoolean("autoCopy", false);
        Library library;
        for (const RGBA &color : history)
            library.history.append(ColorRecord::captured(color, 0));
        if (!history.isEmpty() && !saveLibrary(temp.libraryPath(), library))
            qFatal("could not write the library");
        store = std::make_unique<Store>(temp.prefs(), clipboard, temp.libraryPath());
    }
};

} // namespace

class TestHistoryModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void followsCapturesRowByRow()
    {
        // Equal colours at rows 1, 2 and 4 of the file: a capture removes all
        // three, inserts one row and trims the oldest beyond the limit.
        Fixture f({grey(1), grey(9), grey(9), grey(3), grey(9), grey(5), grey(6)});
        f.temp.prefs().setInteger("historyLimit", 4);
        HistoryModel model(*f.store);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy library(f.store.get(), &Store::libraryChanged);

        f.store->capture(grey(9));

        QCOMPARE(library.count(), 1);
        QCOMPARE(ids(model, IdRole), historyIds(*f.store));
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.first().at(1).toInt(), 0);
        QCOMPARE(removed.count(), 3); // the run at 1-2, the one at 4, the tail
        QCOMPARE(reset.count(), 0);

        // A new colour with a full history: one row in, the last row out.
        inserted.clear();
        removed.clear();
        f.store->capture(grey(200));
        QCOMPARE(ids(model, IdRole), historyIds(*f.store));
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.first().at(1).toInt(), 4); // after the insertion
    }

    void editsChangeOneRowAndDeletesRemoveIt()
    {
        Fixture f({grey(1), grey(2), grey(3)});
        HistoryModel model(*f.store);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

        // The label is edited through the model, as a view's editor does.
        QVERIFY(model.setData(model.index(1), QStringLiteral("Sky")));
        QCOMPARE(f.store->library().history.at(1).label, QStringLiteral("Sky"));
        QCOMPARE(model.index(1).data(LabelRole).toString(), QStringLiteral("Sky"));
        QVERIFY(model.setData(model.index(2), true, FavoriteRole));
        QVERIFY(model.index(2).data(FavoriteRole).toBool());
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(1).at(0).toModelIndex().row(), 2);
        QCOMPARE(loadLibrary(f.temp.libraryPath()).library, f.store->library());

        f.store->deleteRecord(f.store->library().history.at(1).id);
        QCOMPARE(ids(model, IdRole), historyIds(*f.store));
        f.store->clearHistory();
        QCOMPARE(model.rowCount(), 0);
    }

    void limitedModelShowsTheNewest()
    {
        Fixture f;
        HistoryModel recent(*f.store, 8);
        QAbstractItemModelTester tester(&recent, QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (int i = 1; i <= 12; ++i) {
            f.store->capture(grey(i));
            QCOMPARE(ids(recent, IdRole), historyIds(*f.store, 8));
        }
        QCOMPARE(recent.index(0).data(ColorRole).value<RGBA>(), grey(12));
        // Capturing an older colour again moves it to the front.
        f.store->capture(grey(7));
        QCOMPARE(ids(recent, IdRole), historyIds(*f.store, 8));
        f.store->deleteRecord(f.store->library().history.first().id);
        QCOMPARE(ids(recent, IdRole), historyIds(*f.store, 8));
        f.store->clearHistory();
        QCOMPARE(recent.rowCount(), 0);
    }

    void filterByFavouriteAndSearch()
    {
        Fixture f({RGBA{1, 0, 0, 1}, RGBA{0, 0.5, 1, 1}, RGBA{1, 1, 0, 1}});
        const auto &history = f.store->library().history;
        f.store->setLabel(QStringLiteral("red"), history.at(0).id);
        f.store->setLabel(QStringLiteral("Blue"), history.at(1).id);
        f.store->toggleFavorite(history.at(1).id);
        HistoryModel model(*f.store);
        HistoryFilter filter;
        filter.setSourceModel(&model);
        QAbstractItemModelTester tester(&filter, QAbstractItemModelTester::FailureReportingMode::QtTest);
        auto hexes = [&filter] {
            QStringList result;
            for (int row = 0; row < filter.rowCount(); ++row)
                result << filter.index(row, 0).data(HexRole).toString();
            return result;
        };

        filter.setSearch(QStringLiteral("ff0000"));
        QCOMPARE(hexes(), QStringList{"#FF0000"});
        filter.setSearch(QStringLiteral("RED"));
        QCOMPARE(hexes(), QStringList{"#FF0000"});
        // Label and code joined: "e#0" runs from Blue into #0080FF.
        filter.setSearch(QStringLiteral("e#0"));
        QCOMPARE(hexes(), QStringList{"#0080FF"});
        // And what the colour is called.
        filter.setSearch(QStringLiteral("clear blue"));
        QCOMPARE(hexes(), QStringList{"#0080FF"});
        filter.setSearch(QStringLiteral("zz"));
        QCOMPARE(hexes(), QStringList());
        filter.setSearch(QString());
        QCOMPARE(hexes(), (QStringList{"#FF0000", "#0080FF", "#FFFF00"}));

        filter.setFavoritesOnly(true);
        QCOMPARE(hexes(), QStringList{"#0080FF"});
        f.store->toggleFavorite(history.at(2).id);
        QCOMPARE(hexes(), (QStringList{"#0080FF", "#FFFF00"}));
        f.store->toggleFavorite(history.at(1).id);
        QCOMPARE(hexes(), QStringList{"#FFFF00"});
    }

    void palettesFollowEveryEdit()
    {
        Fixture f;
        PaletteModel model(*f.store);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        f.store->createPalette(QStringLiteral("Warm"));
        f.store->createPalette(QStringLiteral("Cold"));
        const QUuid warm = f.store->library().palettes.first().id;
        f.store->addToPalette(warm);
        QCOMPARE(model.index(0).data(PaletteModel::ColorsRole).value<QList<RGBA>>().size(), 2);
        QVERIFY(model.setData(model.index(0), QStringLiteral("Hot")));
        QCOMPARE(f.store->library().palettes.first().name, QStringLiteral("Hot"));
        f.store->duplicatePalette(f.store->library().palettes.first());
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(2).data().toString(), QStringLiteral("Hot Copy"));
        f.store->deletePalette(warm);
        QCOMPARE(ids(model, PaletteModel::IdRole),
                 (QList<QUuid>{f.store->library().palettes.at(0).id, f.store->library().palettes.at(1).id}));
    }
};

QTEST_GUILESS_MAIN(TestHistoryModel)
#include "test_history_model.moc"
