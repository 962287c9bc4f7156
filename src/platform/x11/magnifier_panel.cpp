// SPDX-License-Identifier: GPL-3.0-or-later
#include "magnifier_panel.h"

#include "platform/x11/xcb_owned.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <xcb/render.h>
#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace pigmentry {

namespace {

QRect devicePixels(const QRectF &logical, double scale)
{
    return QRectF(logical.topLeft() * scale, logical.size() * scale).toAlignedRect();
}

bool hasExtension(xcb_connection_t *connection, xcb_extension_t *extension)
{
    const xcb_query_extension_reply_t *reply = xcb_get_extension_data(connection, extension);
    return reply && reply->present;
}

} // namespace

MagnifierPanel::MagnifierPanel(xcb_connection_t *connection, quint32 root)
    : connection_(connection)
    , root_(root)
{
    const xcb_setup_t *setup = xcb_get_setup(connection);
    quint32 visual = 0;
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup); it.rem; xcb_screen_next(&it)) {
        if (it.data->root == root) {
            depth_ = it.data->root_depth;
            visual = it.data->root_visual;
        }
    }
    bool thirtyTwoBits = false;
    for (xcb_format_iterator_t it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
        if (it.data->depth == depth_)
            thirtyTwoBits = it.data->bits_per_pixel == 32;
    }
    // QImage::Format_RGB32 in memory, as the server reads a ZPixmap.
    drawable_ = (depth_ == 24 || depth_ == 32) && thirtyTwoBits && setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    // Everything that waits for the server is asked here, so that present
    // never does: a reply awaited there would take input events along into
    // xcb's queue, where the overlay's socket notifier does not see them.
    // In bytes, less the PutImage header.
    maxRequestBytes_ = int(std::min<quint32>(xcb_get_maximum_request_length(connection), 1u << 20)) * 4 - 64;
    shapes_ = hasExtension(connection, &xcb_shape_id);

    if (!drawable_ || !hasExtension(connection, &xcb_render_id))
        return;
    const XcbOwned<xcb_render_query_pict_formats_reply_t> formats(
        xcb_render_query_pict_formats_reply(connection, xcb_render_query_pict_formats(connection), nullptr));
    if (!formats)
        return;
    for (auto it = xcb_render_query_pict_formats_formats_iterator(formats.get()); it.rem;
         xcb_render_pictforminfo_next(&it)) {
        const xcb_render_directformat_t &d = it.data->direct;
        if (it.data->type == XCB_RENDER_PICT_TYPE_DIRECT && it.data->depth == 32 && d.alpha_shift == 24
            && d.alpha_mask == 0xff && d.red_shift == 16 && d.red_mask == 0xff && d.green_shift == 8
            && d.green_mask == 0xff && d.blue_shift == 0 && d.blue_mask == 0xff)
            argbFormat_ = it.data->id;
    }
    for (auto screens = xcb_render_query_pict_formats_screens_iterator(formats.get()); screens.rem;
         xcb_render_pictscreen_next(&screens)) {
        for (auto depths = xcb_render_pictscreen_depths_iterator(screens.data); depths.rem;
             xcb_render_pictdepth_next(&depths)) {
            for (auto visuals = xcb_render_pictdepth_visuals_iterator(depths.data); visuals.rem;
                 xcb_render_pictvisual_next(&visuals)) {
                if (visuals.data->visual == visual)
                    screenFormat_ = visuals.data->format;
            }
        }
    }
    if (!argbFormat_)
        screenFormat_ = 0;
}

MagnifierPanel::~MagnifierPanel()
{
    destroy();
    xcb_flush(connection_);
}

