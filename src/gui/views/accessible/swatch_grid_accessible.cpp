#include "swatch_grid_accessible.h"

#include "gui/views/swatch_grid.h"
#include "model/color_roles.h"

#include <QCoreApplication>
#include <QPointer>

namespace pigmentry {

namespace {

// One cell: a list item that reads its row afresh at every question.
class CellAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CellAccessible(SwatchGrid *grid, int row)
        : grid(grid)
        , row(row)
    { }

    bool isValid() const override { return grid && grid->model() && row < grid->model()->rowCount(grid->rootIndex()); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return grid ? grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(grid.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString &) override { }

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

    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QRect local = grid->visualRect(index());
        return QRect(grid->viewport()->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.focusable = true;
        state.selectable = true;
        const bool current = grid->currentIndex() == index();
        state.selected = current;
        state.focused = current && grid->hasFocus();
        const QRect shown = grid->viewport()->rect();
        if (!shown.intersects(grid->visualRect(index()))) {
            state.invisible = true;
            state.offscreen = true;
        }
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
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
            grid->setFocus(Qt::OtherFocusReason);
            grid->setCurrentIndex(index());
        } else if (action == pressAction()) {
            grid->setCurrentIndex(index());
            Q_EMIT grid->chosen(index());
        }
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QModelIndex index() const { return grid->model()->index(row, 0, grid->rootIndex()); }

    QPointer<SwatchGrid> grid;
    int row;
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

int SwatchGridAccessible::childCount() const
{
    const SwatchGrid *view = grid();
    return view && view->model() ? view->model()->rowCount(view->rootIndex()) : 0;
}

QAccessibleInterface *SwatchGridAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const auto made = cells.constFind(index); made != cells.constEnd())
        return QAccessible::accessibleInterface(*made);
    auto *cell = new CellAccessible(grid(), index);
    cells.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int SwatchGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (auto made = cells.constBegin(); made != cells.constEnd(); ++made) {
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
    return view->hasFocus() && view->currentIndex().isValid() ? child(view->currentIndex().row()) : nullptr;
}

void SwatchGridAccessible::forgetRowsFrom(int first)
{
    for (auto made = cells.begin(); made != cells.end();) {
        if (made.key() >= first) {
            QAccessible::deleteAccessibleInterface(made.value());
            made = cells.erase(made);
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

} // namespace pigmentry
