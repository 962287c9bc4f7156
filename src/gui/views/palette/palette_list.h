// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/views/palette/palette_card.h"
#include "gui/views/palette/swatch_selection.h"
#include "model/color/rgba.h"

#include <QListView>
#include <QUuid>

namespace pigmentry {

// The palettes as a list of cards. Up and Down move between cards, Left and
// Right between the current card's colours; F2 renames (Shift+F2 edits the
// notes, F2 on a colour names it), Delete removes the
// colour in focus or else the palette, Space or Return chooses the colour in
// focus, Ctrl+C copies it. Several colours of a card are selected with
// Ctrl+click, Shift+click, Shift+Left/Right and Ctrl+A, and copied, removed,
// added to a palette or exported together. Ctrl+Shift+Left/Right moves the
// colour in focus, Ctrl+Shift+Up/Down the palette; dragging does the same
// (a colour within its card, a card by its background). A colour dragged onto
// another card joins that palette.
class PaletteList : public QListView {
    Q_OBJECT

public:
    // selected gives the store's selected colour, for the tiles' outline.
    explicit PaletteList(std::function<RGBA()> selected, QWidget *parent = nullptr);
    // The delegate calls for the width its cards take.
    int cardWidth() const;
    // What the cards mark: the part under the pointer (of the card under
    // it), the swatch in keyboard focus on the current card (-1: the card
    // itself), the card under a drag.
    PaletteCardDelegate::Part hoveredPart(const QModelIndex &index) const
    {
        return index == hovered_ ? hoveredPart_ : PaletteCardDelegate::Part{};
    }
    int focusedSwatch() const { return swatches_.focused(); }
    // Whether the swatch at position is one of several selected on the card.
    bool isMarked(const QModelIndex &index, int position) const
    {
        return index == currentIndex() && swatches_.isMarked(position);
    }
    // The positions an action on the colour at position applies to: the
    // selection when position is in it, else position alone; ascending.
    QList<int> actedOn(int position) const { return swatches_.actedOn(position); }
    // The palettes selected colours can be added to, by id and shown name.
    void setPaletteChoices(std::function<QList<std::pair<QUuid, QString>>()> choices)
    {
        paletteChoices_ = std::move(choices);
    }
    // A card's menu offers a pick into its palette, which this starts.
    void setPickIntoPalette(std::function<void(const QUuid &)> pick) { pickIntoPalette_ = std::move(pick); }
    bool isDropTarget(const QModelIndex &index) const { return index.isValid() && index == dropTarget_; }
    // What a click on the part does: edit the name, choose a colour, or
    // ask for the button's action.
    void activate(const QModelIndex &index, const PaletteCardDelegate::Part &part);
    int colorCount(const QModelIndex &index) const;
    RGBA colorAt(const QModelIndex &index, int position) const;
    QString colorNameAt(const QModelIndex &index, int position) const;
    // Opens the editor on the card's name or its notes.
    void editText(const QModelIndex &index, PaletteCardDelegate::Part::Kind kind);
    // The text the open editor is for: Name or Notes.
    PaletteCardDelegate::Part::Kind editedText() const { return edited_; }
    // What a card dragged by its background carries: its row.
    static QString paletteType();
    // Colours drag out of the cards as application/x-color and this text.
    void setDragText(std::function<QString(const RGBA &)> text) { dragText_ = std::move(text); }

Q_SIGNALS:
    void colorChosen(const RGBA &color, const QString &name);
    void copyColorsRequested(const QList<RGBA> &colors);
    // A null palette asks for a new one.
    void addColorsRequested(const QList<RGBA> &colors, const QUuid &palette);
    void exportColorsRequested(const QList<RGBA> &colors);
    void moveColorRequested(const QUuid &palette, int from, int to);
    void movePaletteRequested(int from, int to);
    // The colour at position wants a name of its own.
    void nameColorRequested(const QUuid &palette, int position);
    void exportRequested(const QUuid &palette);
    void duplicateRequested(const QUuid &palette);
    void deleteRequested(const QUuid &palette);
    void removeColorsRequested(const QUuid &palette, const QList<int> &positions);
    void colorDropped(const QUuid &palette, const RGBA &color, const QString &name);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) override;
    void rowsInserted(const QModelIndex &parent, int first, int last) override;
    void rowsAboutToBeRemoved(const QModelIndex &parent, int first, int last) override;
    void reset() override;

private:
    PaletteCardDelegate::Part partAt(const QModelIndex &index, const QPoint &point) const;
    QUuid idOf(const QModelIndex &index) const;
    // The accessible cards no longer stand for what they showed.
    void forgetAccessibleCards();
    // A screen reader hears the keyboard's place: the card, or its colour.
    void announceFocus();
    void setHovered(const QModelIndex &index, const PaletteCardDelegate::Part &part);
    void setDropTarget(const QModelIndex &index);
    QList<RGBA> colorsAt(const QModelIndex &index, const QList<int> &positions) const;
    // Focuses the colour at position of the current card (-1: the card),
    // with extend marking from the anchor to it, and shows it.
    void focusSwatch(int position, bool extend = false);
    void moveFocusedColor(int by);
    void moveCurrentPalette(int by);

    QPersistentModelIndex hovered_, pressed_, dropTarget_;
    PaletteCardDelegate::Part hoveredPart_, pressedPart_;
    QPoint pressPosition_;
    SwatchSelection swatches_;
    std::function<QList<std::pair<QUuid, QString>>()> paletteChoices_;
    std::function<void(const QUuid &)> pickIntoPalette_;
    PaletteCardDelegate::Part::Kind edited_ = PaletteCardDelegate::Part::Name;
    std::function<QString(const RGBA &)> dragText_;
};

} // namespace pigmentry
