// SPDX-License-Identifier: GPL-3.0-or-later
#include "frozen_overlay.h"

#include "picker/frozen_screen_source.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace pigmentry {

// What a pick on a frozen frame receives, for finding out why a desktop's
// input does not arrive: QT_LOGGING_RULES="pigmentry.pick.frozen.debug=true".
Q_LOGGING_CATEGORY(lcFrozen, "pigmentry.pick.frozen", QtWarningMsg)

// One screen's frozen frame, full screen; every input goes to the overlay.
class FrozenWindow : public QWidget {
public:
    FrozenWindow(FrozenOverlay &overlay, const PickerScreen &screen, const QImage &frame)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
        , screen(screen)
        , overlay_(overlay)
        , frame_(frame)
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setCursor(Qt::CrossCursor);
        setFocusPolicy(Qt::StrongFocus);
        setWindowTitle(QCoreApplication::translate("FrozenOverlay", "Pick Color"));
        this->frame_.setDevicePixelRatio(screen.scale);
    }

    const PickerScreen screen;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (!std::exchange(painted_, true))
            qCDebug(lcFrozen, "frame painted");
        QPainter painter(this);
        // Device pixel for device pixel: the frame carries the screen's scale.
        painter.drawImage(QPointF(0, 0), frame_);
        if (overlay_.panel_) {
            const QRectF local = overlay_.panel_->translated(-screen.frame.topLeft());
            if (local.intersects(QRectF(rect())) && event->rect().intersects(local.toAlignedRect())) {
                painter.setRenderHint(QPainter::Antialiasing);
                painter.translate(local.topLeft());
                overlay_.magnifier_.paint(painter);
            }
        }
    }
    void mouseMoveEvent(QMouseEvent *event) override { overlay_.moved(screen.frame.topLeft() + event->position()); }
    void enterEvent(QEnterEvent *event) override
    {
        qCDebug(lcFrozen, "pointer entered");
        overlay_.moved(screen.frame.topLeft() + event->position());
    }
    void focusInEvent(QFocusEvent *event) override
    {
        qCDebug(lcFrozen, "keyboard focus");
        QWidget::focusInEvent(event);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        overlay_.moved(screen.frame.topLeft() + event->position());
        if (event->button() == Qt::LeftButton)
            overlay_.send({PickerInput::Kind::LeftClick, 0, bool(event->modifiers() & Qt::ShiftModifier), {}});
        else if (event->button() == Qt::RightButton)
            overlay_.send({PickerInput::Kind::RightClick, 0, false, {}});
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        // The pick's keys by meaning; the keypad's Enter confirms as Return
        // does, and "_" (Shift and "-") zooms out as "-" does.
        int key = event->key();
        if (key == Qt::Key_Enter)
            key = Qt::Key_Return;
        else if (key == Qt::Key_Underscore)
            key = Qt::Key_Minus;
        overlay_.send({PickerInput::Kind::Key, key, bool(event->modifiers() & Qt::ShiftModifier), {}});
    }
    // Closing the window by other means (the desktop's close shortcut)
    // cancels, as Escape does.
    void closeEvent(QCloseEvent *event) override
    {
        QWidget::closeEvent(event);
        overlay_.send({PickerInput::Kind::Key, Qt::Key_Escape, false, {}});
    }

private:
    FrozenOverlay &overlay_;
    QImage frame_;
    bool painted_ = false;
};

FrozenOverlay::~FrozenOverlay()
{
    hide();
}

Result FrozenOverlay::show(const QList<PickerScreen> &screens)
{
    hide();
    panel_.reset();
    const QList<QScreen *> qtScreens = QGuiApplication::screens();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QImage frame = source_.frame(i);
        if (frame.isNull())
            continue;
        auto *window = new FrozenWindow(*this, screens.at(i), frame);
        for (QScreen *screen : qtScreens) {
            if (QRectF(screen->geometry()) == screens.at(i).frame)
                window->setScreen(screen);
        }
        window->setGeometry(screens.at(i).frame.toRect());
        window->showFullScreen();
        shown_.append(window);
    }
    if (shown_.isEmpty())
        return Result::failure(QStringLiteral("no screen is in the frozen frame"));
    // Keys go to the window under the pointer, or to the first.
    QWidget *focus = shown_.first();
    for (const QPointer<QWidget> &window : std::as_const(shown_)) {
        if (static_cast<FrozenWindow *>(window.data())->screen.frame.contains(source_.pointer()))
            focus = window;
    }
    focus->raise();
    focus->activateWindow();
    focus->setFocus(Qt::ActiveWindowFocusReason);
    return {};
}

void FrozenOverlay::hide()
{
    // Cleared first: closing a window reports Escape, which must not reach
    // a pick that is already ending.
    const QList<QPointer<QWidget>> closing = std::exchange(shown_, {});
    for (const QPointer<QWidget> &window : closing) {
        if (window) {
            window->hide();
            window->deleteLater();
        }
    }
    panel_.reset();
}

void FrozenOverlay::present(const Magnifier &next, const QPointF &topLeft, const QRectF &)
{
    // The frame under the panel never changes, so there is no hole to cut:
    // the pick reads the frame, not the screen.
    const QRectF rect(topLeft, QSizeF(Magnifier::panelSize));
    const std::optional<QRectF> old = panel_;
    magnifier_ = next;
    panel_ = rect;
    for (const QPointer<QWidget> &window : std::as_const(shown_)) {
        if (!window)
            continue;
        const QPointF origin = static_cast<FrozenWindow *>(window.data())->screen.frame.topLeft();
        QRegion dirty(rect.translated(-origin).toAlignedRect().adjusted(-1, -1, 1, 1));
        if (old && *old != rect)
            dirty += old->translated(-origin).toAlignedRect().adjusted(-1, -1, 1, 1);
        window->update(dirty);
    }
}

void FrozenOverlay::moved(const QPointF &position)
{
    qCDebug(lcFrozen, "pointer at %g,%g", position.x(), position.y());
    source_.setPointer(position);
    send({PickerInput::Kind::Motion, 0, false, position});
}

void FrozenOverlay::send(const PickerInput &event)
{
    if (!shown_.isEmpty() && input)
        input(event);
}

} // namespace pigmentry
