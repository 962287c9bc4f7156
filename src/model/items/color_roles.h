// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

namespace pigmentry {

// The roles of the models of colours, which the swatch views read: every
// colour model gives the first two (a harmony row, an image's colours), the
// history all of them.
enum ColorModelRole : int {
    ColorRole = Qt::UserRole + 1, // RGBA
    HexRole, // "#RRGGBB"
    IdRole, // QUuid
    LabelRole, // QString, editable
    FavoriteRole, // bool, editable
    DateRole, // QDateTime, UTC
};

} // namespace pigmentry
