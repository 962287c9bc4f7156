// SPDX-License-Identifier: GPL-3.0-or-later
#include "tool_parts.h"

#include "gui/kit/labels.h"
#include "gui/kit/theme.h"
#include "gui/views/swatch_delegate.h"
#include "gui/views/swatch_grid.h"
#include "model/items/color_roles.h"
#include "model/library/preferences.h"
#include "model/library/store.h"

#include <QCoreApplication>

namespace pigmentry {

SwatchGrid *tileRow(Store &store, Preferences &prefs, QAbstractItemModel *model)
{
    auto *tiles = new SwatchGrid;
    tiles->setCellSize(110, SwatchDelegate::tileHeight, false);
    tiles->setSpacing(8);
    tiles->setFitsContent(true);
    auto *delegate = new SwatchDelegate(
        SwatchDelegate::Look::Tile, [&store] { return store.selected(); }, tiles);
    delegate->setToolTipPrefix(QCoreApplication::translate("ToolParts", "Inspect "));
    tiles->setItemDelegate(delegate);
    tiles->setModel(model);
    tiles->followSelection(store);
    tiles->setDragText([&prefs](const RGBA &color) { return color.formatted(prefs.format()); });
    QObject::connect(tiles, &SwatchGrid::chosen, tiles,
                     [&store](const QModelIndex &index) { store.select(index.data(ColorRole).value<RGBA>()); });
    return tiles;
}

Label *pageCaption(const QString &text)
{
    Label *label = textLabel(text, theme::font(11), theme::Tone::Secondary);
    label->setWordWrap(true);
    return label;
}

} // namespace pigmentry
