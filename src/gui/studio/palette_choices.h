// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/library/library.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <utility>

namespace pigmentry {

// The palettes as a menu lists them, in library order: each by its name, an
// unnamed one as "Untitled Palette", and palettes that share a name told
// apart by their place among them and their size: "Sunset (2, 5 colors)".
QList<std::pair<QUuid, QString>> paletteChoices(const Library &library);

} // namespace pigmentry
