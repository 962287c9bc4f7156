// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_file_dialogs.h"

#include "taskbar.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPointer>

namespace pigmentry {

namespace {

// Panels open over the window the user works in.
QWidget *owner(QWidget *parent)
{
    return parent ? parent : QApplication::activeWindow();
}

// The window the panel was over has the keyboard again once it closes.
void giveBack(QWidget *working)
{
    if (working && working->isVisible())
        bringToFront(working);
}

} // namespace

std::optional<QString> QtFileDialogs::saveFile(const QString &proposedName, const QStringList &filters,
                                               QString *chosenFilter)
{
    QString selected = filters.value(0);
    const QPointer<QWidget> working = owner(parent_);
    const QString path = QFileDialog::getSaveFileName(working, QString(), QDir::home().filePath(proposedName),
                                                      filters.join(QLatin1String(";;")), &selected);
    giveBack(working);
    if (path.isEmpty())
        return std::nullopt;
    if (chosenFilter)
        *chosenFilter = selected;
    return path;
}

std::optional<QString> QtFileDialogs::openFile(const QStringList &filters)
{
    const QPointer<QWidget> working = owner(parent_);
    const QString path = QFileDialog::getOpenFileName(working, QString(), QString(), filters.join(QLatin1String(";;")));
    giveBack(working);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace pigmentry
