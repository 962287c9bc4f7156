// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace pigmentry {

namespace {

const char *const windowProperty = "pigmentryAccessibleWindow";

QAccessibleInterface *windowInterface(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && widget->property(windowProperty).toBool())
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void announceAsWindow(QWidget *window)
{
    static const bool installed = [] {
        QAccessible::installFactory(&windowInterface);
        return true;
    }();
    Q_UNUSED(installed);
    window->setProperty(windowProperty, true);
}

} // namespace pigmentry
