// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace pigmentry {

class AppDelegate;

// Writes a screenshot of the popover and of every Studio page of app into
// folder, with the colours of image on the extraction page when given; the
// files written. What was shown before is shown again after.
QStringList saveTour(AppDelegate &app, const QString &folder, const QString &image = QString());

} // namespace pigmentry
