// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace pigmentry {

// Modal alerts of the desktop.
class Alerts {
public:
    virtual ~Alerts() = default;
    // The index of the button chosen (0 for the first, the default), or -1
    // when none was chosen.
    virtual int ask(const QString &message, const QString &informative, const QStringList &buttons) = 0;
    virtual void inform(const QString &message, const QString &informative) = 0;
};

} // namespace pigmentry
