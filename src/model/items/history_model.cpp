// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/items/history_model.h"

#include "model/color/color_names.h"

#include <QCoreApplication>

#include "model/library/store.h"

namespace pigmentry {

HistoryModel::HistoryModel(Store &store, int limit, QObject *parent)
    : QAbstractListModel(parent)
    , store_(store)
    , limit_(limit)
{
    if (limit >= 0) {
        rows_ = store.library().history.mid(0, limit);
        // A handful of rows: one refresh per change of the library.
        connect(&store, &Store::libraryChanged, this, &HistoryModel::refresh);
        return;
    }
    rows_ = store.library().history;
    connect(&store, &Store::historyInserted, this, &HistoryModel::inserted);
    connect(&store, &Store::historyRemoved, this, &HistoryModel::removed);
    connect(&store, &Store::historyEdited, this, &HistoryModel::edited);
    connect(&store, &Store::historyReset, this, &HistoryModel::reset);
}

void HistoryModel::inserted(int first, int last)
{
    beginInsertRows(QModelIndex(), first, last);
    // Inserted rows stand where they stand in the store's new history.
    const QList<ColorRecord> &history = store_.library().history;
    for (int row = first; row <= last; ++row)
        rows_.insert(row, history.at(row));
    endInsertRows();
}

void HistoryModel::removed(int first, int last)
{
    beginRemoveRows(QModelIndex(), first, last);
    rows_.remove(first, last - first + 1);
    endRemoveRows();
}

void HistoryModel::edited(int row)
{
    rows_[row] = store_.library().history.at(row);
    const QModelIndex changed = index(row);
    Q_EMIT dataChanged(changed, changed);
}

void HistoryModel::reset()
{
    beginResetModel();
    rows_ = store_.library().history;
    endResetModel();
}

void HistoryModel::refresh()
{
    const QList<ColorRecord> next = store_.library().history.mid(0, limit_);
    if (next.size() > rows_.size()) {
        beginInsertRows(QModelIndex(), int(rows_.size()), int(next.size() - 1));
        rows_.append(next.mid(rows_.size()));
        endInsertRows();
    } else if (next.size() < rows_.size()) {
        beginRemoveRows(QModelIndex(), int(next.size()), int(rows_.size() - 1));
        rows_.resize(next.size());
        endRemoveRows();
    }
    // Only the rows whose record changed are repainted.
    for (qsizetype row = 0; row < next.size(); ++row) {
        if (rows_.at(row) == next.at(row))
            continue;
        rows_[row] = next.at(row);
        Q_EMIT dataChanged(index(int(row)), index(int(row)));
    }
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ColorRecord &record = rows_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case HexRole: return record.color.hex();
    case Qt::EditRole:
    case LabelRole: return record.label;
    case Qt::AccessibleTextRole:
        // What a screen reader says for the cell: "Color #3B82F6, Sky".
        return record.label.isEmpty() ? tr("Color %1").arg(record.color.hex())
                                      : tr("Color %1, %2").arg(record.color.hex(), record.label);
    case ColorRole: return QVariant::fromValue(record.color);
    case IdRole: return record.id;
    case FavoriteRole: return record.favorite;
    case DateRole: return dateFromReferenceSeconds(record.date);
    default: return {};
    }
}

bool HistoryModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const ColorRecord &record = rows_.at(index.row());
    if (role == Qt::EditRole || role == LabelRole) {
        store_.setLabel(value.toString(), record.id);
        return true;
    }
    if (role == FavoriteRole) {
        if (value.toBool() != record.favorite)
            store_.toggleFavorite(record.id);
        return true;
    }
    return false;
}

Qt::ItemFlags HistoryModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

QHash<int, QByteArray> HistoryModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert({{ColorRole, "color"},
                  {IdRole, "id"},
                  {LabelRole, "label"},
                  {FavoriteRole, "favorite"},
                  {DateRole, "date"},
                  {HexRole, "hex"}});
    return names;
}

HistoryFilter::HistoryFilter(QObject *parent)
    : QSortFilterProxyModel(parent)
{ }

void HistoryFilter::setFavoritesOnly(bool favoritesOnly)
{
    if (favorites_ == favoritesOnly)
        return;
    favorites_ = favoritesOnly;
    invalidateRowsFilter();
}

void HistoryFilter::setSearch(const QString &search)
{
    if (text_ == search)
        return;
    text_ = search;
    invalidateRowsFilter();
}

bool HistoryFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    if (favorites_ && !index.data(FavoriteRole).toBool())
        return false;
    if (text_.isEmpty())
        return true;
    // Label and hex code joined without a separator: "e#ff" finds Blue #FF….
    const QString haystack = index.data(LabelRole).toString() + index.data(HexRole).toString();
    if (haystack.contains(text_, Qt::CaseInsensitive))
        return true;
    // And what the colour is called: "sea blue".
    return colorName(index.data(ColorRole).value<RGBA>()).contains(text_, Qt::CaseInsensitive);
}

} // namespace pigmentry
