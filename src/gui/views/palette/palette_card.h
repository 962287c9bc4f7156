// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/views/inline_text_delegate.h"
#include "model/color/rgba.h"

#include <functional>

namespace pigmentry {

class PaletteList;

// One palette as a painted card: the name and the notes (an editor opens on
// each), its colours as swatch tiles wrapped into rows, and the buttons
// "Export", "Duplicate", "Delete". Rows of a PaletteModel, in the PaletteList that
// makes it, which says what to mark: the part under the pointer, the swatch
// in keyboard focus, the card under a drag.
class PaletteCardDelegate : public InlineTextDelegate {
    Q_OBJECT

public:
    struct Part {
        enum Kind { None, Card, Name, Notes, Swatch, Export, Duplicate, Delete };
        Kind kind = None;
        int swatch = -1; // the colour's position, for Swatch
        friend bool operator==(const Part &, const Part &) = default;
    };
    static constexpr int swatchWidth = 96;
    // The card's width with one column of colours.
    static constexpr int padding = 16;
    static constexpr int narrowestCard = 2 * padding + swatchWidth;

    PaletteCardDelegate(PaletteList *list, std::function<RGBA()> selected);

    // Where a part of the card in cell lies, and the part at point; colors
    // is the number of the palette's colours.
    static QRect partRect(const QRect &cell, int colors, const Part &part);
    static Part partAt(const QRect &cell, int colors, const QPoint &point);
    static int cardHeight(int width, int colors);
    // The text of the Export, Duplicate and Delete buttons.
    static const QString &buttonText(Part::Kind kind);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

protected:
    Editor editorFor(const QModelIndex &index) const override;

private:
    PaletteList *list_;
    std::function<RGBA()> selected_;
};

} // namespace pigmentry
