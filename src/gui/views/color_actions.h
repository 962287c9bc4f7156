// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QUuid>

#include <functional>
#include <utility>

class QMenu;

namespace pigmentry {

// What a context menu can do with the colours it was opened on: the same
// actions in the same order in every view of colours. The view may change
// while the menu is open (a pick from the shortcut, a change in another
// window); valid says whether what the menu was opened on is still there,
// and when it is not, every action does nothing.
struct ColorActions {
    int count = 1;
    std::function<bool()> valid;
    std::function<void()> copy;
    // A null id asks for a new palette.
    std::function<void(const QUuid &)> addToPalette;
    QList<std::pair<QUuid, QString>> paletteChoices;
    std::function<void()> exportAsPalette;
    std::function<void()> remove;

    // f, run only while the colours are still there.
    std::function<void()> guarded(std::function<void()> f) const;
};

// Adds "Copy" (or "Copy N Colors"), what between adds, "Add to Palette" with
// "New Palette" and the choices, "Export as Palette…", a separator and
// "Remove" (or "Remove N Colors").
void addColorActions(QMenu &menu, const ColorActions &actions, const std::function<void(QMenu &)> &between = {});

} // namespace pigmentry
