// SPDX-License-Identifier: GPL-3.0-or-later
#include "temp_settings.h"
#include "tools/image_extractor.h"

#include <QColorSpace>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QPainter>
#include <QTest>

#include <sys/resource.h>

using namespace pigmentry;

namespace {

QImage filled(int width, int height, QColor color, QImage::Format format = QImage::Format_RGBA8888)
{
    QImage image(width, height, format);
    image.fill(color);
    return image;
}

// Top half a, bottom half b.
QImage halves(int width, int height, QColor a, QColor b)
{
    QImage image = filled(width, height, a);
    QPainter(&image).fillRect(0, height / 2, width, height - height / 2, b);
    return image;
}

RGBA bytes(int r, int g, int b)
{
    return RGBA{r / 255.0, g / 255.0, b / 255.0, 1.0};
}

QString saved(const test::TempSettings &temp, const QImage &image, const char *name, const char *format = "png")
{
    const QString path = temp.path(QLatin1String(name));
    QImageWriter writer(path, format);
    if (!writer.write(image))
        qFatal("cannot write %s", name);
    return path;
}

QList<RGBA> clusterOf(const QImage &image)
{
    const QImage bitmap = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    return ImageExtractor::cluster(bitmap.constBits(), bitmap.width(), bitmap.height(), bitmap.bytesPerLine());
}

// Means of many equal samples may differ from the sample in the last bit;
// the codes say which colours were found.
QStringList hexes(const QList<RGBA> &colors)
{
    QStringList codes;
    for (const RGBA &c : colors)
        codes << c.hex();
    return codes;
}

QStringList hexes(std::initializer_list<QColor> colors)
{
    QStringList codes;
    for (const QColor &c : colors)
        codes << c.name().toUpper();
    return codes;
}

} // namespace

