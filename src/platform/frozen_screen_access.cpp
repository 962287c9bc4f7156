// SPDX-License-Identifier: GPL-3.0-or-later
#include "frozen_screen_access.h"

#include "desktop_screens.h"
#include "desktop_workspace.h"
#include "picker/frozen_screen_source.h"
#include "portal/portal_screenshot.h"

namespace pigmentry {

FrozenScreenAccess::FrozenScreenAccess(FrozenScreenSource &source, std::unique_ptr<PortalScreenshot> screenshot)
    : source(source)
    , screenshot(std::move(screenshot))
{ }

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
