#include "magnifier_panel.h"

#include <QPainter>
#include <QPainterPath>

namespace pigmentry {

MagnifierPanel::MagnifierPanel()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint
                           | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus
                           | Qt::WindowTransparentForInput)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(Magnifier::panelSize);
}

void MagnifierPanel::present(const Magnifier &next, const QPointF &topLeft, const QRectF &nextHole)
{
    magnifier = next;
    if (!masked || nextHole != hole) {
        QPainterPath outline;
        outline.addRoundedRect(Magnifier::background(), 14, 14);
        QRegion region(outline.toFillPolygon().toPolygon());
        if (!nextHole.isNull())
            region -= nextHole.toAlignedRect();
        setMask(region);
        hole = nextHole;
        masked = true;
    }
    move(topLeft.toPoint());
    if (!isVisible())
        show();
    raise();
    update();
}

void MagnifierPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    magnifier.paint(painter);
}

} // namespace pigmentry
