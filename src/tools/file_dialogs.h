// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace pigmentry {

// The modal open and save panels. Each answers with the chosen file's path,
// or nothing when the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // A save panel that proposes proposedName. With filters ("JSON palette
    // (*.json)"), the user chooses among them and chosenFilter receives the
    // one in use; without, there is no type restriction.
    virtual std::optional<QString> saveFile(const QString &proposedName, const QStringList &filters = {},
                                            QString *chosenFilter = nullptr) = 0;
    // An open panel for one file: of any type, or of the types the filters
    // name ("Images (*.png *.jpg)").
    virtual std::optional<QString> openFile(const QStringList &filters = {}) = 0;
};

} // namespace pigmentry
