// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace pigmentry::test {

// The child of root with that object name (or accessible name) that is on
// screen, as a user would find it; nullptr when there is none.
template <typename T = QWidget>
T *shown(const QWidget *root, const QString &name)
{
    const QList<T *> children = root->findChildren<T *>();
    for (T *child : children) {
        if ((child->objectName() == name || child->accessibleName() == name) && child->isVisible())
            return child;
    }
    return nullptr;
}

// The same, visible or not.
template <typename T = QWidget>
T *named(const QWidget *root, const QString &name)
{
    const QList<T *> children = root->findChildren<T *>();
    for (T *child : children) {
        if (child->objectName() == name || child->accessibleName() == name)
            return child;
    }
    return nullptr;
}

} // namespace pigmentry::test
