// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/file_dialogs.h"

#include <QStringList>

namespace pigmentry::test {

// Answers the panels with a prepared path, or cancels when none is set, and
// remembers what was proposed.
class FakeFileDialogs : public FileDialogs {
public:
    std::optional<QString> answer;
    // The filter the user is taken to have chosen; the first one offered when
    // empty.
    QString filter;
    QStringList proposedNames;
    QStringList offeredFilters;
    int openCalls = 0;

    std::optional<QString> saveFile(const QString &proposedName, const QStringList &filters,
                                    QString *chosenFilter) override
    {
        proposedNames.append(proposedName);
        offeredFilters = filters;
        if (answer && chosenFilter)
            *chosenFilter = filter.isEmpty() ? filters.value(0) : filter;
        return answer;
    }
    QStringList openFilters;
    std::optional<QString> openFile(const QStringList &filters) override
    {
        ++openCalls;
        openFilters = filters;
        return answer;
    }
};

} // namespace pigmentry::test
