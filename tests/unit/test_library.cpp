// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/library/library.h"
#include "model/library/library_file.h"
#include "temp_settings.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <QTimeZone>

#include <cmath>

using namespace pigmentry;
using pigmentry::test::readFile;
using pigmentry::test::writeFile;

namespace {

const char *const goodDocument = R"({
  "history": [{"id": "6f1c2b0e-8d3a-4b5e-9f7a-1c2d3e4f5a6b", "color": {"r": 0.25, "g": 0.5, "b": 0.75, "a": 1},
               "date": 0, "label": "Sky \/ sea", "favorite": true, "colorSpace": "sRGB", "extra": 1}],
  "palettes": [{"id": "A1B2C3D4-E5F6-4711-8899-AABBCCDDEEFF", "name": "Warm",
                "colors": [{"r": 1, "g": 0.5, "b": 0, "a": 0.5}], "notes": ""}],
  "version": 7
})";

QJsonObject goodObject()
{
    return QJsonDocument::fromJson(goodDocument).object();
}

// Applies an edit to the record or palette of the good document.
QByteArray edited(const char *list, const std::function<void(QJsonObject &)> &edit)
{
    QJsonObject top = goodObject();
    QJsonArray array = top.value(QLatin1String(list)).toArray();
    QJsonObject item = array.at(0).toObject();
    edit(item);
    array.replace(0, item);
    top.insert(QLatin1String(list), array);
    return QJsonDocument(top).toJson();
}

} // namespace

