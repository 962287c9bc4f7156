// SPDX-License-Identifier: GPL-3.0-or-later
#include "frozen_screen_source.h"

#include <QColorSpace>
#include <QTimer>

#include <algorithm>

namespace pigmentry {

bool FrozenScreenSource::load(const QImage &shot, const QList<PickerScreen> &screens)
{
    screenList_.clear();
    frames_.clear();
    if (shot.isNull() || screens.isEmpty())
        return false;
    QRectF desktop;
    for (const PickerScreen &screen : screens)
        desktop |= screen.frame;
    if (desktop.isEmpty())
        return false;

    QImage image = shot.convertToFormat(QImage::Format_RGB32);
    // Picks are sRGB; a shot tagged with another profile is converted.
    if (image.colorSpace().isValid() && image.colorSpace() != QColorSpace(QColorSpace::SRgb))
        image.convertToColorSpace(QColorSpace(QColorSpace::SRgb));
    const double kx = image.width() / desktop.width();
    const double ky = image.height() / desktop.height();
    for (const PickerScreen &screen : screens) {
        const QRectF part((screen.frame.left() - desktop.left()) * kx, (screen.frame.top() - desktop.top()) * ky,
                          screen.frame.width() * kx, screen.frame.height() * ky);
        QImage cut = image.copy(part.toRect());
        // Only where the shot's scale differs from the screen's is the part
        // resampled, and then to the nearest pixel, so that every colour of
        // the frame is one the shot holds.
        if (cut.size() != screen.pixelSize())
            cut = cut.scaled(screen.pixelSize(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        cut.setColorSpace(QColorSpace());
        frames_.append(cut);
    }
    screenList_ = screens;
    // A place seen before the shot stands; otherwise the centre, until the
    // overlay sees the pointer.
    const bool inside = std::any_of(screens.cbegin(), screens.cend(),
                                    [this](const PickerScreen &screen) { return screen.frame.contains(position_); });
    if (!known_ || !inside) {
        position_ = screens.first().frame.center();
        known_ = false;
    }
    return true;
}

void FrozenScreenSource::clear()
{
    screenList_.clear();
    frames_.clear();
    known_ = false;
}

void FrozenScreenSource::capture(const PickerScreen &screen, const QRect &region, CaptureDone done)
{
    const qsizetype index = screenList_.indexOf(screen);
    const QImage pixels = index < 0 ? QImage() : frames_.at(index).copy(region);
    // Answered later, never inside the call, as a live capture is.
    QTimer::singleShot(0, [pixels, done = std::move(done)] {
        done(pixels, pixels.isNull() ? QStringLiteral("the screen is not in the frozen frame") : QString());
    });
}

} // namespace pigmentry
