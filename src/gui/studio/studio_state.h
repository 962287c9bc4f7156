// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QCoreApplication>
#include <QObject>
#include <QString>

namespace pigmentry {

// The Studio's view state that several pages share; it lives as long as the
// window (closing only hides it) and is never saved.
class StudioState : public QObject {
    Q_OBJECT

public:
    // The search of Recent Colors and Favorites, one text for both.
    const QString &search() const { return search_; }
    void setSearch(const QString &search)
    {
        if (search == search_)
            return;
        search_ = search;
        Q_EMIT searchChanged(search_);
    }
    // The name field for new palettes, kept as typed.
    QString paletteName = QCoreApplication::translate("StudioState", "Untitled Palette");
    // The gradient's direction in degrees and its second stop (the
    // framework's purple at first).
    double gradientAngle = 90.0;
    RGBA gradientEnd{0.686, 0.322, 0.871, 1.0};
    // The contrast checker's background and the vision its sample shows.
    RGBA contrastBackground{1.0, 1.0, 1.0, 1.0};
    int colorVision = 0;

Q_SIGNALS:
    void searchChanged(const QString &search);

private:
    QString search_;
};

} // namespace pigmentry
