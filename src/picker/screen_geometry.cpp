// SPDX-License-Identifier: GPL-3.0-or-later
#include "screen_geometry.h"

#include <algorithm>
#include <cmath>

namespace pigmentry {

std::optional<PickerScreen> screenAt(const QList<PickerScreen> &screens, const QPointF &position)
{
    for (const PickerScreen &screen : screens) {
        const QRectF &f = screen.frame;
        if (position.x() >= f.left() && position.x() < f.right() && position.y() >= f.top()
            && position.y() < f.bottom())
            return screen;
    }
    return std::nullopt;
}

QPointF movedByDevicePixels(const QList<PickerScreen> &screens, const QPointF &position, int dx, int dy)
{
    const std::optional<PickerScreen> screen = screenAt(screens, position);
    if (!screen)
        return position + QPointF(dx, dy);
    // The position names a pixel's corner: whole device pixels, so that a
    // press lands exactly where the pointer would.
    const QRect native = screen->native();
    const QPointF exact = (position - screen->frame.topLeft()) * screen->scale;
    const QPoint pixel = native.topLeft() + QPoint(int(std::lround(exact.x())) + dx, int(std::lround(exact.y())) + dy);
    for (const PickerScreen &other : screens) {
        const QRect there = other.native();
        if (there.contains(pixel))
            return other.frame.topLeft() + QPointF(pixel - there.topLeft()) / other.scale;
    }
    const QPoint kept(std::clamp(pixel.x(), native.left(), native.right()),
                      std::clamp(pixel.y(), native.top(), native.bottom()));
    return screen->frame.topLeft() + QPointF(kept - native.topLeft()) / screen->scale;
}

double snapped(double x)
{
    const double r = std::round(x);
    return std::fabs(x - r) < 1e-6 ? r : x;
}

} // namespace pigmentry
