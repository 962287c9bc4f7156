// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_accessible.h"

#include <QAccessibleWidget>

namespace pigmentry {

namespace {

const char *const roleProperty = "pigmentryAccessibleRole";

QAccessibleInterface *widgetInterface(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    const QVariant role = widget->property(roleProperty);
    return role.isValid() ? new QAccessibleWidget(widget, QAccessible::Role(role.toInt())) : nullptr;
}

} // namespace

void announceAs(QWidget *widget, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(&widgetInterface);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(roleProperty, int(role));
}

void announceAsWindow(QWidget *window)
{
    announceAs(window, QAccessible::Window);
}

} // namespace pigmentry
