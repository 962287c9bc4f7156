// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace pigmentry {

class PaletteList;

// The palette cards as a screen reader meets them: a list of cards, each a
// group holding the palette's name (editable text), its colours and the
// Export, Duplicate and Delete buttons, every one of which can be reached
// and pressed as with the pointer. Parts are made when first asked for.
class PaletteListAccessible : public QAccessibleWidget {
public:
    explicit PaletteListAccessible(PaletteList *list);
    ~PaletteListAccessible() override;

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    // The part of a card at row: -1 for the card itself, then the name, the
    // notes, the colours in order, and the three buttons.
    QAccessibleInterface *part(int row, int part) const;
    // The part that is the colour at position.
    static int partOfColor(int position);
    // Every part made so far is let go: the cards have changed.
    void forgetParts();

    // Made for every PaletteList, by the accessibility factory.
    static QAccessibleInterface *create(const QString &className, QObject *object);

private:
    PaletteList *list() const;
    mutable QHash<quint64, QAccessible::Id> parts_;
};

} // namespace pigmentry
