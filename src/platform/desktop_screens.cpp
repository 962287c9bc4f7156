// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_screens.h"

#include <QGuiApplication>
#include <QScreen>
#include <qpa/qplatformscreen.h>

namespace pigmentry {

QList<PickerScreen> desktopScreens()
{
    QList<PickerScreen> list;
    const QScreen *primary = QGuiApplication::primaryScreen();
    for (const QScreen *screen : QGuiApplication::screens()) {
        // The device pixels from the platform's own geometry; the logical
        // geometry Qt gives is rounded to whole logical pixels.
        const double ratio = screen->devicePixelRatio();
        const QPlatformScreen *platform = screen->handle();
        const QSize pixels = platform ? (QSizeF(platform->geometry().size()) * platform->devicePixelRatio()).toSize()
                                      : (QSizeF(screen->size()) * ratio).toSize();
        const PickerScreen s{QRectF(QPointF(screen->geometry().topLeft()), QSizeF(pixels) / ratio), ratio, pixels};
        if (screen == primary)
            list.prepend(s);
        else
            list.append(s);
    }
    return list;
}

} // namespace pigmentry
