// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11_overlay.h"

#include "magnifier_panel.h"
#include "platform/x11/xcb_owned.h"
#include "x11_screen_source.h"

#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace pigmentry {

namespace {

// Key symbols of the keys a pick reacts to; the keypad's are not among them.
int pickKey(quint32 keysym)
{
    switch (keysym) {
    case 0xff1b: return Qt::Key_Escape;
    case 0xff0d:
    case 0xff8d: return Qt::Key_Return; // the keypad's Enter confirms as Return does
    case 0x3d: return Qt::Key_Equal;
    case 0x2b: return Qt::Key_Plus;
    case 0x2d: return Qt::Key_Minus;
    case 0x5b: return Qt::Key_BracketLeft;
    case 0x5d: return Qt::Key_BracketRight;
    case 0xff51: return Qt::Key_Left;
    case 0xff52: return Qt::Key_Up;
    case 0xff53: return Qt::Key_Right;
    case 0xff54: return Qt::Key_Down;
    default: return Qt::Key_unknown;
    }
}

constexpr quint16 crosshairGlyph = 34; // XC_crosshair of the cursor font

} // namespace

std::unique_ptr<X11Overlay> X11Overlay::create()
{
    quint32 root = 0;
    xcb_connection_t *connection = openDisplay(&root);
    return connection ? std::unique_ptr<X11Overlay>(new X11Overlay(connection, root)) : nullptr;
}

X11Overlay::X11Overlay(xcb_connection_t *connection, quint32 root)
    : connection_(connection)
    , root_(root)
    , keyboard_(connection)
{
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, &context_, [this] { readEvents(); });
    grabRetry_.setInterval(10);
    QObject::connect(&grabRetry_, &QTimer::timeout, &context_, [this] { retryInput(); });
}

X11Overlay::~X11Overlay()
{
    hide();
    notifier_.reset();
    for (void *event : std::as_const(queued_))
        std::free(event);
    if (cursor_)
        xcb_free_cursor(connection_, cursor_);
    xcb_disconnect(connection_);
}

quint32 X11Overlay::crosshair()
{
    if (cursor_)
        return cursor_;
    const xcb_font_t font = xcb_generate_id(connection_);
    xcb_open_font(connection_, font, 6, "cursor");
    cursor_ = xcb_generate_id(connection_);
    xcb_create_glyph_cursor(connection_, cursor_, font, font, crosshairGlyph, crosshairGlyph + 1, 0, 0, 0, 0xffff,
                            0xffff, 0xffff);
    xcb_close_font(connection_, font);
    return cursor_;
}

Result X11Overlay::show(const QList<PickerScreen> &covered)
{
    hide();
    keyboard_.read();
    screens_ = covered;
    for (const PickerScreen &screen : screens_) {
        const QRect rect = nativeRect(screen);
        const xcb_window_t window = xcb_generate_id(connection_);
        const quint32 values[] = {
            1, XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_POINTER_MOTION, crosshair()};
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, qint16(rect.x()), qint16(rect.y()),
                          quint16(rect.width()), quint16(rect.height()), 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                          XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK | XCB_CW_CURSOR, values);
        xcb_map_window(connection_, window);
        const quint32 above[] = {XCB_STACK_MODE_ABOVE};
        xcb_configure_window(connection_, window, XCB_CONFIG_WINDOW_STACK_MODE, above);
        windows_.append(window);
    }
    xcb_flush(connection_);
    if (windows_.isEmpty()) {
        hide();
        return Result::failure(QStringLiteral("another program holds the pointer or the keyboard."));
    }
    // A menu that is closing or a key still held may keep its grab for a
    // moment: try again every 10 ms for up to half a second, from the event
    // loop, before the pick gives up.
    if (!takeInput()) {
        grabAttempts_ = 1;
        grabRetry_.start();
    }
    panel_ = std::make_unique<MagnifierPanel>(connection_, root_);
    // Events that came in while a reply was awaited wait in xcb's queue,
    // where the notifier does not see them; they are read once the pick
    // has started.
    readPending_ = true;
    QMetaObject::invokeMethod(
        &context_, [this] { readEvents(); }, Qt::QueuedConnection);
    return {};
}

void X11Overlay::retryInput()
{
    if (windows_.isEmpty()) {
        grabRetry_.stop();
        return;
    }
    if (takeInput()) {
        grabRetry_.stop();
        return;
    }
    if (++grabAttempts_ < 50)
        return;
    grabRetry_.stop();
    hide();
    if (failed)
        failed(QStringLiteral("another program holds the pointer or the keyboard."));
}