class TestImageExtractor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void samplesAndClusters()
    {
        // Nothing qualifies: transparent, or alpha 240 at most.
        QVERIFY(clusterOf(filled(10, 10, Qt::transparent)).isEmpty());
        QVERIFY(clusterOf(filled(10, 10, QColor(200, 10, 10, 240))).isEmpty());
        // Alpha 241 qualifies, with its premultiplied bytes as they are.
        const QImage faint = filled(4, 4, QColor(255, 0, 0, 241), QImage::Format_RGBA8888_Premultiplied);
        QCOMPARE(hexes(clusterOf(faint)), hexes({QColor(241, 0, 0)}));

        QCOMPARE(hexes(clusterOf(filled(30, 20, QColor(10, 20, 30)))), hexes({QColor(10, 20, 30)}));
        QCOMPARE(clusterOf(filled(1, 1, QColor(1, 2, 3))), QList<RGBA>{bytes(1, 2, 3)});
        QCOMPARE(clusterOf(halves(40, 40, QColor(255, 0, 0), QColor(0, 0, 255))),
                 (QList<RGBA>{bytes(255, 0, 0), bytes(0, 0, 255)}));

        // Five rows of five greys: each a centre; distances decide what stays.
        auto stripes = [](const QList<int> &levels) {
            QImage image(5, int(levels.size()), QImage::Format_RGBA8888);
            for (int y = 0; y < levels.size(); ++y)
                for (int x = 0; x < 5; ++x)
                    image.setPixelColor(x, y, QColor(levels.at(y), 0, 0));
            return image;
        };
        // Each row ends as one centre. 23 is 0.09 from 0 (squared 0.0081):
        // it goes. 77 is 0.102 from 51: it stays. 102 is 0.098 from 77: gone.
        QCOMPARE(hexes(clusterOf(stripes({0, 23, 51, 77, 102}))), (QStringList{"#000000", "#330000", "#4D0000"}));
        QCOMPARE(clusterOf(stripes({0, 51, 102, 153, 204})).size(), 5);
        QCOMPARE(clusterOf(stripes({0, 51, 102, 153, 204})), clusterOf(stripes({0, 51, 102, 153, 204})));
    }

    void sizesAndOrientation()
    {
        QCOMPARE(ImageExtractor::thumbnailSize(QSize(400, 200)), QSize(96, 48));
        QCOMPARE(ImageExtractor::thumbnailSize(QSize(50, 30)), QSize(50, 30));
        QCOMPARE(ImageExtractor::thumbnailSize(QSize(6000, 4000)), QSize(96, 64));

        // A photo stored on its side with orientation 6 is read as shown:
        // left half red, right half blue when turned is top red, bottom blue.
        test::TempSettings temp;
        QImage sideways = filled(400, 200, Qt::red);
        QPainter(&sideways).fillRect(0, 0, 200, 200, Qt::blue);
        QImageWriter writer(temp.path("turned.jpg"), "jpeg");
        writer.setTransformation(QImageIOHandler::TransformationRotate90);
        writer.setQuality(95);
        QVERIFY(writer.write(sideways));
        const Extraction turned = ImageExtractor::extractFile(temp.path("turned.jpg"), QSize(300, 300));
        QVERIFY(turned.readable);
        QCOMPARE(turned.colors.size(), 2);
        QVERIFY(turned.colors.at(0).b > 0.9 && turned.colors.at(0).r < 0.1);
        QVERIFY(turned.colors.at(1).r > 0.9 && turned.colors.at(1).b < 0.1);
        QCOMPARE(turned.preview.size(), QSize(150, 300));
        // The command and the page see the same colours.
        QCOMPARE(ImageExtractor::extract(temp.path("turned.jpg")), turned.colors);
    }

    // A profile other than sRGB is converted: the same bytes in Display P3
    // are a more saturated orange, with more red and less green in sRGB.
    void profilesConvertToSrgb()
    {
        test::TempSettings temp;
        QImage p3 = filled(8, 8, QColor(200, 100, 50));
        p3.setColorSpace(QColorSpace(QColorSpace::DisplayP3));
        const QList<RGBA> colors = ImageExtractor::extract(saved(temp, p3, "p3.png"));
        QCOMPARE(colors.size(), 1);
        QVERIFY2(colors.first().r > 200 / 255.0 && colors.first().g < 100 / 255.0, qPrintable(colors.first().hex()));
        QCOMPARE(hexes(ImageExtractor::extract(saved(temp, filled(8, 8, QColor(200, 100, 50)), "srgb.png"))),
                 hexes({QColor(200, 100, 50)}));
    }

    void hostileFilesEndUnreadable()
    {
        test::TempSettings temp;
        test::writeFile(temp.path("text.png"), "not an image at all");
        QVERIFY(!ImageExtractor::extractFile(temp.path("text.png")).readable);
        QVERIFY(!ImageExtractor::extractFile(temp.path("missing.png")).readable);

        // Cut short, both kinds.
        QImage photo(600, 400, QImage::Format_RGB32);
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 600; ++x)
                photo.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
        for (const char *format : {"jpeg", "png"}) {
            const QByteArray whole = test::readFile(saved(temp, photo, "whole", format));
            test::writeFile(temp.path("cut"), whole.left(whole.size() / 2));
            QVERIFY2(!ImageExtractor::extractFile(temp.path("cut")).readable, format);
        }

        // A PNG header that claims 100,000 x 100,000 pixels, and a bomb: a
        // small file that inflates to 20,000 x 20,000 (1.6 GB of pixels).
        // Neither may take more than the limit.
        QByteArray huge = test::readFile(saved(temp, filled(2, 2, Qt::red), "small.png"));
        const uchar side[4] = {0x00, 0x01, 0x86, 0xA0}; // 100000, big-endian
        huge.replace(16, 4, reinterpret_cast<const char *>(side), 4);
        huge.replace(20, 4, reinterpret_cast<const char *>(side), 4);
        test::writeFile(temp.path("huge.png"), huge);
        QImage bomb(20000, 20000, QImage::Format_Mono);
        bomb.fill(0);
        const QString bombPath = saved(temp, bomb, "bomb.png");
        QVERIFY(test::readFile(bombPath).size() < 2 * 1024 * 1024);
        bomb = QImage();

        // The peak of this process grows by less than the decoder's limit.
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        QVERIFY(!ImageExtractor::extractFile(temp.path("huge.png")).readable);
        QVERIFY(!ImageExtractor::extractFile(bombPath).readable);
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        QVERIFY2(after.ru_maxrss - usage.ru_maxrss < 300 * 1024, qPrintable(QString::number(after.ru_maxrss)));
    }

    // The hostile files kept as fuzz seeds: a progressive JPEG that claims
    // 32768 x 32768 (its coefficients alone would take 3 GB), a JPEG cut
    // short that still ends with an end-of-image marker, and SVGs whose
    // <use>s expand to ten billion elements or refer to each other. Each
    // ends unreadable at once, decoded within the limit.
    void hostileSeedsEndUnreadableAtOnce()
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        QElapsedTimer clock;
        clock.start();
        for (const char *name : {"progressive-bomb.jpg", "cut-short-with-eoi.jpg", "use-bomb.svg", "cycle.svg",
                                 "use-bomb-undeclared-prefix.svg"}) {
            const QString path = QFINDTESTDATA(QStringLiteral("fuzz/corpus/extract/") + QLatin1String(name));
            QVERIFY2(!path.isEmpty(), name);
            QVERIFY2(!ImageExtractor::extractFile(path, QSize(300, 300)).readable, name);
        }
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        QVERIFY2(after.ru_maxrss - usage.ru_maxrss < 300 * 1024, qPrintable(QString::number(after.ru_maxrss)));
        QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed()))); // hangs, not speed

        // Whole progressive and multi-scan files within the limit still read.
        test::TempSettings temp;
        QImageWriter writer(temp.path("progressive.jpg"), "jpeg");
        writer.setProgressiveScanWrite(true);
        QVERIFY(writer.write(halves(300, 200, Qt::red, Qt::blue)));
        const Extraction progressive = ImageExtractor::extractFile(temp.path("progressive.jpg"));
        QVERIFY(progressive.readable);
        QVERIFY(!progressive.colors.isEmpty());
    }

    void fromMemory()
    {
        const Extraction pasted =
            ImageExtractor::extractImage(halves(400, 200, Qt::yellow, Qt::black), QSize(100, 100));
        QVERIFY(pasted.readable);
        QCOMPARE(hexes(pasted.colors), hexes({QColor(255, 255, 0), QColor(0, 0, 0)}));
        QCOMPARE(pasted.preview.size(), QSize(100, 50));
        QVERIFY(!ImageExtractor::extractImage(QImage()).readable);
    }
};

QTEST_GUILESS_MAIN(TestImageExtractor)
#include "test_image_extractor.moc"
