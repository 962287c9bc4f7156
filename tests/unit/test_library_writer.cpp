// SPDX-License-Identifier: GPL-3.0-or-later
#include "../fuzz/reference_library_json.h"

#include "model/library/library_scanner.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <cstring>
#include <limits>

using namespace pigmentry;

namespace {

// Text with what a writer of JSON by hand gets wrong: quotes, backslashes,
// controls, marks that reorder text, characters outside the BMP and halves
// of surrogate pairs on their own. (Not U+FEFF: Qt's reader drops it
// from what Qt's writer puts down.)
QString randomText(QRandomGenerator &random)
{
    static const char16_t pieces[] = {u'a',  u'"',   u'\\',  u'/',   0x01,   0x1F,   u'\n',  0x7F,   0xE9,  0x7FF,
                                      0x800, 0x202E, 0x2066, 0x200F, 0xFFFE, 0xFFFF, 0xD83C, 0xDFA8, 0xDC00};
    QString text;
    const int length = random.bounded(12);
    for (int i = 0; i < length; ++i)
        text += QChar(pieces[random.bounded(int(std::size(pieces)))]);
    return text;
}

// What people write in labels and names: letters of any script, quotes,
// line breaks, marks that turn text around, a colour emoji.
QString everydayText(QRandomGenerator &random)
{
    static const QString pieces[] = {QStringLiteral("a"),      QStringLiteral("Z"),  QStringLiteral(" "),
                                     QStringLiteral("\""),     QStringLiteral("\\"), QStringLiteral("/"),
                                     QStringLiteral("\n"),     QStringLiteral("\t"), QStringLiteral("é"),
                                     QStringLiteral("ß"),      QStringLiteral("草"), QStringLiteral("\u202E"),
                                     QStringLiteral("\u00A0"), QStringLiteral("🎨"),  QStringLiteral("\u0001")};
    QString text;
    for (int i = random.bounded(12); i > 0; --i)
        text += pieces[random.bounded(int(std::size(pieces)))];
    return text;
}

double randomNumber(QRandomGenerator &random)
{
    switch (random.bounded(7)) {
    case 0: return random.bounded(256) / 255.0;
    case 1: return random.generateDouble();
    case 2: return -random.generateDouble() * 1e-5;
    case 3: return std::ldexp(random.generateDouble(), -random.bounded(1070));
    case 4: return random.generateDouble() * 1e300;
    case 5: return std::floor(random.generateDouble() * 1e18); // whole, past 2^53
    default: return std::floor(random.generateDouble() * 1e9);
    }
}

// Components, dates and the odd number below zero, not the extremes.
double everydayNumber(QRandomGenerator &random)
{
    switch (random.bounded(4)) {
    case 0: return random.bounded(256) / 255.0;
    case 1: return random.generateDouble();
    case 2: return -random.generateDouble() * 1e-5;
    default: return std::floor(random.generateDouble() * 1e9) / 1000.0;
    }
}

// A library of random texts and numbers, or of everyday ones.
Library randomLibrary(QRandomGenerator &random, bool everyday = false)
{
    const auto text = everyday ? everydayText : randomText;
    const auto number = everyday ? everydayNumber : randomNumber;
    auto color = [&] { return RGBA{number(random), number(random), number(random), number(random)}; };
    Library library;
    for (int i = random.bounded(20); i > 0; --i)
        library.history.append(
            {QUuid::createUuid(), color(), number(random), text(random), random.bounded(2) == 1, text(random)});
    for (int i = random.bounded(5); i > 0; --i) {
        Palette palette{QUuid::createUuid(), text(random), {}, text(random)};
        for (int c = random.bounded(8); c > 0; --c)
            palette.appendColor(color(), random.bounded(2) ? text(random) : QString());
        library.palettes.append(palette);
    }
    return library;
}

std::optional<Library> generalRead(const QByteArray &bytes)
{
    const std::optional<QJsonObject> object = parseJsonObject(bytes, nullptr);
    return object ? Library::fromJson(*object, nullptr) : std::nullopt;
}

} // namespace

class TestLibraryWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // What the library's writer puts down reads back exactly as what Qt's
    // own JSON writer makes of the same library.
    void readsBackAsQtsWriterDoes()
    {
        QRandomGenerator random(20261208);
        for (int round = 0; round < 400; ++round) {
            const Library library = randomLibrary(random);
            QString error;
            const std::optional<QByteArray> ours = encodeLibrary(library, &error);
            QVERIFY2(ours, qPrintable(error));
            const std::optional<QJsonObject> read = parseJsonObject(*ours, &error);
            QVERIFY2(read, qPrintable(error + QLatin1Char('\n') + QString::fromUtf8(*ours)));
            const std::optional<QJsonObject> expected = parseJsonObject(reference::libraryJson(library), &error);
            QVERIFY(expected);
            QCOMPARE(reference::numbersAsDoubles(*read), reference::numbersAsDoubles(*expected));
            QVERIFY(Library::fromJson(*read, &error));
        }
    }

    // The quick scan reads what it reads to the bit as the general reader
    // does, and reads every file whose texts are everyday ones itself.
    void scansAsTheGeneralReaderReads()
    {
        QRandomGenerator random(20261209);
        for (int round = 0; round < 400; ++round) {
            const bool everyday = round % 2 == 0;
            const Library library = randomLibrary(random, everyday);
            const QByteArray bytes = *encodeLibrary(library, nullptr);
            const std::optional<Library> general = generalRead(bytes);
            QVERIFY(general);
            const std::optional<Library> scanned = scanLibrary(bytes);
            if (scanned)
                QVERIFY2(reference::identical(*scanned, *general), bytes);
            if (everyday)
                QVERIFY2(scanned, bytes);
        }
    }

    // One record changed in one place: the scan reads it alike, or leaves it
    // to the general reader where it cannot be sure.
    void leavesWhatItIsNotSureOfToTheGeneralReader()
    {
        const QByteArray plain = R"({"history":[{"id":"00000001-0000-4000-8000-00000000000A","color":{"r":0.5,"g":0,)"
                                 R"("b":0,"a":1},"date":1,"label":"x","favorite":false,"colorSpace":"sRGB"}],)"
                                 R"("palettes":[{"id":"00000002-0000-4000-8000-000000000002","name":"p","colors":)"
                                 R"([{"r":1,"g":1,"b":1,"a":1}],"notes":"","colorNames":["white"]}]})";
        const struct {
            const char *from;
            QByteArray to;
            bool scanned;
        } cases[] = {
            {"", "", true},
            {"0.5", "-0", true},
            {"0.5", "1E+2", true},
            {"0.5", "-0.25e-1", true},
            {"0.5", "-0.0", false},
            {"0.5", "12345678901234567890", false},
            {"0.5", "1e400", false},
            {"0.5", "4.9e-324", false},
            {"0.5", "05", false},
            {"\"x\"", "\"a\\\"b\\\\c\\/\\n\\u00e9\\u202E\"", true},
            {"\"x\"", "\"\xc3\xa9\xf0\x9f\x8e\xa8\"", true},
            {"\"x\"", "\"\\u0000\"", false},
            {"\"x\"", "\"\\ud83c\\udfa8\"", false},
            {"\"x\"", "\"\\ufeff\"", false},
            {"\"x\"", "\"\xef\xbb\xbf\"", false},
            {"\"x\"", "\"\xc0\xaf\"", false},
            {"\"x\"", "\"\xed\xa0\x80\"", false},
            {"\"x\"", "\"\t\"", false},
            {"\"x\"", "\"\\x\"", false},
            {"\"sRGB\"", "\"Display P3\"", true},
            {"\"label\":\"x\"", "\"label\":\"x\",\"label\":\"y\"", false},
            {"\"label\":\"x\"", "\"more\":1,\"label\":\"x\"", false},
            {"\"favorite\":false,", "", false},
            {"\"favorite\":false", "\"favorite\":0", false},
            {"\"colorNames\":[\"white\"]", "\"colorNames\":[\"white\",\"black\"]", false},
            {",\"colorNames\":[\"white\"]", "", true},
            {"\"colorNames\":[\"white\"]", "\"colorNames\":[\"\"]", true},
            {"00A\"", "00a\"", true},
            {"00A\"", "00G\"", false},
            {"\"00000001-0000-4000-8000-00000000000A\"", "\"00000000-0000-0000-0000-000000000000\"", true},
            {"{\"history\"", "\xef\xbb\xbf{\"history\"", false},
            {"]}]}", "]}]} \n\t", true},
            {"]}]}", "]}]}x", false},
        };
        for (const auto &change : cases) {
            QByteArray bytes = plain;
            QVERIFY(bytes.contains(change.from));
            bytes.replace(bytes.indexOf(change.from), qsizetype(std::strlen(change.from)), change.to);
            const std::optional<Library> scanned = scanLibrary(bytes);
            QVERIFY2(scanned.has_value() == change.scanned, bytes);
            if (scanned) {
                const std::optional<Library> general = generalRead(bytes);
                QVERIFY2(general && reference::identical(*scanned, *general), bytes);
            }
        }
    }

    // Numbers are written out in full, the marks that turn text around stay
    // escaped where the file is shown, and U+FEFF in a text reads back.
    void writesNumbersWithoutExponentAndEscapesReordering()
    {
        Palette palette{
            QUuid::createUuid(), QStringLiteral("a\u202Eb"), {{0.0001, 1e-9, 0.0, 1.0}}, QStringLiteral("\uFEFF")};
        const QByteArray written = *encodePalette(palette, nullptr);
        QCOMPARE(*Palette::fromJson(*parseJsonObject(written, nullptr), nullptr), palette);
        QVERIFY2(written.contains("{\"r\":0.0001,\"g\":0.000000001,\"b\":0,\"a\":1}"), written);
        QVERIFY2(written.contains("\"name\":\"a\\u202eb\""), written);
        QVERIFY(
            !encodePalette({QUuid(), QString(), {{std::numeric_limits<double>::infinity(), 0, 0, 1}}, {}}, nullptr));
    }
};

QTEST_GUILESS_MAIN(TestLibraryWriter)
#include "test_library_writer.moc"
