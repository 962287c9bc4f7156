// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

namespace pigmentry {

// Where the store and the library file take the current time from, so that
// tests can fix it.
class Clock {
public:
    virtual ~Clock() = default;
    // The current time in UTC.
    virtual QDateTime now() const = 0;
};

// The real time of the system.
const Clock &systemClock();

} // namespace pigmentry
