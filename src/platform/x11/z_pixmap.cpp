// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/z_pixmap.h"

#include <bit>

namespace pigmentry {

namespace {

// A channel of a pixel value, from its mask to 0...255.
struct Channel {
    quint32 mask;
    int shift;
    quint32 most;

    explicit Channel(quint32 m)
        : mask(m)
        , shift(m ? std::countr_zero(m) : 0)
        , most(m ? m >> shift : 0)
    { }
    int of(quint32 value) const
    {
        return most ? int((qint64((value & mask) >> shift) * 255 + most / 2) / qint64(most)) : 0;
    }
};

} // namespace

QImage imageFromZPixmap(const uchar *data, qsizetype length, QSize size, const ZPixmapLayout &layout, QString *error)
{
    const int bits = layout.bitsPerPixel;
    const bool masksFit = layout.redMask && layout.greenMask && layout.blueMask
        && (bits == 32 || ((layout.redMask | layout.greenMask | layout.blueMask) >> bits) == 0);
    if ((bits != 8 && bits != 16 && bits != 24 && bits != 32) || !masksFit || layout.scanlinePad < 8
        || layout.scanlinePad % 8 != 0) {
        if (error)
            *error = QStringLiteral("the screen's pixel format (%1 bits a pixel) cannot be read").arg(bits);
        return QImage();
    }
    const qsizetype pad = layout.scanlinePad;
    const qsizetype stride = (qsizetype(size.width()) * bits + pad - 1) / pad * pad / 8;
    if (size.isEmpty() || length < stride * size.height()) {
        if (error)
            *error = QStringLiteral("the X server sent less than the image");
        return QImage();
    }
    const Channel red(layout.redMask), green(layout.greenMask), blue(layout.blueMask);
    const int bytes = bits / 8;
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        const uchar *in = data + y * stride;
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x, in += bytes) {
            quint32 value = 0;
            for (int i = 0; i < bytes; ++i) {
                const int at = layout.mostSignificantFirst ? i : bytes - 1 - i;
                value = (value << 8) | in[at];
            }
            out[x] = qRgb(red.of(value), green.of(value), blue.of(value));
        }
    }
    return image;
}

} // namespace pigmentry
