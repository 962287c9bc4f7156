// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/items/color_list_model.h"

#include <QCoreApplication>

#include "model/items/color_roles.h"

namespace pigmentry {

void ColorListModel::setColors(const QList<RGBA> &colors)
{
    if (colors == colors_)
        return;
    if (colors.size() != colors_.size()) {
        beginResetModel();
        colors_ = colors;
        endResetModel();
        return;
    }
    colors_ = colors;
    Q_EMIT dataChanged(index(0), index(int(colors_.size()) - 1));
}

int ColorListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(colors_.size());
}

QVariant ColorListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= colors_.size())
        return {};
    const RGBA &color = colors_.at(index.row());
    switch (role) {
    case ColorRole: return QVariant::fromValue(color);
    case Qt::DisplayRole:
    case HexRole: return color.hex();
    case Qt::AccessibleTextRole: return tr("Color %1").arg(color.hex());
    default: return {};
    }
}

} // namespace pigmentry
