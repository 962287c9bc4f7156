#include "qt_file_dialogs.h"

#include <QDir>
#include <QFileDialog>

namespace pigmentry {

std::optional<QString> QtFileDialogs::saveFile(const QString &proposedName)
{
    const QString path =
        QFileDialog::getSaveFileName(parent_, QString(), QDir::home().filePath(proposedName));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtFileDialogs::openFile()
{
    const QString path = QFileDialog::getOpenFileName(parent_);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace pigmentry
