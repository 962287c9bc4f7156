// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QAbstractItemModel;

namespace pigmentry {

class Label;
class Preferences;
class Store;
class SwatchGrid;

// What the tool pages share.

// A row of swatch tiles over a colour model: a click (or Return) selects the
// colour, the selected one is outlined, and a tile drags out as its code.
SwatchGrid *tileRow(Store &store, Preferences &prefs, QAbstractItemModel *model);
// A caption under a page's cards: small, secondary, wrapped.
Label *pageCaption(const QString &text);

} // namespace pigmentry
