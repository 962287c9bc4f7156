// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/magnifier.h"

#include <QImage>
#include <QPoint>
#include <QRectF>

struct xcb_connection_t;

namespace pigmentry {

// The floating magnifier, a plain X window of its own rather than a Qt
// window: the panel moves and repaints up to thirty times a second, and Qt
// makes several round trips for each move of a top-level window (geometry
// and frame queries, size hints, a sync before painting over the last
// flush). This window is only told where to go and which pixels changed,
// and never answers. It is override-redirect and opaque, its rounded corners
// cut by a shape (without a compositing manager translucency would read back
// as black); its input shape is empty, so it takes neither focus nor clicks.
// Its pixels live in a server-side pixmap that is also its background, so
// the X server redraws it by itself whenever it is uncovered. Where the
// server has the RENDER extension (every current one), it also enlarges the
// captured region: a frame sends the region's 225 pixels, not the loupe's
// tens of thousands.
class MagnifierPanel {
public:
    // connection and root are the X display's and its screen's; the panel
    // is drawn only where pixmaps of the root's depth are 32-bit and
    // least-significant byte first (as on every current X server).
    MagnifierPanel(xcb_connection_t *connection, quint32 root);
    ~MagnifierPanel();
    MagnifierPanel(const MagnifierPanel &) = delete;
    MagnifierPanel &operator=(const MagnifierPanel &) = delete;

    // Shows the magnifier with its top-left corner at device (root
    // coordinates, device pixels) drawn at scale device pixels per logical
    // pixel, with a hole (logical panel coordinates) through which the
    // screen stays visible to captures.
    void present(const Magnifier &magnifier, const QPoint &device, double scale, const QRectF &hole);

    // The X window while the panel is shown, otherwise 0.
    quint32 windowId() const { return window_; }

private:
    void create(double scale);
    void destroy();
    void shape(const QRectF &hole);
    void upload(const QRect &rect);
    void put(quint32 drawable, int drawableDepth, const QImage &image, const QRect &area, const QPoint &to);
    // The loupe drawn by the server from the region and the marks.
    void enlarge(bool marksChanged);

    xcb_connection_t *connection_;
    quint32 root_;
    int depth_ = 0;
    bool drawable_ = false; // whether the server takes our pixel layout
    int maxRequestBytes_ = 0;
    bool shapes_ = false; // whether the server has the SHAPE extension

    quint32 window_ = 0;
    quint32 pixmap_ = 0;
    quint32 gc_ = 0;
    QImage pixels_; // the panel in device pixels, as the pixmap holds it
    QImage rowBase_; // the codes' row with only the background

    // RENDER's picture formats: the root visual's and 32-bit ARGB; 0 where
    // the server lacks the extension and the loupe is painted here.
    quint32 screenFormat_ = 0;
    quint32 argbFormat_ = 0;
    quint32 panelPicture_ = 0;
    quint32 loupeBase_ = 0; // the loupe's dim fill, kept to start each frame
    quint32 marksPixmap_ = 0; // the grid and the marker, with alpha
    quint32 marksPicture_ = 0;
    quint32 marksGc_ = 0;
    quint32 regionPixmap_ = 0; // the captured region, one pixel each
    quint32 regionPicture_ = 0;
    QSize regionSize_;
    double scale_ = 0;
    QPoint device_;
    Magnifier magnifier_;
    QRectF hole_;
};

} // namespace pigmentry
