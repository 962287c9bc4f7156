// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace pigmentry {

// The desktop clipboard as the store uses it: one plain-text string at a
// time. The desktop layer gives the real one; tests give a fake.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Clears the clipboard, then puts text on it as plain text, even when the
    // same text is already there.
    virtual void setText(const QString &text) = 0;
};

} // namespace pigmentry
