// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace pigmentry {

class SwatchGrid;

// The grid as a screen reader meets it: a list whose items are the cells,
// each named by the model's accessible text, focused and selected with the
// keyboard's place, and pressed to choose the colour as a click does; an
// editor open on a cell comes after the cells. The cells are made when first
// asked for and live as long as their row does.
class SwatchGridAccessible : public QAccessibleWidget {
public:
    explicit SwatchGridAccessible(SwatchGrid *grid);
    ~SwatchGridAccessible() override;

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    // The cells of rows that are gone, or of every row, are let go.
    void forgetRowsFrom(int first);

    // Made for every SwatchGrid, by the accessibility factory.
    static QAccessibleInterface *create(const QString &className, QObject *object);

private:
    SwatchGrid *grid() const;
    int rows() const;
    mutable QHash<int, QAccessible::Id> cells_;
};

} // namespace pigmentry
