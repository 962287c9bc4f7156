#include "desktop_screens.h"

#include <QGuiApplication>
#include <QScreen>

namespace pigmentry {

QList<PickerScreen> desktopScreens()
{
    QList<PickerScreen> list;
    const QScreen *primary = QGuiApplication::primaryScreen();
    for (const QScreen *screen : QGuiApplication::screens()) {
        const PickerScreen s{QRectF(screen->geometry()), screen->devicePixelRatio()};
        if (screen == primary)
            list.prepend(s);
        else
            list.append(s);
    }
    return list;
}

} // namespace pigmentry
