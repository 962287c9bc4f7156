// SPDX-License-Identifier: GPL-3.0-or-later
#include "image_extractor.h"

#include <QColorSpace>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QSet>
#include <QXmlStreamReader>

#include <zlib.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <mutex>
#include <optional>

namespace pigmentry {

namespace {

// More pixels than this in a header is a decompression bomb, refused before
// any decoding.
constexpr qint64 largestClaimedPixels = qint64(1) << 30;

constexpr qint64 decodeLimit = qint64(ImageExtractor::allocationLimitMiB) * 1024 * 1024;

// A JPEG cut short still decodes (the missing rows come out grey): its end
// of image marker must be in the file's last bytes.
bool jpegComplete(const QByteArray &bytes)
{
    return bytes.right(4096).contains("\xFF\xD9");
}

// What libjpeg holds while it decodes: a progressive JPEG, or one whose image
// comes in several scans, keeps every DCT coefficient of the whole image
// (64 of 2 bytes a block), however small the output is scaled. The header
// tells how much that is before any decoding; a single-scan baseline JPEG
// needs a few rows only. Gives the bytes, or -1 for a header that is not
// whole.
qint64 jpegCoefficientBytes(const QByteArray &bytes)
{
    const auto at = [&bytes](qsizetype i) { return i < bytes.size() ? uchar(bytes.at(i)) : 0; };
    if (at(0) != 0xFF || at(1) != 0xD8)
        return -1;
    bool progressive = false;
    int width = 0, height = 0;
    QList<std::pair<int, int>> sampling; // per component: horizontal, vertical
    qsizetype i = 2;
    while (i + 4 <= bytes.size()) {
        if (at(i) != 0xFF)
            return -1;
        const uchar marker = at(i + 1);
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        const int length = at(i + 2) << 8 | at(i + 3);
        if (length < 2)
            return -1;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            const qsizetype f = i + 4;
            height = at(f + 1) << 8 | at(f + 2);
            width = at(f + 3) << 8 | at(f + 4);
            const int components = at(f + 5);
            for (int c = 0; c < components; ++c)
                sampling.append({std::max(1, at(f + 7 + 3 * c) >> 4), std::max(1, at(f + 7 + 3 * c) & 0xF)});
            progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
        }
        if (marker == 0xDA) { // the first scan: the header is whole
            if (sampling.isEmpty() || width == 0 || height == 0)
                return -1;
            // Entropy-coded data never holds FF DA (an FF there is followed by
            // 00 or a restart marker), so another one is another scan.
            const bool multiScan = bytes.indexOf("\xFF\xDA", i + 2 + length) >= 0;
            if (!progressive && !multiScan)
                return 0;
            int hMax = 1, vMax = 1;
            for (const auto &[h, v] : sampling) {
                hMax = std::max(hMax, h);
                vMax = std::max(vMax, v);
            }
            qint64 total = 0;
            for (const auto &[h, v] : sampling) {
                // Blocks of this component, padded to whole MCUs.
                const qint64 across = (qint64(width) * h + 8 * hMax - 1) / (8 * hMax);
                const qint64 down = (qint64(height) * v + 8 * vMax - 1) / (8 * vMax);
                total += ((across + h - 1) / h * h) * ((down + v - 1) / v * v) * 128;
            }
            return total;
        }
        i += 2 + length;
    }
    return -1;
}

// libjpeg reports data that ends too soon, or a marker where data should be,
// as a warning that Qt logs under this category; the thread that decodes
// counts the warnings it is sent while it reads.
thread_local int *jpegWarnings = nullptr;
QtMessageHandler previousHandler = nullptr;

void countJpegWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (jpegWarnings && context.category && std::strcmp(context.category, "qt.gui.imageio.jpeg") == 0) {
        ++*jpegWarnings;
        return;
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

// Counts libjpeg's warnings during one read on this thread.
class JpegWarnings {
public:
    JpegWarnings()
    {
        static std::once_flag installed;
        std::call_once(installed, [] { previousHandler = qInstallMessageHandler(countJpegWarnings); });
        jpegWarnings = &count;
    }
    ~JpegWarnings() { jpegWarnings = nullptr; }
    int count = 0;
};

// An SVG is a program of sorts: <use> copies an element, which may hold
// further <use>s, so ten levels of ten copies each draw ten billion
// elements from a file of two kilobytes. The elements the renderer would
// visit are counted from the document before it is handed over; so is the
// depth of nesting. Beyond either, the file is refused.
constexpr qint64 mostSvgElements = 200000;
constexpr int deepestSvg = 256;

bool svgWithinBounds(const QByteArray &document)
{
    QXmlStreamReader xml(document);
    // Prefixes are taken as written, as the renderer reads them: a prefix
    // that no namespace declares must not end the count early.
    xml.setNamespaceProcessing(false);
    QHash<QString, qint64> ownElements; // elements inside each id'd element
    QHash<QString, QStringList> usesInside; // the targets of the <use>s inside it
    QStringList allUses;
    qint64 elements = 0;
    QList<QString> open; // the ids of the open elements ("" for none)
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            open.removeLast();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (open.size() >= deepestSvg || ++elements > mostSvgElements)
            return false;
        const QXmlStreamAttributes attributes = xml.attributes();
        QString target;
        if (xml.name() == QLatin1String("use") || xml.name().endsWith(QLatin1String(":use"))) {
            for (const QXmlStreamAttribute &attribute : attributes) {
                const QStringView name = attribute.qualifiedName();
                if (name == QLatin1String("href") || name.endsWith(QLatin1String(":href")))
                    target = attribute.value().toString();
            }
            target = target.startsWith(u'#') ? target.mid(1) : QString();
        }
        const QString id = attributes.value(QLatin1String("id")).toString();
        open.append(id);
        for (const QString &ancestor : std::as_const(open)) {
            if (ancestor.isEmpty())
                continue;
            ++ownElements[ancestor];
            if (!target.isEmpty())
                usesInside[ancestor].append(target);
        }
        if (!target.isEmpty())
            allUses.append(target);
    }
    // What is not well-formed is not handed on: the renderer is lenient
    // where this count would stop.
    if (xml.hasError())
        return false;

    // What one element expands to, its <use>s followed; a cycle or a sum
    // past the bound stops the count.
    QHash<QString, qint64> expanded;
    QSet<QString> visiting;
    std::function<qint64(const QString &)> expand = [&](const QString &id) -> qint64 {
        if (const auto known = expanded.constFind(id); known != expanded.cend())
            return *known;
        if (visiting.contains(id))
            return mostSvgElements + 1;
        visiting.insert(id);
        qint64 total = ownElements.value(id);
        for (const QString &target : usesInside.value(id)) {
            total += expand(target);
            if (total > mostSvgElements)
                break;
        }
        visiting.remove(id);
        expanded.insert(id, total);
        return total;
    };
    qint64 total = elements;
    for (const QString &target : std::as_const(allUses)) {
        total += expand(target);
        if (total > mostSvgElements)
            return false;
    }
    return true;
}

// A gzipped SVG inflated, at most limit bytes; nothing beyond that.
std::optional<QByteArray> inflated(const QByteArray &compressed, qsizetype limit)
{
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return std::nullopt;
    QByteArray out;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.constData()));
    stream.avail_in = uInt(compressed.size());
    int status = Z_OK;
    char chunk[65536];
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        out.append(chunk, qsizetype(sizeof chunk - stream.avail_out));
        if (out.size() > limit) {
            status = Z_MEM_ERROR;
            break;
        }
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END)
        return std::nullopt;
    return out;
}

