// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/library/library.h"

#include <QByteArrayView>

#include <optional>

namespace pigmentry {

// Reads a library file as Pigmentry writes it straight from its bytes, with
// no JSON document between: several times faster than parseJsonObject() and
// Library::fromJson(), and without the document's memory. It takes nothing
// it is not sure of (a key it does not know or meets twice, a value of
// another type, an escape, a number it might read otherwise than Qt does);
// it then gives nothing, and the general reader reads the file and says
// what is wrong. What it gives is exactly what the general reader gives.
std::optional<Library> scanLibrary(QByteArrayView bytes);

} // namespace pigmentry
