// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace pigmentry {

// How the X server lays out the pixels of an image it sends (ZPixmap): the
// bits a pixel takes and the padding of each row (from the setup's pixmap
// format of the depth), the byte order, and where the visual keeps each
// channel.
struct ZPixmapLayout {
    int bitsPerPixel = 32;
    int scanlinePad = 32;
    bool mostSignificantFirst = false;
    quint32 redMask = 0xff0000;
    quint32 greenMask = 0x00ff00;
    quint32 blueMask = 0x0000ff;
};

// The pixels of an image as 8-bit RGB (Format_RGB32), whatever the depth:
// 16-bit (5-6-5), 15-bit, 24-bit and 30-bit (10 bits a channel) visuals
// alike. A null image, with the reason, for a layout it cannot read or data
// shorter than the size needs.
QImage imageFromZPixmap(const uchar *data, qsizetype length, QSize size, const ZPixmapLayout &layout, QString *error);

} // namespace pigmentry
