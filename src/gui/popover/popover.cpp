// SPDX-License-Identifier: GPL-3.0-or-later
#include "popover.h"

#include "gui/kit/window_accessible.h"
#include "gui/popover/menu_content.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace pigmentry {

Popover::Popover(QWidget *parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setWindowTitle(QStringLiteral("Pigmentry"));
    announceAsWindow(this);
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

bool Popover::placesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void Popover::becomePopup(bool popup)
{
    const Qt::WindowFlags flags = (popup ? Qt::Popup : Qt::Window) | Qt::FramelessWindowHint;
    if (windowFlags() != flags)
        setWindowFlags(flags);
}

void Popover::showAt(const QRect &anchor)
{
    if (!placesWindows()) {
        showUnplaced();
        return;
    }
    const QPoint pointer = QCursor::pos();
    const QPoint probe = anchor.isValid() && !anchor.isEmpty() ? anchor.center() : pointer;
    const QScreen *screen = QGuiApplication::screenAt(probe);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    // A screen reader finds an application's windows but not its popups,
    // which it meets as menus: for it the popover is a window of its own,
    // which closes when it loses the focus as the popup does on a click
    // outside.
    becomePopup(!QAccessible::isActive());
    activated_ = false;
    move(placement(anchor, pointer, screen->availableGeometry(), size()));
    show();
    showFocus();
    raise();
    activateWindow();
}

void Popover::showUnplaced()
{
    // A popup needs a window of ours to hang from; the pointer is known
    // only over our own windows, so it is placed there.
    QWidget *host = QApplication::activeWindow();
    if (host && host != this && host->isVisible()) {
        becomePopup(true);
        create();
        windowHandle()->setTransientParent(host->windowHandle());
        move(placement(QRect(), QCursor::pos(), host->frameGeometry(), size()));
    } else {
        becomePopup(false);
    }
    activated_ = false;
    show();
    showFocus();
    raise();
    activateWindow();
}

void Popover::showFocus()
{
    // Opened from the keyboard as often as with the pointer: the control
    // that has the focus shows its ring from the start. A window forgets
    // this each time it is shown.
    setAttribute(Qt::WA_KeyboardFocusChange);
}

void Popover::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || (windowFlags() & Qt::Popup) == Qt::Popup)
        return;
    // A window of its own has no click outside to close it: losing the
    // focus it once had does.
    if (isActiveWindow())
        activated_ = true;
    else if (activated_ && isVisible())
        hide();
}

void Popover::keyPressEvent(QKeyEvent *event)
{
    // Escape closes it as a window as it closes it as a popup.
    if (event->key() == Qt::Key_Escape && (windowFlags() & Qt::Popup) != Qt::Popup) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Popover::hideEvent(QHideEvent *event)
{
    activated_ = false;
    QWidget::hideEvent(event);
}

} // namespace pigmentry
