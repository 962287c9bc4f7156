#pragma once

#include "model/rgba.h"

#include <QAbstractButton>

namespace pigmentry {

class Store;

// `swatch(_:)`: a colour tile with its hex code; clicking it makes the colour
// the selected colour. Outlined in the accent colour while it is selected.
class SwatchTile : public QAbstractButton {
    Q_OBJECT

public:
    SwatchTile(Store &store, const RGBA &color, QWidget *parent = nullptr);

    const RGBA &color() const { return color_; }
    bool isSelectedColor() const;
    QSize sizeHint() const override { return {96, 108}; }
    QSize minimumSizeHint() const override { return {85, 108}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Store &store;
    RGBA color_;
};

} // namespace pigmentry
