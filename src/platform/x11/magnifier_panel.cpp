#include "magnifier_panel.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace pigmentry {

namespace {

QRect devicePixels(const QRectF &logical, double scale)
{
    return QRectF(logical.topLeft() * scale, logical.size() * scale).toAlignedRect();
}

} // namespace

MagnifierPanel::MagnifierPanel(xcb_connection_t *connection, quint32 root) : connection(connection), root(root)
{
    const xcb_setup_t *setup = xcb_get_setup(connection);
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup); it.rem; xcb_screen_next(&it)) {
        if (it.data->root == root)
            depth = it.data->root_depth;
    }
    bool thirtyTwoBits = false;
    for (xcb_format_iterator_t it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
        if (it.data->depth == depth)
            thirtyTwoBits = it.data->bits_per_pixel == 32;
    }
    // QImage::Format_RGB32 in memory, as the server reads a ZPixmap.
    drawable = (depth == 24 || depth == 32) && thirtyTwoBits && setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    // In bytes, less the PutImage header.
    maxRequestBytes = int(std::min<quint32>(xcb_get_maximum_request_length(connection), 1u << 20)) * 4 - 64;
}

MagnifierPanel::~MagnifierPanel()
{
    destroy();
    xcb_flush(connection);
}

void MagnifierPanel::create(double nextScale)
{
    scale = nextScale;
    const QSize size(qRound(Magnifier::panelSize.width() * scale), qRound(Magnifier::panelSize.height() * scale));
    pixels = QImage(size, QImage::Format_RGB32);
    pixels.setDevicePixelRatio(scale);
    pixels.fill(Qt::black);

    pixmap = xcb_generate_id(connection);
    xcb_create_pixmap(connection, quint8(depth), pixmap, root, quint16(size.width()), quint16(size.height()));
    gc = xcb_generate_id(connection);
    xcb_create_gc(connection, gc, pixmap, 0, nullptr);

    window = xcb_generate_id(connection);
    const quint32 values[] = {pixmap, 1};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root, qint16(device.x()), qint16(device.y()),
                      quint16(size.width()), quint16(size.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXMAP | XCB_CW_OVERRIDE_REDIRECT, values);
    // For compositing managers' rules, as for any of our windows.
    static const char windowClass[] = "pigmentry\0Pigmentry";
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        sizeof windowClass, windowClass);
    const xcb_query_extension_reply_t *shapes = xcb_get_extension_data(connection, &xcb_shape_id);
    if (shapes && shapes->present) {
        // No input shape at all: every click goes to what lies below.
        xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED, window, 0,
                             0, 0, nullptr);
    }
}

void MagnifierPanel::destroy()
{
    if (window)
        xcb_destroy_window(connection, window);
    if (gc)
        xcb_free_gc(connection, gc);
    if (pixmap)
        xcb_free_pixmap(connection, pixmap);
    window = pixmap = gc = 0;
}

void MagnifierPanel::shape(const QRectF &nextHole)
{
    hole = nextHole;
    const xcb_query_extension_reply_t *shapes = xcb_get_extension_data(connection, &xcb_shape_id);
    if (!shapes || !shapes->present)
        return;
    QPainterPath outline;
    const QRectF background = Magnifier::background();
    outline.addRoundedRect(QRectF(background.topLeft() * scale, background.size() * scale), 14 * scale, 14 * scale);
    QRegion region(outline.toFillPolygon().toPolygon());
    if (!hole.isNull())
        region -= devicePixels(hole, scale);
    std::vector<xcb_rectangle_t> rects;
    for (const QRect &r : region)
        rects.push_back({qint16(r.x()), qint16(r.y()), quint16(r.width()), quint16(r.height())});
    xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_UNSORTED, window, 0,
                         0, quint32(rects.size()), rects.data());
}

void MagnifierPanel::upload(const QRect &rect)
{
    const QRect area = rect & pixels.rect();
    if (area.isEmpty())
        return;
    // Row by row where one request cannot take it all.
    const int rowBytes = area.width() * 4;
    const int rowsPerRequest = std::max(1, maxRequestBytes / rowBytes);
    for (int y = area.top(); y <= area.bottom(); y += rowsPerRequest) {
        const int rows = std::min(rowsPerRequest, area.bottom() + 1 - y);
        const QImage strip = pixels.copy(area.x(), y, area.width(), rows);
        xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, quint16(area.width()), quint16(rows),
                      qint16(area.x()), qint16(y), 0, quint8(depth), quint32(strip.sizeInBytes()), strip.constBits());
    }
    // The window shows its background, which is the pixmap.
    xcb_clear_area(connection, 0, window, qint16(area.x()), qint16(area.y()), quint16(area.width()),
                   quint16(area.height()));
}

void MagnifierPanel::present(const Magnifier &next, const QPoint &at, double nextScale, const QRectF &nextHole)
{
    if (!drawable)
        return;
    const bool fresh = !window || nextScale != scale;
    if (fresh) {
        destroy();
        device = at;
        create(nextScale);
    }

    // Repaint only what changed: most frames change the loupe, fewer the
    // codes, few the magnification. The pixmap always holds the whole
    // panel, so a hole that moves needs a new shape but no painting.
    QRegion dirty;
    if (fresh || next.zoom != magnifier.zoom) {
        dirty = QRect(QPoint(0, 0), Magnifier::panelSize);
    } else {
        if (next.image != magnifier.image || next.center != magnifier.center)
            dirty += Magnifier::loupe().toAlignedRect();
        if (!(next.color == magnifier.color))
            dirty += Magnifier::row().toAlignedRect();
    }
    magnifier = next;
    if (fresh || nextHole != hole)
        shape(nextHole);
    if (!dirty.isEmpty()) {
        {
            QPainter painter(&pixels);
            painter.setClipRegion(dirty);
            magnifier.paint(painter);
        }
        for (const QRect &r : dirty)
            upload(devicePixels(r, scale));
    }

    if (fresh) {
        xcb_map_window(connection, window);
        const quint32 above[] = {XCB_STACK_MODE_ABOVE};
        xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_STACK_MODE, above);
    } else if (at != device) {
        device = at;
        const quint32 position[] = {quint32(qint32(at.x())), quint32(qint32(at.y()))};
        xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, position);
    }
    xcb_flush(connection);
}

} // namespace pigmentry
