// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QSlider;
class QSpinBox;

namespace pigmentry {

class ColorWell;
class Label;
struct PageContext;

// Gradient Studio: a two-stop linear gradient from the selected colour (the
// start, which its well changes) to an end colour at an angle, slid or typed,
// previewed and copied as CSS.
class GradientPage : public QWidget {
    Q_OBJECT

public:
    explicit GradientPage(PageContext &context, QWidget *parent = nullptr);

private:
    void update();

    PageContext &context_;
    QWidget *preview_;
    ColorWell *startWell_;
    ColorWell *endWell_;
    QSlider *angle_;
    QSpinBox *degrees_;
};

} // namespace pigmentry
