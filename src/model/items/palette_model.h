// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/library/library.h"

#include <QAbstractListModel>

namespace pigmentry {

class Store;

// The palettes of a store, in library order; the name and the notes are
// editable.
class PaletteModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        IdRole = Qt::UserRole + 1, // QUuid
        NameRole, // QString, editable
        ColorsRole, // QList<RGBA>
        NotesRole, // QString, editable
        ColorNamesRole, // QStringList, the colours' own names by position
    };

    explicit PaletteModel(Store &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const Palette &palette(int row) const { return rows_.at(row); }

private:
    Store &store_;
    QList<Palette> rows_;
};

} // namespace pigmentry
