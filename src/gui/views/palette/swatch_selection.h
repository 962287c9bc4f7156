// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

namespace pigmentry {

// Which colours of one palette card the keyboard and the pointer have
// chosen: the colour in focus (-1: the card itself), the colours marked
// together, and the anchor that Shift extends the mark from.
class SwatchSelection {
public:
    int focused() const { return focused_; }
    // Whether position is one of several marked.
    bool isMarked(int position) const { return marked_.size() > 1 && marked_.contains(position); }
    bool contains(int position) const { return marked_.contains(position); }
    // What an action on the colour at position applies to: the marked
    // colours when position is one of them, else position alone; ascending.
    QList<int> actedOn(int position) const;
    // What the keys act on: the marked colours, or the one in focus.
    QList<int> keyTargets() const { return marked_.isEmpty() ? QList<int>{focused_} : marked_; }

    // Nothing in focus, nothing marked: another card, or a new list.
    void clear();
    // Focus on position (-1: the card), marking it alone, or with extend
    // everything from the anchor to it.
    void focus(int position, bool extend = false);
    // Focus on position and add it to the mark, or take it out.
    void toggle(int position);
    // Every colour of a card of count colours.
    void selectAll(int count);
    // The colours at positions (ascending) were removed from a card of
    // count colours: focus on the colour that took the first one's place.
    void removed(const QList<int> &positions, int count);
    // The card now has count colours.
    void fit(int count);

private:
    int focused_ = -1;
    QList<int> marked_;
    int anchor_ = -1;
};

} // namespace pigmentry
