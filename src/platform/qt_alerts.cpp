#include "qt_alerts.h"

#include <QMessageBox>
#include <QPushButton>

namespace pigmentry {

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
    box.exec();
    return int(added.indexOf(box.clickedButton()));
}

void QtAlerts::inform(const QString &message, const QString &informative)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Pigmentry"), message, QMessageBox::Ok);
    box.setInformativeText(informative);
    box.exec();
}

} // namespace pigmentry
