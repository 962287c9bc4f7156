// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/library/clock.h"

#include <QTimeZone>

namespace pigmentry::test {

// A clock that stands still until the test moves it.
class FakeClock : public Clock {
public:
    QDateTime time = QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26), QTimeZone::utc());

    QDateTime now() const override { return time; }
    void advance(qint64 seconds) { time = time.addSecs(seconds); }
};

} // namespace pigmentry::test
