#pragma once

#include "picker/magnifier.h"

#include <QWidget>

namespace pigmentry {

// The floating magnifier: never takes focus, lets every click through, and
// is drawn opaque with rounded corners cut by a window mask (without a
// compositing manager translucency would read back as black).
class MagnifierPanel : public QWidget {
public:
    MagnifierPanel();

    // Shows the magnifier at topLeft (logical) with a hole (panel
    // coordinates) through which the screen stays visible to captures.
    void present(const Magnifier &magnifier, const QPointF &topLeft, const QRectF &hole);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Magnifier magnifier;
    QRectF hole;
    bool masked = false;
};

} // namespace pigmentry
