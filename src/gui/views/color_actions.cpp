// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/color_actions.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>

namespace pigmentry {

std::function<void()> ColorActions::guarded(std::function<void()> f) const
{
    return [valid = valid, f = std::move(f)] {
        if (!valid || valid())
            f();
    };
}

void addColorActions(QMenu &menu, const ColorActions &actions, const std::function<void(QMenu &)> &between)
{
    const bool one = actions.count == 1;
    menu.addAction(one ? QCoreApplication::translate("ColorActions", "Copy")
                       : QCoreApplication::translate("ColorActions", "Copy %n Colors", nullptr, actions.count),
                   QKeySequence::Copy, actions.guarded(actions.copy));
    if (between)
        between(menu);
    QMenu *palettes = menu.addMenu(QCoreApplication::translate("ColorActions", "Add to Palette"));
    palettes->addAction(QCoreApplication::translate("ColorActions", "New Palette"),
                        actions.guarded([add = actions.addToPalette] { add(QUuid()); }));
    if (!actions.paletteChoices.isEmpty())
        palettes->addSeparator();
    for (const auto &[id, shown] : actions.paletteChoices)
        palettes->addAction(shown, actions.guarded([add = actions.addToPalette, id = id] { add(id); }));
    menu.addAction(QCoreApplication::translate("ColorActions", "Export as Palette…"),
                   actions.guarded(actions.exportAsPalette));
    menu.addSeparator();
    menu.addAction(one ? QCoreApplication::translate("ColorActions", "Remove")
                       : QCoreApplication::translate("ColorActions", "Remove %n Colors", nullptr, actions.count),
                   QKeySequence(Qt::Key_Delete), actions.guarded(actions.remove));
}

} // namespace pigmentry