class TestLibrary : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsAGoodDocument()
    {
        QString error;
        const std::optional<Library> library = Library::fromJson(goodObject(), &error);
        QVERIFY2(library, qPrintable(error));
        QCOMPARE(library->history.size(), 1);
        const ColorRecord &record = library->history.first();
        QCOMPARE(record.label, QStringLiteral("Sky / sea"));
        QVERIFY(record.favorite);
        QCOMPARE(record.color, (RGBA{0.25, 0.5, 0.75, 1}));
        // A date of 0 is the reference date itself.
        QCOMPARE(dateFromReferenceSeconds(record.date), QDateTime(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc()));
        QCOMPARE(library->palettes.first().colors.first(), (RGBA{1, 0.5, 0, 0.5}));
    }

    void rejectsWholeDocument_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("mentions");

        for (const char *key : {"id", "color", "date", "label", "favorite", "colorSpace"})
            QTest::addRow("record without %s", key)
                << edited("history", [key](QJsonObject &o) { o.remove(QLatin1String(key)); })
                << QString::fromLatin1(key);
        for (const char *key : {"id", "name", "colors", "notes"})
            QTest::addRow("palette without %s", key)
                << edited("palettes", [key](QJsonObject &o) { o.remove(QLatin1String(key)); })
                << QString::fromLatin1(key);
        for (const char *key : {"r", "g", "b", "a"})
            QTest::addRow("color without %s", key) << edited("history", [key](QJsonObject &o) {
                QJsonObject c = o.value(QLatin1String("color")).toObject();
                c.remove(QLatin1String(key));
                o.insert(QLatin1String("color"), c);
            }) << QString::fromLatin1(key);
        QTest::newRow("favorite as a number")
            << edited("history", [](QJsonObject &o) { o.insert(QLatin1String("favorite"), 1); }) << "favorite";
        QTest::newRow("date as an ISO text") << edited("history", [](QJsonObject &o) {
            o.insert(QLatin1String("date"), QLatin1String("2024-01-01T00:00:00Z"));
        }) << "date";
        QTest::newRow("label as null") << edited("history", [](QJsonObject &o) {
            o.insert(QLatin1String("label"), QJsonValue());
        }) << "label";
        QTest::newRow("colors as an object")
            << edited("palettes", [](QJsonObject &o) { o.insert(QLatin1String("colors"), QJsonObject()); }) << "colors";
        QTest::newRow("malformed UUID") << edited("history", [](QJsonObject &o) {
            o.insert(QLatin1String("id"), QLatin1String("6f1c2b0e-8d3a-4b5e-9f7a-1c2d3e4f5a6"));
        }) << "UUID";
        QTest::newRow("UUID in braces") << edited("palettes", [](QJsonObject &o) {
            o.insert(QLatin1String("id"), QLatin1String("{A1B2C3D4-E5F6-4711-8899-AABBCCDDEEFF}"));
        }) << "UUID";
        QTest::newRow("no history") << QByteArray(R"({"palettes":[]})") << "history";
        QTest::newRow("top level array") << QByteArray("[]") << "object";
        QTest::newRow("not JSON") << QByteArray("{\"history\": [") << "JSON";
        QTest::newRow("empty file") << QByteArray() << "JSON";
    }

    void rejectsWholeDocument()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, mentions);
        pigmentry::test::TempSettings temp;
        writeFile(temp.libraryPath(), bytes);
        const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7), QTimeZone::utc());

        const LoadedLibrary loaded = loadLibrary(temp.libraryPath(), when);

        QCOMPARE(loaded.library, Library());
        QVERIFY2(loaded.notice.startsWith(QLatin1String("Could not read library: ")), qPrintable(loaded.notice));
        QVERIFY2(loaded.notice.contains(mentions), qPrintable(loaded.notice));
        // The rejected file is kept under another name, so the next save
        // cannot destroy the user's collection.
        QVERIFY2(loaded.notice.endsWith(QLatin1String(" (kept as library.json.corrupt-20260304-050607)")),
                 qPrintable(loaded.notice));
        QVERIFY(!QFile::exists(temp.libraryPath()));
        QCOMPARE(readFile(temp.libraryPath() + QLatin1String(".corrupt-20260304-050607")), bytes);
    }

    void keepsEachRejectedFile()
    {
        pigmentry::test::TempSettings temp;
        const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7), QTimeZone::utc());
        writeFile(temp.libraryPath(), "first");
        loadLibrary(temp.libraryPath(), when);
        writeFile(temp.libraryPath(), "second");
        const LoadedLibrary loaded = loadLibrary(temp.libraryPath(), when);
        QVERIFY(loaded.notice.endsWith(QLatin1String("corrupt-20260304-050607-1)")));
        QCOMPARE(readFile(temp.libraryPath() + QLatin1String(".corrupt-20260304-050607")), QByteArray("first"));
        QCOMPARE(readFile(temp.libraryPath() + QLatin1String(".corrupt-20260304-050607-1")), QByteArray("second"));
    }

    void missingFileIsSilent()
    {
        pigmentry::test::TempSettings temp;
        const LoadedLibrary loaded = loadLibrary(temp.libraryPath());
        QCOMPARE(loaded.library, Library());
        QVERIFY(loaded.notice.isEmpty());
    }

    void writesCompactUpperCaseAndReadsBack()
    {
        pigmentry::test::TempSettings temp;
        writeFile(temp.libraryPath(), goodDocument);
        Library library = loadLibrary(temp.libraryPath()).library;
        library.palettes.first().name = QStringLiteral("quote \" backslash \\ line\nfeed \x01 tab\t é 🎨");
        library.history.first().date = -1234.5678;

        QVERIFY(saveLibrary(temp.libraryPath(), library));
        const QByteArray bytes = readFile(temp.libraryPath());
        QVERIFY(!bytes.contains('\n'));
        QVERIFY(!bytes.contains("6f1c2b0e"));
        QVERIFY(bytes.contains("6F1C2B0E-8D3A-4B5E-9F7A-1C2D3E4F5A6B"));
        QVERIFY(!bytes.contains("extra"));
        QCOMPARE(loadLibrary(temp.libraryPath()).library, library);
    }

    void writesEmptyLibraryIntoNewFolder()
    {
        pigmentry::test::TempSettings temp;
        const QString path = temp.path(QStringLiteral("a/b/c/library.json"));
        QVERIFY(saveLibrary(path, Library()));
        const QJsonObject object = QJsonDocument::fromJson(readFile(path)).object();
        QCOMPARE(object, (QJsonObject{{"history", QJsonArray()}, {"palettes", QJsonArray()}}));
    }

    void failedWritesKeepTheOldFile()
    {
        pigmentry::test::TempSettings temp;
        writeFile(temp.libraryPath(), goodDocument);
        Library library = loadLibrary(temp.libraryPath()).library;

        // A number JSON cannot hold fails the write before anything is touched.
        library.history.first().color.r = std::nan("");
        const Result saved = saveLibrary(temp.libraryPath(), library);
        QVERIFY(!saved && !saved.error().isEmpty());
        QCOMPARE(readFile(temp.libraryPath()), QByteArray(goodDocument));

        // A folder that cannot be made (a file stands in its way; this works
        // even for root, who ignores permissions).
        writeFile(temp.path(QStringLiteral("blocker")), "x");
        const auto blocked = saveLibrary(temp.path(QStringLiteral("blocker/library.json")), Library());
        QVERIFY(!blocked && blocked.error().contains(QLatin1String("blocker")));
    }

    void datesRoundTrip()
    {
        const QDateTime time(QDate(2024, 2, 29), QTime(12, 30, 15, 250), QTimeZone::utc());
        QCOMPARE(secondsSinceReferenceDate(time), 730902615.25);
        QCOMPARE(dateFromReferenceSeconds(730902615.25), time);
    }
};

QTEST_GUILESS_MAIN(TestLibrary)
#include "test_library.moc"
