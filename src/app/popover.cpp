#include "popover.h"

#include "menu_content.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace pigmentry {

Popover::Popover(QWidget *parent) : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setWindowTitle(QStringLiteral("Pigmentry"));
}

void Popover::setContent(MenuContent *content)
{
    content_ = content;
    layout()->addWidget(content);
    setFixedSize(MenuContent::panelSize);
}

QPoint Popover::placement(const QRect &anchor, const QPoint &pointer, const QRect &available, const QSize &size)
{
    QPoint at;
    if (anchor.isValid() && !anchor.isEmpty()) {
        const bool topPanel = anchor.center().y() < available.center().y();
        at = QPoint(anchor.x() + anchor.width() / 2 - size.width() / 2,
                    topPanel ? anchor.y() + anchor.height() + 4 : anchor.y() - 4 - size.height());
    } else {
        // Above the pointer in the lower half of the screen, below it otherwise.
        const bool lower = pointer.y() > available.center().y();
        at = QPoint(pointer.x() - size.width() / 2, lower ? pointer.y() - 8 - size.height() : pointer.y() + 8);
    }
    at.setX(std::clamp(at.x(), available.left(), std::max(available.left(), available.right() + 1 - size.width())));
    at.setY(std::clamp(at.y(), available.top(), std::max(available.top(), available.bottom() + 1 - size.height())));
    return at;
}

void Popover::showAt(const QRect &anchor)
{
    const QPoint pointer = QCursor::pos();
    const QPoint probe = anchor.isValid() && !anchor.isEmpty() ? anchor.center() : pointer;
    const QScreen *screen = QGuiApplication::screenAt(probe);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    move(placement(anchor, pointer, screen->availableGeometry(), size()));
    show();
    raise();
    activateWindow();
}

} // namespace pigmentry
