#include "image_extractor.h"

#include <QColorSpace>
#include <QFile>
#include <QImageReader>

#include <array>
#include <cmath>

namespace pigmentry {

namespace {

// More pixels than this in a header is a decompression bomb, refused before
// any decoding.
constexpr qint64 largestClaimedPixels = qint64(1) << 30;

// A JPEG cut short still decodes (the missing rows come out grey): its end
// of image marker must be in the file's last bytes.
bool jpegComplete(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 tail = std::min<qint64>(file.size(), 4096);
    file.seek(file.size() - tail);
    return file.read(tail).contains("\xFF\xD9");
}

// The thumbnail as the clustering reads it: sRGB, 8-bit premultiplied RGBA.
QImage clusteringBitmap(QImage image)
{
    if (image.colorSpace().isValid() && image.colorSpace() != QColorSpace(QColorSpace::SRgb))
        image.convertToColorSpace(QColorSpace::SRgb);
    return image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
}

QImage fitted(const QImage &image, const QSize &bounds)
{
    if (bounds.isEmpty() || (image.width() <= bounds.width() && image.height() <= bounds.height()))
        return image;
    return image.scaled(bounds, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

Extraction finish(const QImage &thumbnail, QImage preview)
{
    Extraction result;
    result.readable = true;
    const QImage bitmap = clusteringBitmap(thumbnail);
    result.colors = ImageExtractor::cluster(bitmap.constBits(), bitmap.width(), bitmap.height(), bitmap.bytesPerLine());
    result.preview = std::move(preview);
    return result;
}

} // namespace

QSize ImageExtractor::thumbnailSize(const QSize &size)
{
    const int longer = std::max(size.width(), size.height());
    if (longer <= thumbnailSide)
        return size;
    const double scale = double(thumbnailSide) / longer;
    return QSize(std::max(1, int(std::lround(size.width() * scale))), std::max(1, int(std::lround(size.height() * scale))));
}

Extraction ImageExtractor::extractFile(const QString &path, const QSize &previewBounds)
{
    // Read with the same limits each time the file is opened.
    auto open = [&path](QImageReader &reader) {
        reader.setFileName(path);
        reader.setAllocationLimit(allocationLimitMiB);
        reader.setAutoTransform(true);
        return reader.size();
    };
    QImageReader reader;
    // The stored size, before any turn the orientation asks for.
    const QSize stored = open(reader);
    if (!stored.isValid() || stored.isEmpty() || qint64(stored.width()) * stored.height() > largestClaimedPixels)
        return {};
    if (reader.format() == "jpeg" && !jpegComplete(path))
        return {};

    // The thumbnail is decoded at its size (a JPEG scales while decoding),
    // so the colours do not depend on whether a preview is wanted.
    reader.setScaledSize(thumbnailSize(stored));
    QImage thumbnail;
    if (!reader.read(&thumbnail) || thumbnail.isNull())
        return {};
    QImage preview;
    if (!previewBounds.isEmpty()) {
        QImageReader second;
        open(second);
        // Bounds are for the image as shown, which may be turned.
        const int side = std::max(previewBounds.width(), previewBounds.height());
        second.setScaledSize(stored.scaled(stored.boundedTo(QSize(side, side)), Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
        if (second.read(&preview))
            preview = fitted(preview, previewBounds);
    }
    return finish(thumbnail, preview);
}

Extraction ImageExtractor::extractImage(const QImage &image, const QSize &previewBounds)
{
    if (image.isNull())
        return {};
    const QSize target = thumbnailSize(image.size());
    const QImage thumbnail = image.size() == target ? image : image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return finish(thumbnail, previewBounds.isEmpty() ? QImage() : fitted(image, previewBounds));
}

QList<RGBA> ImageExtractor::cluster(const uchar *pixels, int width, int height, qsizetype bytesPerLine)
{
    QList<RGBA> samples;
    samples.reserve(qsizetype(width) * height);
    for (int y = 0; y < height; ++y) {
        const uchar *row = pixels + y * bytesPerLine;
        for (int x = 0; x < width; ++x) {
            const uchar *p = row + 4 * x;
            // The stored bytes as they are, still premultiplied.
            if (p[3] >= 241)
                samples.append(RGBA{p[0] / 255.0, p[1] / 255.0, p[2] / 255.0, 1.0});
        }
    }
    const qsizetype n = samples.size();
    if (n == 0)
        return {};

    constexpr int k = 5;
    std::array<RGBA, k> centres;
    for (int c = 0; c < k; ++c)
        centres[c] = samples.at(std::min<qsizetype>(c * n / k, n - 1));
    auto distance = [](const RGBA &a, const RGBA &b) {
        const double dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
        return dr * dr + dg * dg + db * db;
    };

    for (int round = 0; round < 15; ++round) {
        std::array<double, k> sumR{}, sumG{}, sumB{};
        std::array<qsizetype, k> count{};
        // Sums in sample order, so the means are the same to the last bit
        // as summing each cluster's members in order.
        for (qsizetype i = 0; i < n; ++i) {
            const RGBA &s = samples.at(i);
            int best = 0;
            double bestDistance = distance(s, centres[0]);
            for (int c = 1; c < k; ++c) {
                const double d = distance(s, centres[c]);
                if (d < bestDistance) {
                    best = c;
                    bestDistance = d;
                }
            }
            sumR[best] += s.r;
            sumG[best] += s.g;
            sumB[best] += s.b;
            ++count[best];
        }
        for (int c = 0; c < k; ++c) {
            if (count[c] > 0)
                centres[c] = RGBA{sumR[c] / double(count[c]), sumG[c] / double(count[c]), sumB[c] / double(count[c]), 1.0};
        }
    }

    QList<RGBA> kept;
    for (const RGBA &centre : centres) {
        if (std::all_of(kept.cbegin(), kept.cend(), [&](const RGBA &other) { return distance(centre, other) >= 0.01; }))
            kept.append(centre);
    }
    return kept;
}

} // namespace pigmentry
