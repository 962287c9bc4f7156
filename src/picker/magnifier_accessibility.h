// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/magnifier.h"

#include <QElapsedTimer>
#include <QObject>
#include <QRect>
#include <QTimer>

#include <memory>

class QWindow;

namespace pigmentry {

// The magnifier as a screen reader meets it. The panel itself is no Qt
// window (on X11 it is a plain X window), so while a pick runs a window of
// the application stands in for it on the accessibility bus: "Pick a color",
// described by the panel's hint, with the code and name of the colour under
// the mark as its text, and the focus. The text follows the mark at most
// four times a second, and at once after a key moved it.
class MagnifierAccessibility : public QObject {
    Q_OBJECT

public:
    explicit MagnifierAccessibility(QObject *parent = nullptr);
    ~MagnifierAccessibility() override;

    // panel is where the magnifier is, in logical desktop coordinates.
    // Shows the stand-in with the first call of a pick.
    void present(const Magnifier &magnifier, const QRect &panel, bool now);
    void hide();

    // What a screen reader reads: "#3B82F6, Dodger blue".
    QString value() const { return value_; }
    QString description() const { return description_; }
    QRect panel() const { return panel_; }
    bool isShown() const { return shown_; }

private:
    void publish();

    QString value_;
    QString description_;
    QRect panel_;
    QString next_;
    bool shown_ = false;
    QElapsedTimer since_;
    QTimer pending_;
    std::unique_ptr<QWindow> window_; // only while a screen reader listens
};

} // namespace pigmentry
