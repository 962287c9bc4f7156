// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the Wayland tests share: a desktop shot in which every device pixel
// has a colour of its own, and the pick's windows on screen.

#include "model/color/rgba.h"

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>

namespace pigmentry::test {

// How long a test waits for a real server (weston, a bus): every test starts
// one of its own, in parallel, and under the sanitizers too, so the wait is
// long; a test that passes never waits it out.
constexpr int serverWaitMs = 20000;

inline QRgb shotPixel(int x, int y)
{
    return qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256);
}

// The primary screen in its device pixels.
inline QImage desktopShot()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize size = screen->geometry().size() * screen->devicePixelRatio();
    QImage shot(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            shot.setPixel(x, y, shotPixel(x, y));
    return shot;
}

inline RGBA shotColor(int x, int y)
{
    const QRgb p = shotPixel(x, y);
    return RGBA{qRed(p) / 255.0, qGreen(p) / 255.0, qBlue(p) / 255.0, 1.0};
}

// The frozen frame's windows that are on screen.
inline QList<QWidget *> frozenWindows()
{
    QList<QWidget *> list;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowTitle() == QLatin1String("Pick Color"))
            list.append(widget);
    }
    return list;
}

} // namespace pigmentry::test
