#include "qt_file_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace pigmentry {

namespace {

// Panels open over the window the user works in.
QWidget *owner(QWidget *parent)
{
    return parent ? parent : QApplication::activeWindow();
}

} // namespace

std::optional<QString> QtFileDialogs::saveFile(const QString &proposedName, const QStringList &filters,
                                               QString *chosenFilter)
{
    QString selected = filters.value(0);
    const QString path = QFileDialog::getSaveFileName(owner(parent_), QString(), QDir::home().filePath(proposedName),
                                                      filters.join(QLatin1String(";;")), &selected);
    if (path.isEmpty())
        return std::nullopt;
    if (chosenFilter)
        *chosenFilter = selected;
    return path;
}

std::optional<QString> QtFileDialogs::openFile(const QStringList &filters)
{
    const QString path = QFileDialog::getOpenFileName(owner(parent_), QString(), QString(), filters.join(QLatin1String(";;")));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace pigmentry
