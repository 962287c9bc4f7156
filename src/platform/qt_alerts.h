// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/picker_desktop.h"

namespace pigmentry {

// Modal alerts through QMessageBox.
class QtAlerts : public Alerts {
public:
    int ask(const QString &message, const QString &informative, const QStringList &buttons) override;
    void inform(const QString &message, const QString &informative) override;
};

} // namespace pigmentry
