// SPDX-License-Identifier: GPL-3.0-or-later
#include "magnifier_accessibility.h"

#include "model/color/color_names.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QWindow>

namespace pigmentry {

namespace {

constexpr int quarterSecond = 250;

// The stand-in's interface: a window with read-only text, read afresh from
// its owner at every question.
class StandInInterface : public QAccessibleInterface, public QAccessibleTextInterface {
public:
    StandInInterface(QWindow *window, const MagnifierAccessibility *owner)
        : window_(window)
        , owner_(owner)
    { }

    bool isValid() const override { return true; }
    QObject *object() const override { return window_; }
    QWindow *window() const override { return window_; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(qApp); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Window; }
    QRect rect() const override { return owner_->panel(); }
    void setText(QAccessible::Text, const QString &) override { }
    QString text(QAccessible::Text kind) const override
    {
        switch (kind) {
        case QAccessible::Name: return QCoreApplication::translate("Magnifier", "Pick a color");
        case QAccessible::Description: return owner_->description();
        case QAccessible::Value: return owner_->value();
        default: return QString();
        }
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !owner_->isShown();
        state.active = owner_->isShown();
        state.focusable = true;
        state.focused = owner_->isShown();
        state.readOnly = true;
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this) : nullptr;
    }

    // The text: the colour under the mark, never selected nor edited.
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int start, int end) const override { return owner_->value().mid(start, end - start); }
    int characterCount() const override { return int(owner_->value().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int *start, int *end) const override
    {
        *start = *end = 0;
        return QString();
    }

private:
    QWindow *window_;
    const MagnifierAccessibility *owner_;
};

class StandInWindow : public QWindow {
public:
    explicit StandInWindow(const MagnifierAccessibility *owner)
        : id_(QAccessible::registerAccessibleInterface(new StandInInterface(this, owner)))
    {
        setTitle(QCoreApplication::translate("Magnifier", "Pick a color"));
    }
    ~StandInWindow() override { QAccessible::deleteAccessibleInterface(id_); }
    QAccessibleInterface *accessibleRoot() const override { return QAccessible::accessibleInterface(id_); }

private:
    QAccessible::Id id_;
};

void notify(QWindow *window, QAccessible::Event kind)
{
    QAccessibleEvent event(window->accessibleRoot(), kind);
    QAccessible::updateAccessibility(&event);
}

} // namespace

MagnifierAccessibility::MagnifierAccessibility(QObject *parent)
    : QObject(parent)
{
    pending_.setSingleShot(true);
    connect(&pending_, &QTimer::timeout, this, &MagnifierAccessibility::publish);
}

MagnifierAccessibility::~MagnifierAccessibility() = default;

void MagnifierAccessibility::present(const Magnifier &magnifier, const QRect &panel, bool now)
{
    next_ = magnifier.color.hex() + QLatin1String(", ") + colorName(magnifier.color);
    panel_ = panel;
    if (const QString hint = magnifier.hint(); hint != description_) {
        description_ = hint;
        if (window_)
            notify(window_.get(), QAccessible::DescriptionChanged);
    }
    if (!shown_) {
        shown_ = true;
        value_ = std::exchange(next_, QString());
        since_.start();
        if (QAccessible::isActive()) {
            window_ = std::make_unique<StandInWindow>(this);
            notify(window_.get(), QAccessible::ObjectShow);
            notify(window_.get(), QAccessible::Focus);
        }
        return;
    }
    if (now || since_.elapsed() >= quarterSecond) {
        publish();
    } else if (!pending_.isActive()) {
        pending_.start(int(quarterSecond - since_.elapsed()));
    }
}

void MagnifierAccessibility::publish()
{
    pending_.stop();
    since_.start();
    if (next_.isEmpty() || next_ == value_) {
        next_.clear();
        return;
    }
    const QString before = std::exchange(value_, std::exchange(next_, QString()));
    if (window_) {
        QAccessibleTextUpdateEvent event(window_->accessibleRoot(), 0, before, value_);
        QAccessible::updateAccessibility(&event);
    }
}

void MagnifierAccessibility::hide()
{
    pending_.stop();
    next_.clear();
    if (!shown_)
        return;
    shown_ = false;
    if (window_) {
        notify(window_.get(), QAccessible::ObjectHide);
        window_.reset();
    }
}

} // namespace pigmentry
