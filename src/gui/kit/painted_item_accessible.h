// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemView>
#include <QAccessible>
#include <QPointer>

namespace pigmentry {

// An item a view paints (a cell, a row, a part of a card) as a screen reader
// meets it: a leaf that takes the focus and answers Press. A subclass says
// whether it still stands for something, where it lies in the view's
// viewport, what it is called and what else its state holds; the rest is
// the same for every painted item.
class PaintedItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit PaintedItemAccessible(QAbstractItemView *view)
        : view(view)
    { }

    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return view ? view->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(view.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString &) override { }

    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QRect local = localRect();
        return QRect(view->viewport()->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.focusable = true;
        addState(state);
        if (!view->viewport()->rect().intersects(localRect())) {
            state.invisible = true;
            state.offscreen = true;
        }
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

protected:
    // In the view's viewport.
    virtual QRect localRect() const = 0;
    // What the item's state holds besides being focusable.
    virtual void addState(QAccessible::State &state) const = 0;

    QPointer<QAbstractItemView> view;
};

} // namespace pigmentry
