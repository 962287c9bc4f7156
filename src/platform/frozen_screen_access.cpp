#include "frozen_screen_access.h"

#include "desktop_workspace.h"
#include "picker/frozen_screen_source.h"
#include "portal/portal_screenshot.h"

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

FrozenScreenAccess::FrozenScreenAccess(FrozenScreenSource &source, std::unique_ptr<PortalScreenshot> screenshot)
    : source(source), screenshot(std::move(screenshot))
{
}

FrozenScreenAccess::~FrozenScreenAccess() = default;

void FrozenScreenAccess::request(Granted done)
{
    FrozenScreenSource *frames = &source;
    screenshot->take([frames, done = std::move(done)](const QImage &shot, const QString &error) {
        if (!error.isEmpty())
            qInfo("No screenshot for the pick: %s", qPrintable(error));
        done(frames->load(shot, desktopScreens()));
    });
}

void FrozenScreenAccess::openSettings()
{
    openDesktopPrivacySettings();
}

} // namespace pigmentry
