#pragma once

#include <QWidget>

class QSlider;

namespace pigmentry {

class ColorWell;
class Label;
struct PageContext;

// Gradient Studio: a two-stop linear gradient from the selected colour to
// an end colour at an angle, previewed and copied as CSS.
class GradientPage : public QWidget {
    Q_OBJECT

public:
    explicit GradientPage(PageContext &context, QWidget *parent = nullptr);

private:
    void update();

    PageContext &context;
    QWidget *preview;
    ColorWell *endWell;
    QSlider *angle;
    Label *angleText;
};

} // namespace pigmentry
