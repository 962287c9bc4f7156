// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/file_dialogs.h"

class QWidget;

namespace pigmentry {

// The desktop's own file panels through QFileDialog.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget *parent = nullptr)
        : parent_(parent)
    { }
    std::optional<QString> saveFile(const QString &proposedName, const QStringList &filters = {},
                                    QString *chosenFilter = nullptr) override;
    std::optional<QString> openFile(const QStringList &filters = {}) override;

private:
    QWidget *parent_;
};

} // namespace pigmentry
