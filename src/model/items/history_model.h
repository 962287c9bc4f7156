// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/items/color_roles.h"
#include "model/library/library.h"

#include <QAbstractListModel>
#include <QSortFilterProxyModel>

namespace pigmentry {

class Store;

// The history of a store as a list model, newest first, kept in step with
// the store's item-level reports: a capture inserts one row (and removes the
// ones it replaces), a label or star edit changes one row. With a limit the
// model shows only the first that-many records. Its rows have every colour
// role.
class HistoryModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit HistoryModel(Store &store, int limit = -1, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QHash<int, QByteArray> roleNames() const override;

    const ColorRecord &record(int row) const { return rows_.at(row); }

private:
    void inserted(int first, int last);
    void removed(int first, int last);
    void edited(int row);
    void reset();
    // For a limited model: the first records of the store, whatever changed.
    void refresh();

    Store &store_;
    int limit_;
    QList<ColorRecord> rows_;
};

// The history as the Recent Colors and Favorites pages show it: favourites
// only when asked, and only records whose label followed by their hex code
// contains the search text, ignoring case.
class HistoryFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit HistoryFilter(QObject *parent = nullptr);

    void setFavoritesOnly(bool favoritesOnly);
    bool favoritesOnly() const { return favorites_; }
    // An empty search keeps every record; a search of spaces is not empty.
    void setSearch(const QString &search);
    const QString &search() const { return text_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    bool favorites_ = false;
    QString text_;
};

} // namespace pigmentry
