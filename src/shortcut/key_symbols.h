// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace pigmentry {

// What a desktop calls a Qt key: the X11 key symbol that a grab looks up,
// and its XKB name that the portal's trigger grammar reads. 0 or empty for a
// key that no desktop service can grab.
quint32 keysymForKey(quint32 key);
QString keysymName(quint32 key);

} // namespace pigmentry
