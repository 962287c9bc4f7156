// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11_screen_source.h"

#include "platform/desktop_screens.h"
#include "platform/x11/xcb_owned.h"

#include <QCursor>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace pigmentry {

QRect nativeRect(const PickerScreen &screen)
{
    return screen.native();
}

xcb_connection_t *openDisplay(quint32 *root)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return nullptr;
    const QByteArray display = qEnvironmentVariable("DISPLAY").toLocal8Bit();
    int screen = 0;
    xcb_connection_t *connection = xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screen);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screen && it.rem; ++i)
        xcb_screen_next(&it);
    *root = it.data->root;
    return connection;
}

std::unique_ptr<X11ScreenSource> X11ScreenSource::create()
{
    quint32 root = 0;
    xcb_connection_t *connection = openDisplay(&root);
    return connection ? std::unique_ptr<X11ScreenSource>(new X11ScreenSource(connection, root)) : nullptr;
}

X11ScreenSource::X11ScreenSource(xcb_connection_t *connection, quint32 root)
    : connection_(connection)
    , root_(root)
{
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(connection, &xcb_damage_id);
    if (!extension || !extension->present)
        return;
    // The version must be asked for before the extension may be used.
    const XcbOwned<xcb_damage_query_version_reply_t> version(
        xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1), nullptr));
    if (version)
        damageEvent_ = extension->first_event;
}

X11ScreenSource::~X11ScreenSource()
{
    stopWatching();
    notifier_.reset();
    xcb_disconnect(connection_);
}

void X11ScreenSource::watch(const PickerScreen &screen, const QRect &region)
{
    if (!damageEvent_)
        return;
    watched_ = region.translated(nativeRect(screen).topLeft());
    if (notifier_)
        notifier_->setEnabled(false);
    if (!damage_) {
        damage_ = xcb_generate_id(connection_);
        xcb_damage_create(connection_, damage_, root_, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        xcb_flush(connection_);
        return;
    }
    // Whatever changed so far is in the capture that follows.
    readEvents();
}

void X11ScreenSource::awaitChanges()
{
    if (!damage_)
        return;
    if (!notifier_) {
        notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, &context_, [this] {
            if (readEvents() && changed)
                changed();
        });
    }
    notifier_->setEnabled(true);
    // Reports read along with the last image wait in the queue, where the
    // notifier does not see them.
    if (readEvents() && changed)
        changed();
}

void X11ScreenSource::stopWatching()
{
    if (notifier_)
        notifier_->setEnabled(false);
    if (damage_) {
        xcb_damage_destroy(connection_, damage_);
        xcb_flush(connection_);
        damage_ = 0;
    }
    // Reports still on their way are of no interest now.
    while (xcb_generic_event_t *event = xcb_poll_for_event(connection_))
        std::free(event);
}

bool X11ScreenSource::readEvents()
{
    bool touched = false;
    bool any = false;
    xcb_generic_event_t *event = xcb_poll_for_event(connection_);
    while (event) {
        if (damage_ && (event->response_type & 0x7f) == damageEvent_ + XCB_DAMAGE_NOTIFY) {
            const auto *notify = reinterpret_cast<const xcb_damage_notify_event_t *>(event);
            const QRect area(notify->area.x, notify->area.y, notify->area.width, notify->area.height);
            touched = touched || area.intersects(watched_);
            any = true;
        }
        std::free(event);
        event = xcb_poll_for_event(connection_);
        if (!event && any && damage_) {
            // Emptied again, so that the next change anywhere is reported. A
            // capture after this reads whatever changed before it.
            xcb_damage_subtract(connection_, damage_, XCB_NONE, XCB_NONE);
            xcb_flush(connection_);
            any = false;
            // A report that the flush read along waits in xcb's queue,
            // where the notifier does not see it.
            event = xcb_poll_for_queued_event(connection_);
        }
    }
    return touched;
}

QList<PickerScreen> X11ScreenSource::screens() const
{
    return desktopScreens();
}

QPointF X11ScreenSource::pointer() const
{
    const XcbOwned<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(connection_, xcb_query_pointer(connection_, root_), nullptr));
    if (!reply)
        return QCursor::pos();
    const QPoint device(reply->root_x, reply->root_y);
    for (const PickerScreen &screen : screens()) {
        const QRect native = nativeRect(screen);
        if (native.contains(device))
            return screen.frame.topLeft() + QPointF(device - native.topLeft()) / screen.scale;
    }
    return QPointF(device);
}

QImage X11ScreenSource::grab(const QRect &rect, QString *error, bool *unreadable) const
{
    if (unreadable)
        *unreadable = false;
    xcb_generic_error_t *refusal = nullptr;
    const XcbOwned<xcb_get_image_reply_t> reply(
        xcb_get_image_reply(connection_,
                            xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, qint16(rect.x()),
                                          qint16(rect.y()), quint16(rect.width()), quint16(rect.height()), ~0u),
                            &refusal));
    const XcbOwned<xcb_generic_error_t> xerror(refusal);
    if (!reply) {
        if (error)
            *error = xerror ? QStringLiteral("the X server refused the capture (error %1)").arg(xerror->error_code)
                            : QStringLiteral("the X server did not answer");
        return QImage();
    }
    const int length = xcb_get_image_data_length(reply.get());
    const ZPixmapLayout layout = layoutOf(reply->depth, reply->visual);
    const bool rgb32 = layout.bitsPerPixel == 32 && !layout.mostSignificantFirst && layout.redMask == 0xff0000
        && layout.greenMask == 0xff00 && layout.blueMask == 0xff && length == rect.width() * rect.height() * 4;
    if (rgb32) {
        // 32 bits a pixel, blue first in memory: what Format_RGB32 is.
        return QImage(xcb_get_image_data(reply.get()), rect.width(), rect.height(), rect.width() * 4,
                      QImage::Format_RGB32)
            .copy();
    }
    QImage image = imageFromZPixmap(xcb_get_image_data(reply.get()), length, rect.size(), layout, error);
    if (unreadable)
        *unreadable = image.isNull();
    return image;
}

ZPixmapLayout X11ScreenSource::layoutOf(quint8 depth, quint32 visual) const
{
    const xcb_setup_t *setup = xcb_get_setup(connection_);
    ZPixmapLayout layout;
    layout.mostSignificantFirst = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    layout.bitsPerPixel = 0;
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem; xcb_format_next(&formats)) {
        if (formats.data->depth == depth) {
            layout.bitsPerPixel = formats.data->bits_per_pixel;
            layout.scanlinePad = formats.data->scanline_pad;
        }
    }
    layout.redMask = layout.greenMask = layout.blueMask = 0;
    for (auto screens = xcb_setup_roots_iterator(setup); screens.rem; xcb_screen_next(&screens)) {
        for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem; xcb_depth_next(&depths)) {
            for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem; xcb_visualtype_next(&visuals)) {
                if (visuals.data->visual_id == visual) {
                    layout.redMask = visuals.data->red_mask;
                    layout.greenMask = visuals.data->green_mask;
                    layout.blueMask = visuals.data->blue_mask;
                }
            }
        }
    }
    return layout;
}

void X11ScreenSource::capture(const PickerScreen &screen, const QRect &region, CaptureDone done)
{
    QString error;
    const QImage image = grab(region.translated(nativeRect(screen).topLeft()), &error);
    // Answer later, as the pick expects of every capture.
    QTimer::singleShot(0, &context_, [done = std::move(done), image, error] { done(image, error); });
}

} // namespace pigmentry
