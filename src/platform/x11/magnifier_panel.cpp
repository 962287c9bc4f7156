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
    // Repaint only what changed: most frames change the loupe, fewer the
    // codes, few the magnification.
    QRegion dirty;
    // A moved hole uncovers parts of the panel that were not painted while
    // they were cut out: those take the whole panel again.
    if (!isVisible() || next.zoom != magnifier.zoom || !masked || nextHole != hole)
        dirty = rect();
    else {
        if (next.image != magnifier.image || next.center != magnifier.center)
            dirty += Magnifier::loupe().toAlignedRect();
        if (!(next.color == magnifier.color))
            dirty += Magnifier::row().toAlignedRect();
    }
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
    if (pos() != topLeft.toPoint())
        move(topLeft.toPoint());
    if (!isVisible()) {
        show();
        raise();
    }
    if (!dirty.isEmpty())
        update(dirty);
}

void MagnifierPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    magnifier.paint(painter);
}

} // namespace pigmentry
