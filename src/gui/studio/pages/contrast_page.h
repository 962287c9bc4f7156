// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/contrast.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QPushButton;

namespace pigmentry {

class ColorPatch;
class ColorWell;
class Label;
struct PageContext;

// Contrast Checker: the selected colour as text on a background chosen here,
// the WCAG ratio and verdicts of the real colours, and a sample that can be
// seen as with a colour-vision deficiency. "Swap" exchanges the two colours.
// Where the pair fails AA normal or AAA normal, the nearest text colour that
// passes is offered with a "Use" button (Ctrl+Z takes it back).
class ContrastPage : public QWidget {
    Q_OBJECT

public:
    explicit ContrastPage(PageContext &context, QWidget *parent = nullptr);
    // The vision the sample is seen with, as if chosen in its menu.
    void setColorVision(ColorVision vision);
    ColorVision colorVision() const;

private:
    void update();

    PageContext &context_;
    ColorWell *background_;
    Label *ratio_;
    QWidget *sample_;
    QComboBox *vision_;
    QList<Label *> verdicts_;
    // The offer of a passing text colour for one level.
    struct Suggestion {
        QString level;
        double minimum;
        QWidget *row;
        ColorPatch *chip;
        Label *text;
        QPushButton *use;
        RGBA color;
    };
    QList<Suggestion> suggestions_;
};

} // namespace pigmentry
