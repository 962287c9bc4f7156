// SPDX-License-Identifier: GPL-3.0-or-later
#include "palette_list_accessible.h"

#include "gui/kit/painted_item_accessible.h"
#include "gui/views/palette/palette_list.h"
#include "model/items/palette_model.h"

#include <QCoreApplication>

namespace pigmentry {

namespace {

using Part = PaletteCardDelegate::Part;

// What part `at` of a card with `colors` colours is: -1 the card, 0 the
// name, 1 the notes, then the colours, then the buttons.
constexpr int textParts = 2;

Part partNumbered(int at, int colors)
{
    if (at < 0)
        return {Part::Card};
    if (at == 0)
        return {Part::Name};
    if (at == 1)
        return {Part::Notes};
    if (at < textParts + colors)
        return {Part::Swatch, at - textParts};
    return {Part::Kind(Part::Export + (at - colors - textParts))};
}

int roleOf(Part::Kind kind)
{
    return kind == Part::Notes ? PaletteModel::NotesRole : PaletteModel::NameRole;
}

// One part of one card, read afresh at every question.
class CardPartAccessible : public PaintedItemAccessible {
public:
    CardPartAccessible(PaletteList *list, int row, int at)
        : PaintedItemAccessible(list)
        , row_(row)
        , at_(at)
    { }

    bool isValid() const override
    {
        return view && view->model() && row_ < view->model()->rowCount() && at_ < textParts + colors() + 3;
    }
    QAccessibleInterface *parent() const override
    {
        auto *cards =
            view ? dynamic_cast<PaletteListAccessible *>(QAccessible::queryAccessibleInterface(view.data())) : nullptr;
        return at_ < 0 || !cards ? cards : cards->part(row_, -1);
    }
    int childCount() const override { return at_ < 0 && isValid() ? textParts + colors() + 3 : 0; }
    QAccessibleInterface *child(int index) const override
    {
        if (at_ >= 0 || index < 0 || index >= childCount())
            return nullptr;
        auto *cards = dynamic_cast<PaletteListAccessible *>(QAccessible::queryAccessibleInterface(view.data()));
        return cards ? cards->part(row_, index) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            if (this->child(i) == child)
                return i;
        }
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            if (QAccessibleInterface *part = child(i); part->rect().contains(x, y))
                return part;
        }
        return nullptr;
    }

    QAccessible::Role role() const override
    {
        switch (part().kind) {
        case Part::Card: return QAccessible::ListItem;
        case Part::Name:
        case Part::Notes: return QAccessible::EditableText;
        case Part::Swatch: return QAccessible::ListItem;
        default: return QAccessible::Button;
        }
    }

    QString text(QAccessible::Text kind) const override
    {
        if (!isValid())
            return QString();
        const QString name = index().data(PaletteModel::NameRole).toString();
        const Part shown = part();
        if (kind == QAccessible::Value && (shown.kind == Part::Name || shown.kind == Part::Notes))
            return index().data(roleOf(shown.kind)).toString();
        if (kind != QAccessible::Name)
            return QString();
        switch (shown.kind) {
        case Part::Card: {
            const QString shownName =
                name.isEmpty() ? QCoreApplication::translate("PaletteList", "without a name") : name;
            return colors() == 1
                ? QCoreApplication::translate("PaletteList", "Palette %1, one color").arg(shownName)
                : QCoreApplication::translate("PaletteList", "Palette %1, %2 colors").arg(shownName).arg(colors());
        }
        case Part::Name: return QCoreApplication::translate("PaletteList", "Palette name");
        case Part::Notes: return QCoreApplication::translate("PaletteList", "Palette notes");
        case Part::Swatch: {
            // The colour's own name follows its code, as the grids say a label.
            const QString own = list()->colorNameAt(index(), shown.swatch);
            const QString color = QCoreApplication::translate("PaletteList", "Color %1")
                                      .arg(list()->colorAt(index(), shown.swatch).hex());
            return own.isEmpty() ? color : color + QLatin1String(", ") + own;
        }
        default: return PaletteCardDelegate::buttonText(shown.kind);
        }
    }
    void setText(QAccessible::Text kind, const QString &text) override
    {
        if (isValid() && kind == QAccessible::Value && (part().kind == Part::Name || part().kind == Part::Notes))
            list()->model()->setData(index(), text, roleOf(part().kind));
    }

