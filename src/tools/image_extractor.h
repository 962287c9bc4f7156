// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace pigmentry {

// What one extraction found: whether the image could be read at all, its
// dominant colours (0 to 5, opaque), and a copy of the image for display.
struct Extraction {
    bool readable = false;
    QList<RGBA> colors;
    QImage preview;
};

// Finds up to five dominant colours of an image: a thumbnail whose longer
// side is at most 96 pixels (never enlarged), turned as the file says
// (EXIF orientation) and converted to sRGB, as 8-bit premultiplied RGBA;
// every pixel with alpha 241 or more is a sample; 15 rounds of k-means from
// fixed starting centres; centres closer than 0.1 to an earlier one dropped.
// Pure functions of their input, safe on any thread. Hostile files (not an
// image, cut short, claiming billions of pixels) end unreadable, decoded
// with at most 256 MiB.
class ImageExtractor {
public:
    static constexpr int thumbnailSide = 96;
    static constexpr int allocationLimitMiB = 256;

    // The colours only, for a file; empty when it cannot be read.
    static QList<RGBA> extract(const QString &path) { return extractFile(path).colors; }

    // A file; with a preview no larger than previewBounds (device pixels)
    // when that is not empty.
    static Extraction extractFile(const QString &path, const QSize &previewBounds = QSize());
    // An image already in memory (pasted from the clipboard).
    static Extraction extractImage(const QImage &image, const QSize &previewBounds = QSize());

    // The clustering on a thumbnail: width x height pixels of 4 bytes (r, g,
    // b, a premultiplied), rows of bytesPerLine bytes, top row first.
    static QList<RGBA> cluster(const uchar *pixels, int width, int height, qsizetype bytesPerLine);
    // The thumbnail's size for an image's size.
    static QSize thumbnailSize(const QSize &size);
};

} // namespace pigmentry
