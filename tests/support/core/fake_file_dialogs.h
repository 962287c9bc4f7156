#pragma once

#include "tools/file_dialogs.h"

#include <QStringList>

namespace pigmentry::test {

// Answers the panels with a prepared path, or cancels when none is set, and
// remembers what was proposed.
class FakeFileDialogs : public FileDialogs {
public:
    std::optional<QString> answer;
    QStringList proposedNames;
    int openCalls = 0;

    std::optional<QString> saveFile(const QString &proposedName) override
    {
        proposedNames.append(proposedName);
        return answer;
    }
    std::optional<QString> openFile() override
    {
        ++openCalls;
        return answer;
    }
};

} // namespace pigmentry::test
