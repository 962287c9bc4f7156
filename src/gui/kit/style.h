// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

class QAbstractButton;

namespace pigmentry {

// One look for every control of the popover and the Studio, on Fusion:
// rounded, padded buttons (accent-filled where prominent), rounded text
// fields, the accent blue for selection, sliders and focus, a focus ring that
// differs from any selection outline, and thin scroll bars drawn over the
// content. Colours come from the palette of the moment, light or dark.
class Style : public QProxyStyle {
    Q_OBJECT

public:
    Style();

    void polish(QPalette &palette) override;
    void polish(QWidget *widget) override;
    using QProxyStyle::polish;

    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                         const QWidget *widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const override;
};

// Sets the style on the application (once).
void installStyle();

// Marks a button as the prominent one of its group: accent face, white text.
void makeProminent(QAbstractButton *button);

// The edge of a control (a button, a field, a check box) on this palette:
// the text colour mixed into the face until the edge stands at 3 : 1
// against both the window and the cards, light or dark.
QColor controlEdge(const QPalette &palette);

} // namespace pigmentry
