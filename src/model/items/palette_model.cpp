// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/items/palette_model.h"

#include "model/library/store.h"

namespace pigmentry {

PaletteModel::PaletteModel(Store &store, QObject *parent)
    : QAbstractListModel(parent)
    , store_(store)
    , rows_(store.library().palettes)
{
    connect(&store, &Store::palettesInserted, this, [this](int first, int last) {
        beginInsertRows(QModelIndex(), first, last);
        for (int row = first; row <= last; ++row)
            rows_.insert(row, this->store_.library().palettes.at(row));
        endInsertRows();
    });
    connect(&store, &Store::palettesRemoved, this, [this](int first, int last) {
        beginRemoveRows(QModelIndex(), first, last);
        rows_.remove(first, last - first + 1);
        endRemoveRows();
    });
    connect(&store, &Store::paletteEdited, this, [this](int row) {
        rows_[row] = this->store_.library().palettes.at(row);
        Q_EMIT dataChanged(index(row), index(row));
    });
    connect(&store, &Store::palettesReset, this, [this] {
        beginResetModel();
        rows_ = this->store_.library().palettes;
        endResetModel();
    });
}

int PaletteModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant PaletteModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Palette &palette = rows_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case NameRole: return palette.name;
    case IdRole: return palette.id;
    case ColorsRole: return QVariant::fromValue(palette.colors);
    case NotesRole: return palette.notes;
    case ColorNamesRole: return palette.colorNames;
    default: return {};
    }
}

bool PaletteModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    if (role == NotesRole) {
        store_.setPaletteNotes(rows_.at(index.row()).id, value.toString());
        return true;
    }
    if (role != Qt::EditRole && role != NameRole)
        return false;
    store_.renamePalette(rows_.at(index.row()).id, value.toString());
    return true;
}

Qt::ItemFlags PaletteModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

} // namespace pigmentry