bool X11Overlay::takeInput()
{
    {
        const XcbOwned<xcb_grab_pointer_reply_t> pointer(xcb_grab_pointer_reply(
            connection_,
            xcb_grab_pointer(connection_, 0, windows_.first(),
                             XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_POINTER_MOTION, XCB_GRAB_MODE_ASYNC,
                             XCB_GRAB_MODE_ASYNC, XCB_NONE, crosshair(), XCB_CURRENT_TIME),
            nullptr));
        const bool pointerTaken = pointer && pointer->status == XCB_GRAB_STATUS_SUCCESS;
        const XcbOwned<xcb_grab_keyboard_reply_t> keys(
            xcb_grab_keyboard_reply(connection_,
                                    xcb_grab_keyboard(connection_, 0, windows_.first(), XCB_CURRENT_TIME,
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                    nullptr));
        const bool keysTaken = keys && keys->status == XCB_GRAB_STATUS_SUCCESS;
        if (pointerTaken && keysTaken)
            return true;
        xcb_ungrab_pointer(connection_, XCB_CURRENT_TIME);
        xcb_ungrab_keyboard(connection_, XCB_CURRENT_TIME);
        xcb_flush(connection_);
    }
    return false;
}

void X11Overlay::hide()
{
    grabRetry_.stop();
    panel_.reset();
    if (windows_.isEmpty())
        return;
    xcb_ungrab_pointer(connection_, XCB_CURRENT_TIME);
    xcb_ungrab_keyboard(connection_, XCB_CURRENT_TIME);
    for (const quint32 window : std::as_const(windows_))
        xcb_destroy_window(connection_, window);
    windows_.clear();
    xcb_flush(connection_);
}

void X11Overlay::present(const Magnifier &magnifier, const QPointF &topLeft, const QRectF &hole)
{
    if (!panel_ || screens_.isEmpty())
        return;
    // The pick keeps the panel inside one screen, whose scale it takes.
    const PickerScreen *on = &screens_.first();
    for (const PickerScreen &screen : std::as_const(screens_)) {
        if (screen.frame.contains(topLeft)) {
            on = &screen;
            break;
        }
    }
    const QPointF offset = (topLeft - on->frame.topLeft()) * on->scale;
    const QPoint device = nativeRect(*on).topLeft() + QPoint(qRound(offset.x()), qRound(offset.y()));
    panel_->present(magnifier, device, on->scale, hole);
    // A frame only writes; whatever xcb read meanwhile is handled next.
    takeQueued();
}

void X11Overlay::takeQueued()
{
    // xcb reads what the server sent whenever it waits to write, and keeps
    // it in a queue of its own.
    while (xcb_generic_event_t *event = xcb_poll_for_queued_event(connection_))
        queued_.append(event);
    if (!queued_.isEmpty() && !readPending_) {
        readPending_ = true;
        QMetaObject::invokeMethod(
            &context_, [this] { readEvents(); }, Qt::QueuedConnection);
    }
}

void X11Overlay::readEvents()
{
    readPending_ = false;
    while (!queued_.isEmpty()) {
        void *event = queued_.takeFirst();
        handle(event);
        std::free(event);
    }
    while (xcb_generic_event_t *event = xcb_poll_for_event(connection_)) {
        handle(event);
        std::free(event);
    }
}

void X11Overlay::moved(const QPoint &device)
{
    // Root coordinates are device pixels; each screen keeps its origin.
    for (const PickerScreen &screen : std::as_const(screens_)) {
        const QRect native = nativeRect(screen);
        if (native.contains(device)) {
            if (input)
                input({PickerInput::Kind::Motion, 0, false,
                       screen.frame.topLeft() + QPointF(device - native.topLeft()) / screen.scale});
            return;
        }
    }
}

void X11Overlay::handle(const void *received)
{
    const auto *event = static_cast<const xcb_generic_event_t *>(received);
    switch (event->response_type & 0x7f) {
    case XCB_MOTION_NOTIFY: {
        const auto *motion = reinterpret_cast<const xcb_motion_notify_event_t *>(event);
        if (windows_.contains(motion->event))
            moved(QPoint(motion->root_x, motion->root_y));
        return;
    }
    case XCB_BUTTON_PRESS: {
        const auto *press = reinterpret_cast<const xcb_button_press_event_t *>(event);
        if (!windows_.contains(press->event))
            return;
        // A click picks where it was made, whatever the pointer did before
        // the pick heard of it.
        if (press->detail == 1)
            moved(QPoint(press->root_x, press->root_y));
        if (input && (press->detail == 1 || press->detail == 3))
            input({press->detail == 1 ? PickerInput::Kind::LeftClick : PickerInput::Kind::RightClick,
                   0,
                   bool(press->state & XCB_MOD_MASK_SHIFT),
                   {}});
        return;
    }
    case XCB_KEY_PRESS: {
        const auto *press = reinterpret_cast<const xcb_key_press_event_t *>(event);
        if (!windows_.contains(press->event))
            return;
        const bool shift = press->state & XCB_MOD_MASK_SHIFT;
        // "+" is Shift and "=" on most layouts: the shifted symbol decides
        // where it is a key of the pick. Otherwise the key's own symbol does,
        // whatever modifiers are held: Shift and "-" (which gives "_") still
        // zooms out, Shift and an arrow moves ten pixels.
        int key = shift ? pickKey(keyboard_.keysymFor(press->detail, 1)) : int(Qt::Key_unknown);
        if (key == Qt::Key_unknown)
            key = pickKey(keyboard_.keysymFor(press->detail, 0));
        if (input)
            input({PickerInput::Kind::Key, key, shift, {}});
        return;
    }
    case XCB_MAPPING_NOTIFY: keyboard_.read(); return;
    default: return;
    }
}

} // namespace pigmentry
