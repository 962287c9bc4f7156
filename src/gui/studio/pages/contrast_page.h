#pragma once

#include "tools/contrast.h"

#include <QList>
#include <QWidget>

class QComboBox;

namespace pigmentry {

class ColorWell;
class Label;
struct PageContext;

// Contrast Checker: the selected colour as text on a background chosen here,
// the WCAG ratio and verdicts of the real colours, and a sample that can be
// seen as with a colour-vision deficiency. "Swap" exchanges the two colours.
class ContrastPage : public QWidget {
    Q_OBJECT

public:
    explicit ContrastPage(PageContext &context, QWidget *parent = nullptr);
    // The vision the sample is seen with, as if chosen in its menu.
    void setColorVision(ColorVision vision);
    ColorVision colorVision() const;

private:
    void update();

    PageContext &context;
    ColorWell *background;
    Label *ratio;
    QWidget *sample;
    QComboBox *vision;
    QList<Label *> verdicts;
};

} // namespace pigmentry
