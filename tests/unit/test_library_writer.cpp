// SPDX-License-Identifier: GPL-3.0-or-later
#include "../fuzz/reference_library_json.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
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

double randomNumber(QRandomGenerator &random)
{
    switch (random.bounded(6)) {
    case 0: return random.bounded(256) / 255.0;
    case 1: return random.generateDouble();
    case 2: return -random.generateDouble() * 1e-5;
    case 3: return std::ldexp(random.generateDouble(), -random.bounded(1070));
    case 4: return random.generateDouble() * 1e300;
    default: return std::floor(random.generateDouble() * 1e9);
    }
}

RGBA randomColor(QRandomGenerator &random)
{
    return {randomNumber(random), randomNumber(random), randomNumber(random), randomNumber(random)};
}

Library randomLibrary(QRandomGenerator &random)
{
    Library library;
    for (int i = random.bounded(20); i > 0; --i)
        library.history.append({QUuid::createUuid(), randomColor(random), randomNumber(random), randomText(random),
                                random.bounded(2) == 1, randomText(random)});
    for (int i = random.bounded(5); i > 0; --i) {
        Palette palette{QUuid::createUuid(), randomText(random), {}, randomText(random)};
        for (int c = random.bounded(8); c > 0; --c)
            palette.appendColor(randomColor(random), random.bounded(2) ? randomText(random) : QString());
        library.palettes.append(palette);
    }
    return library;
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
            QCOMPARE(*read, *expected);
            QVERIFY(Library::fromJson(*read, &error));
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