void MagnifierPanel::create(double nextScale)
{
    scale_ = nextScale;
    const QSize size(qRound(Magnifier::panelSize.width() * scale_), qRound(Magnifier::panelSize.height() * scale_));
    pixels_ = QImage(size, QImage::Format_RGB32);
    pixels_.setDevicePixelRatio(scale_);
    pixels_.fill(Qt::black);

    pixmap_ = xcb_generate_id(connection_);
    xcb_create_pixmap(connection_, quint8(depth_), pixmap_, root_, quint16(size.width()), quint16(size.height()));
    gc_ = xcb_generate_id(connection_);
    xcb_create_gc(connection_, gc_, pixmap_, 0, nullptr);

    window_ = xcb_generate_id(connection_);
    const quint32 values[] = {pixmap_, 1};
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, root_, qint16(device_.x()), qint16(device_.y()),
                      quint16(size.width()), quint16(size.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXMAP | XCB_CW_OVERRIDE_REDIRECT, values);
    // For compositing managers' rules, as for any of our windows.
    static const char windowClass[] = "pigmentry\0Pigmentry";
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        sizeof windowClass, windowClass);
    if (shapes_) {
        // No input shape at all: every click goes to what lies below.
        xcb_shape_rectangles(connection_, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED, window_, 0,
                             0, 0, nullptr);
    }

    if (!screenFormat_)
        return;
    const QSize loupe = devicePixels(Magnifier::loupe(), scale_).size();
    panelPicture_ = xcb_generate_id(connection_);
    xcb_render_create_picture(connection_, panelPicture_, pixmap_, screenFormat_, 0, nullptr);
    loupeBase_ = xcb_generate_id(connection_);
    xcb_create_pixmap(connection_, quint8(depth_), loupeBase_, root_, quint16(loupe.width()), quint16(loupe.height()));
    marksPixmap_ = xcb_generate_id(connection_);
    xcb_create_pixmap(connection_, 32, marksPixmap_, root_, quint16(loupe.width()), quint16(loupe.height()));
    marksGc_ = xcb_generate_id(connection_);
    xcb_create_gc(connection_, marksGc_, marksPixmap_, 0, nullptr);
    marksPicture_ = xcb_generate_id(connection_);
    xcb_render_create_picture(connection_, marksPicture_, marksPixmap_, argbFormat_, 0, nullptr);
}

void MagnifierPanel::destroy()
{
    for (quint32 *picture : {&panelPicture_, &marksPicture_, &regionPicture_}) {
        if (*picture)
            xcb_render_free_picture(connection_, *picture);
        *picture = 0;
    }
    for (quint32 *drawable : {&pixmap_, &loupeBase_, &marksPixmap_, &regionPixmap_}) {
        if (*drawable)
            xcb_free_pixmap(connection_, *drawable);
        *drawable = 0;
    }
    for (quint32 *context : {&gc_, &marksGc_}) {
        if (*context)
            xcb_free_gc(connection_, *context);
        *context = 0;
    }
    if (window_)
        xcb_destroy_window(connection_, window_);
    window_ = 0;
    regionSize_ = QSize();
}

void MagnifierPanel::shape(const QRectF &nextHole)
{
    hole_ = nextHole;
    if (!shapes_)
        return;
    QPainterPath outline;
    const QRectF background = Magnifier::background();
    outline.addRoundedRect(QRectF(background.topLeft() * scale_, background.size() * scale_), 14 * scale_, 14 * scale_);
    QRegion region(outline.toFillPolygon().toPolygon());
    if (!hole_.isNull())
        region -= devicePixels(hole_, scale_);
    std::vector<xcb_rectangle_t> rects;
    for (const QRect &r : region)
        rects.push_back({qint16(r.x()), qint16(r.y()), quint16(r.width()), quint16(r.height())});
    xcb_shape_rectangles(connection_, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_UNSORTED, window_, 0,
                         0, quint32(rects.size()), rects.data());
}

