// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QWidget>

namespace pigmentry {

// A rounded tile filled with a colour (alpha included), optionally with a
// text in a corner drawn black or white by the colour's luminance.
class ColorPatch : public QWidget {
    Q_OBJECT

public:
    explicit ColorPatch(QWidget *parent = nullptr);

    void setColor(const RGBA &color);
    const RGBA &color() const { return color_; }
    void setRadius(double radius)
    {
        radius_ = radius;
        update();
    }
    // A 1-pixel border in the primary colour at this opacity (0: none).
    void setBorder(double opacity)
    {
        border_ = opacity;
        update();
    }
    // Text in the bottom-left corner, inset by margin; smaller lines under
    // it (second, one a line), each elided at its end where it cannot fit.
    void setCaption(const QString &text, const QFont &font, const QString &second = {}, const QFont &secondFont = {},
                    int margin = 10);
    // The caption's colour: black over light colours, white otherwise.
    QColor captionColor() const;
    QString captionText() const { return caption_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    RGBA color_;
    double radius_ = 12;
    double border_ = 0;
    QString caption_, second_;
    QFont captionFont_, secondFont_;
    int margin_ = 10;
    QString spokenName_;
};

} // namespace pigmentry