    // The card itself is pressed through its parts.
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return at_ >= 0 ? PaintedItemAccessible::interface_cast(type) : nullptr;
    }
    void doAction(const QString &action) override
    {
        if (isValid() && action == pressAction()) {
            list()->setCurrentIndex(index());
            list()->activate(index(), part());
        }
    }

protected:
    QRect localRect() const override
    {
        return PaletteCardDelegate::partRect(list()->visualRect(index()), colors(), part());
    }
    void addState(QAccessible::State &state) const override
    {
        const Part shown = part();
        const bool current = list()->currentIndex() == index();
        if (shown.kind == Part::Card) {
            state.selectable = true;
            state.selected = current;
            state.focused = current && list()->hasFocus() && list()->focusedSwatch() < 0;
        } else if (shown.kind == Part::Swatch) {
            state.selectable = true;
            state.selected = current && list()->focusedSwatch() == shown.swatch;
            state.focused = state.selected && list()->hasFocus();
        } else if (shown.kind == Part::Name || shown.kind == Part::Notes) {
            state.editable = true;
        }
    }

private:
    PaletteList *list() const { return static_cast<PaletteList *>(view.data()); }
    QModelIndex index() const { return list()->model()->index(row_, 0); }
    int colors() const { return list()->colorCount(index()); }
    Part part() const { return partNumbered(at_, colors()); }

    int row_;
    int at_;
};

quint64 key(int row, int part)
{
    return (quint64(quint32(row)) << 32) | quint32(part + 1);
}

} // namespace

int PaletteListAccessible::partOfColor(int position)
{
    return textParts + position;
}

PaletteListAccessible::PaletteListAccessible(PaletteList *list)
    : QAccessibleWidget(list, QAccessible::List)
{ }

PaletteListAccessible::~PaletteListAccessible()
{
    forgetParts();
}

PaletteList *PaletteListAccessible::list() const
{
    return static_cast<PaletteList *>(widget());
}

int PaletteListAccessible::childCount() const
{
    return list()->model() ? list()->model()->rowCount() : 0;
}

QAccessibleInterface *PaletteListAccessible::child(int index) const
{
    return index >= 0 && index < childCount() ? part(index, -1) : nullptr;
}

QAccessibleInterface *PaletteListAccessible::part(int row, int part) const
{
    if (const auto made = parts_.constFind(key(row, part)); made != parts_.constEnd())
        return QAccessible::accessibleInterface(*made);
    auto *made = new CardPartAccessible(list(), row, part);
    parts_.insert(key(row, part), QAccessible::registerAccessibleInterface(made));
    return made;
}

int PaletteListAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (int row = 0; row < childCount(); ++row) {
        if (parts_.contains(key(row, -1)) && QAccessible::accessibleInterface(parts_.value(key(row, -1))) == child)
            return row;
    }
    return -1;
}

QAccessibleInterface *PaletteListAccessible::childAt(int x, int y) const
{
    const QModelIndex index = list()->indexAt(list()->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? child(index.row()) : nullptr;
}

QAccessibleInterface *PaletteListAccessible::focusChild() const
{
    const QModelIndex current = list()->currentIndex();
    if (!list()->hasFocus() || !current.isValid())
        return nullptr;
    const int swatch = list()->focusedSwatch();
    return swatch >= 0 ? part(current.row(), partOfColor(swatch)) : child(current.row());
}

void PaletteListAccessible::forgetParts()
{
    for (const QAccessible::Id id : std::as_const(parts_))
        QAccessible::deleteAccessibleInterface(id);
    parts_.clear();
}

QAccessibleInterface *PaletteListAccessible::create(const QString &className, QObject *object)
{
    if (className == QLatin1String("pigmentry::PaletteList") && object && object->isWidgetType())
        return new PaletteListAccessible(static_cast<PaletteList *>(object));
    return nullptr;
}

} // namespace pigmentry