void MagnifierPanel::put(quint32 target, int targetDepth, const QImage &image, const QRect &area, const QPoint &to)
{
    // Row by row where one request cannot take it all; each row is 32-bit
    // pixels without padding, as a ZPixmap of these depths is.
    const int rowsPerRequest = std::max(1, maxRequestBytes_ / (area.width() * 4));
    for (int y = area.top(); y <= area.bottom(); y += rowsPerRequest) {
        const int rows = std::min(rowsPerRequest, area.bottom() + 1 - y);
        const QImage strip = image.copy(area.x(), y, area.width(), rows);
        xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, target, targetDepth == depth_ ? gc_ : marksGc_,
                      quint16(area.width()), quint16(rows), qint16(to.x()), qint16(to.y() + y - area.top()), 0,
                      quint8(targetDepth), quint32(strip.sizeInBytes()), strip.constBits());
    }
}

void MagnifierPanel::upload(const QRect &rect)
{
    const QRect area = rect & pixels_.rect();
    if (area.isEmpty())
        return;
    put(pixmap_, depth_, pixels_, area, area.topLeft());
    // The window shows its background, which is the pixmap.
    xcb_clear_area(connection_, 0, window_, qint16(area.x()), qint16(area.y()), quint16(area.width()),
                   quint16(area.height()));
}

void MagnifierPanel::enlarge(bool marksChanged)
{
    const QRect loupe = devicePixels(Magnifier::loupe(), scale_);
    // zoom * scale device pixels a captured pixel, as a 16.16 fixed-point
    // map from the loupe back to the region.
    const auto transform = [&] {
        const qint32 inverse = qRound(65536.0 / (magnifier_.zoom * scale_));
        return xcb_render_transform_t{inverse, 0, 0, 0, inverse, 0, 0, 0, 1 << 16};
    };
    if (marksChanged) {
        QImage marks(loupe.size(), QImage::Format_ARGB32_Premultiplied);
        marks.setDevicePixelRatio(scale_);
        marks.fill(Qt::transparent);
        {
            QPainter painter(&marks);
            painter.translate(-Magnifier::loupe().topLeft());
            magnifier_.paintMarks(painter);
        }
        put(marksPixmap_, 32, marks, marks.rect(), QPoint(0, 0));
        if (regionPicture_)
            xcb_render_set_picture_transform(connection_, regionPicture_, transform());
    }

    // Each frame starts from the dim fill, which shows where the region was
    // cut at a display's edge.
    xcb_copy_area(connection_, loupeBase_, pixmap_, gc_, 0, 0, qint16(loupe.x()), qint16(loupe.y()),
                  quint16(loupe.width()), quint16(loupe.height()));
    const QImage region = magnifier_.image.convertToFormat(QImage::Format_RGB32);
    if (!region.isNull()) {
        if (region.size() != regionSize_) {
            if (regionPicture_)
                xcb_render_free_picture(connection_, regionPicture_);
            if (regionPixmap_)
                xcb_free_pixmap(connection_, regionPixmap_);
            regionSize_ = region.size();
            regionPixmap_ = xcb_generate_id(connection_);
            xcb_create_pixmap(connection_, quint8(depth_), regionPixmap_, root_, quint16(regionSize_.width()),
                              quint16(regionSize_.height()));
            regionPicture_ = xcb_generate_id(connection_);
            xcb_render_create_picture(connection_, regionPicture_, regionPixmap_, screenFormat_, 0, nullptr);
            // Flat squares; outside the region nothing, so the fill stays.
            static const char nearest[] = "nearest";
            xcb_render_set_picture_filter(connection_, regionPicture_, sizeof nearest - 1, nearest, 0, nullptr);
            xcb_render_set_picture_transform(connection_, regionPicture_, transform());
        }
        put(regionPixmap_, depth_, region, region.rect(), QPoint(0, 0));
        const QPointF origin = magnifier_.enlargementOrigin() * scale_;
        const QPoint from = loupe.topLeft() - QPoint(qRound(origin.x()), qRound(origin.y()));
        xcb_render_composite(connection_, XCB_RENDER_PICT_OP_OVER, regionPicture_, XCB_NONE, panelPicture_,
                             qint16(from.x()), qint16(from.y()), 0, 0, qint16(loupe.x()), qint16(loupe.y()),
                             quint16(loupe.width()), quint16(loupe.height()));
    }
    xcb_render_composite(connection_, XCB_RENDER_PICT_OP_OVER, marksPicture_, XCB_NONE, panelPicture_, 0, 0, 0, 0,
                         qint16(loupe.x()), qint16(loupe.y()), quint16(loupe.width()), quint16(loupe.height()));
    xcb_clear_area(connection_, 0, window_, qint16(loupe.x()), qint16(loupe.y()), quint16(loupe.width()),
                   quint16(loupe.height()));
}

