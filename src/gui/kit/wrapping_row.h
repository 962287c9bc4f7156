// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBoxLayout>
#include <QList>
#include <QWidget>

namespace pigmentry {

// Widgets side by side where the width holds them all, one under the other
// where it does not (a long language, or the window at its smallest size).
class WrappingRow : public QWidget {
public:
    explicit WrappingRow(int spacing = -1, QWidget *parent = nullptr);
    void addWidget(QWidget *widget, int stretch = 0);
    // A stretch after the widgets, which keeps them at the left.
    void addStretch();
    // The width below which the widgets go one under the other; by default
    // the sum of their preferred widths. Rows that should break together
    // are given the same width.
    void setBreakWidth(int width);
    bool isWrapped() const { return layout_->direction() == QBoxLayout::TopToBottom; }
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QBoxLayout *layout_;
    QList<QWidget *> widgets_;
    int breakWidth_ = -1;
};

} // namespace pigmentry
