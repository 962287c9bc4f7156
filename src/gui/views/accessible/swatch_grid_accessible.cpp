// SPDX-License-Identifier: GPL-3.0-or-later
#include "swatch_grid_accessible.h"

#include "gui/kit/painted_item_accessible.h"
#include "gui/views/swatch_grid.h"
#include "model/items/color_roles.h"

#include <QCoreApplication>

#include <algorithm>

namespace pigmentry {

namespace {

// One cell: a list item that reads its row afresh at every question.
class CellAccessible : public PaintedItemAccessible {
public:
    CellAccessible(SwatchGrid *grid, int row)
        : PaintedItemAccessible(grid)
        , row_(row)
    { }

    bool isValid() const override { return view && view->model() && row_ < view->model()->rowCount(view->rootIndex()); }

    QString text(QAccessible::Text kind) const override
    {
        if (!isValid() || kind != QAccessible::Name)
            return QString();
        const QModelIndex cell = index();
        QString name = cell.data(Qt::AccessibleTextRole).toString();
        if (name.isEmpty())
            name = QCoreApplication::translate("SwatchGrid", "Color %1").arg(cell.data(HexRole).toString());
        if (cell.data(FavoriteRole).toBool())
            name += QCoreApplication::translate("SwatchGrid", ", favorite");
        return name;
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    QString localizedActionDescription(const QString &action) const override
    {
        if (action == pressAction())
            return QCoreApplication::translate("SwatchGrid", "Inspect the color");
        return QAccessibleActionInterface::localizedActionDescription(action);
    }
    void doAction(const QString &action) override
    {
        if (!isValid())
            return;
        if (action == setFocusAction()) {
            view->setFocus(Qt::OtherFocusReason);
            view->setCurrentIndex(index());
        } else if (action == pressAction()) {
            view->setCurrentIndex(index());
            Q_EMIT static_cast<SwatchGrid *>(view.data())->chosen(index());
        }
    }

protected:
    QRect localRect() const override { return view->visualRect(index()); }
    void addState(QAccessible::State &state) const override
    {
        const bool current = view->currentIndex() == index();
        state.selectable = true;
        state.selected = current;
        state.focused = current && view->hasFocus();
    }

private:
    QModelIndex index() const { return view->model()->index(row_, 0, view->rootIndex()); }

    int row_;
};

} // namespace

SwatchGridAccessible::SwatchGridAccessible(SwatchGrid *grid)
    : QAccessibleWidget(grid, QAccessible::List)
{ }

SwatchGridAccessible::~SwatchGridAccessible()
{
    forgetRowsFrom(0);
}

SwatchGrid *SwatchGridAccessible::grid() const
{
    return static_cast<SwatchGrid *>(widget());
}

int SwatchGridAccessible::rows() const
{
    const SwatchGrid *view = grid();
    return view && view->model() ? view->model()->rowCount(view->rootIndex()) : 0;
}

int SwatchGridAccessible::childCount() const
{
    // A label's editor follows the cells while it is open.
    return rows() + (grid()->openEditor() ? 1 : 0);
}

QAccessibleInterface *SwatchGridAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (index == rows())
        return QAccessible::queryAccessibleInterface(grid()->openEditor());
    if (const auto made = cells_.constFind(index); made != cells_.constEnd())
        return QAccessible::accessibleInterface(*made);
    auto *cell = new CellAccessible(grid(), index);
    cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int SwatchGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (QWidget *editor = grid()->openEditor(); editor && child && child->object() == editor)
        return rows();
    for (auto made = cells_.constBegin(); made != cells_.constEnd(); ++made) {
        if (QAccessible::accessibleInterface(made.value()) == child)
            return made.key();
    }
    return -1;
}

QAccessibleInterface *SwatchGridAccessible::childAt(int x, int y) const
{
    const SwatchGrid *view = grid();
    const QModelIndex index = view->indexAt(view->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? child(index.row()) : nullptr;
}

QAccessibleInterface *SwatchGridAccessible::focusChild() const
{
    const SwatchGrid *view = grid();
    if (QWidget *editor = view->openEditor(); editor && editor->hasFocus())
        return QAccessible::queryAccessibleInterface(editor);
    return view->hasFocus() && view->currentIndex().isValid() ? child(view->currentIndex().row()) : nullptr;
}

void SwatchGridAccessible::forgetRowsFrom(int first)
{
    for (auto made = cells_.begin(); made != cells_.end();) {
        if (made.key() >= first) {
            QAccessible::deleteAccessibleInterface(made.value());
            made = cells_.erase(made);
        } else {
            ++made;
        }
    }
}

QAccessibleInterface *SwatchGridAccessible::create(const QString &className, QObject *object)
{
    if (className == QLatin1String("pigmentry::SwatchGrid") && object && object->isWidgetType())
        return new SwatchGridAccessible(static_cast<SwatchGrid *>(object));
    return nullptr;
}

// The grid's own part in what a screen reader hears.

QWidget *SwatchGrid::openEditor() const
{
    if (state() != EditingState)
        return nullptr;
    const QList<QWidget *> children = viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    const auto shown = std::find_if(children.cbegin(), children.cend(), [](QWidget *w) { return w->isVisible(); });
    return shown == children.cend() ? nullptr : *shown;
}

void SwatchGrid::announceCurrent()
{
    if (!QAccessible::isActive() || !hasFocus() || !currentIndex().isValid())
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(currentIndex().row());
    QAccessible::updateAccessibility(&event);
}

void SwatchGrid::forgetAccessibleRows(int first)
{
    if (!QAccessible::isActive())
        return;
    if (auto *grid = dynamic_cast<SwatchGridAccessible *>(QAccessible::queryAccessibleInterface(this)))
        grid->forgetRowsFrom(first);
}

} // namespace pigmentry