void MagnifierPanel::present(const Magnifier &next, const QPoint &at, double nextScale, const QRectF &nextHole)
{
    if (!drawable_)
        return;
    const bool fresh = !window_ || nextScale != scale_;
    if (fresh) {
        destroy();
        device_ = at;
        create(nextScale);
    }

    // Repaint only what changed: most frames change the loupe, fewer the
    // codes, few the magnification. The pixmap always holds the whole
    // panel, so a hole that moves needs a new shape but no painting.
    const bool whole = fresh || next.zoom != magnifier_.zoom;
    const bool marksChanged = whole || next.shift() != magnifier_.shift();
    const bool loupeChanged = whole || next.image != magnifier_.image || next.center != magnifier_.center;
    const bool codesChanged = whole || !(next.color == magnifier_.color);
    magnifier_ = next;
    if (fresh || nextHole != hole_)
        shape(nextHole);

    // Without RENDER the loupe is painted here along with the rest.
    const bool serverLoupe = screenFormat_ != 0;
    const QRect row = devicePixels(Magnifier::row(), scale_) & pixels_.rect();
    if (whole) {
        {
            QPainter painter(&pixels_);
            magnifier_.paintBackground(painter);
            if (!serverLoupe) {
                magnifier_.paintEnlargement(painter);
                magnifier_.paintMarks(painter);
            }
        }
        // The row as the background leaves it, to start each new code from.
        rowBase_ = pixels_.copy(row);
        magnifier_.paintCodes(pixels_);
        upload(pixels_.rect());
        if (serverLoupe) {
            // The loupe as the background left it, to start each frame from.
            const QRect loupe = devicePixels(Magnifier::loupe(), scale_);
            xcb_copy_area(connection_, pixmap_, loupeBase_, gc_, qint16(loupe.x()), qint16(loupe.y()), 0, 0,
                          quint16(loupe.width()), quint16(loupe.height()));
        }
    } else {
        if (loupeChanged && !serverLoupe) {
            {
                QPainter painter(&pixels_);
                painter.setClipRect(Magnifier::loupe());
                magnifier_.paintBackground(painter);
                magnifier_.paintEnlargement(painter);
                magnifier_.paintMarks(painter);
            }
            upload(devicePixels(Magnifier::loupe(), scale_));
        }
        if (codesChanged) {
            for (int y = 0; y < rowBase_.height(); ++y)
                std::memcpy(pixels_.scanLine(row.y() + y) + row.x() * 4, rowBase_.constScanLine(y),
                            size_t(rowBase_.width()) * 4);
            magnifier_.paintCodes(pixels_);
            upload(row);
        }
    }
    if (loupeChanged && serverLoupe)
        enlarge(marksChanged);

    if (fresh) {
        xcb_map_window(connection_, window_);
        const quint32 above[] = {XCB_STACK_MODE_ABOVE};
        xcb_configure_window(connection_, window_, XCB_CONFIG_WINDOW_STACK_MODE, above);
    } else if (at != device_) {
        device_ = at;
        const quint32 position[] = {quint32(qint32(at.x())), quint32(qint32(at.y()))};
        xcb_configure_window(connection_, window_, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, position);
    }
    xcb_flush(connection_);
}

} // namespace pigmentry
