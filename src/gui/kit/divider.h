// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace pigmentry {

// A horizontal or vertical hairline in the primary colour, faint.
class Divider : public QWidget {
public:
    explicit Divider(Qt::Orientation orientation = Qt::Horizontal, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace pigmentry
