// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_alerts.h"

#include "taskbar.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace pigmentry {

namespace {

// The alert over the window the user works in, which has the keyboard
// again once it closes (a window kept out of the taskbar is passed over
// by some window managers when they choose where focus goes).
void exec(QMessageBox &box)
{
    const QPointer<QWidget> working = QApplication::activeWindow();
    if (working) {
        box.setParent(working, box.windowFlags());
        box.setWindowModality(Qt::ApplicationModal);
    }
    box.exec();
    if (working && working->isVisible())
        bringToFront(working);
}

} // namespace

int QtAlerts::ask(const QString &message, const QString &informative, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Pigmentry"), message);
    box.setInformativeText(informative);
    QList<QAbstractButton *> added;
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const auto role = i == buttons.size() - 1 && i > 0 ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        added.append(box.addButton(buttons.at(i), role));
    }
    if (!added.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton *>(added.first()));
    exec(box);
    return int(added.indexOf(box.clickedButton()));
}

void QtAlerts::inform(const QString &message, const QString &informative)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Pigmentry"), message, QMessageBox::Ok);
    box.setInformativeText(informative);
    exec(box);
}

} // namespace pigmentry