// Whether the file, as its header and structure say, can be decoded within
// the bounds: JPEG coefficients within the decode limit, an SVG's expansion
// within its own.
bool withinBounds(const QString &path, const QByteArray &format)
{
    if (format != "jpeg" && format != "svg" && format != "svgz")
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (format == "jpeg") {
        const qint64 coefficients = jpegCoefficientBytes(bytes);
        return coefficients >= 0 && coefficients <= decodeLimit && jpegComplete(bytes);
    }
    if (bytes.startsWith("\x1F\x8B")) {
        const std::optional<QByteArray> document = inflated(bytes, 64 * 1024 * 1024);
        return document && svgWithinBounds(*document);
    }
    return svgWithinBounds(bytes);
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
    return QSize(std::max(1, int(std::lround(size.width() * scale))),
                 std::max(1, int(std::lround(size.height() * scale))));
}

Extraction ImageExtractor::extractFile(const QString &path, const QSize &previewBounds)
{
    // Read with the same limits each time the file is opened.
    auto open = [&path](QImageReader &reader) {
        reader.setFileName(path);
        reader.setAllocationLimit(allocationLimitMiB);
        reader.setAutoTransform(true);
    };
    QImageReader reader;
    open(reader);
    // The format is told from the first bytes; the bounds are checked before
    // anything is decoded (an SVG's size alone builds its whole document).
    const QByteArray format = reader.format();
    if (!withinBounds(path, format))
        return {};
    // The stored size, before any turn the orientation asks for.
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty() || qint64(stored.width()) * stored.height() > largestClaimedPixels)
        return {};

    // The thumbnail is decoded at its size (a JPEG scales while decoding),
    // so the colours do not depend on whether a preview is wanted. Data
    // that ends too soon is refused, whatever marker the file ends with.
    reader.setScaledSize(thumbnailSize(stored));
    QImage thumbnail;
    {
        JpegWarnings warnings;
        if (!reader.read(&thumbnail) || thumbnail.isNull() || (format == "jpeg" && warnings.count > 0))
            return {};
    }
    QImage preview;
    if (!previewBounds.isEmpty()) {
        QImageReader second;
        open(second);
        // Bounds are for the image as shown, which may be turned.
        const int side = std::max(previewBounds.width(), previewBounds.height());
        second.setScaledSize(
            stored.scaled(stored.boundedTo(QSize(side, side)), Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
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
    const QImage thumbnail =
        image.size() == target ? image : image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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
                centres[c] =
                    RGBA{sumR[c] / double(count[c]), sumG[c] / double(count[c]), sumB[c] / double(count[c]), 1.0};
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
