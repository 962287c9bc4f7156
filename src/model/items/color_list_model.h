// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/items/color_roles.h"
#include "model/color/rgba.h"

#include <QAbstractListModel>

namespace pigmentry {

// A short list of colours (a harmony row, the colours taken from an image)
// for the swatch views, with the colour and hex roles.
// Setting an equal list changes nothing; a list of the same length changes
// rows in place.
class ColorListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit ColorListModel(QObject *parent = nullptr)
        : QAbstractListModel(parent)
    { }

    void setColors(const QList<RGBA> &colors);
    const QList<RGBA> &colors() const { return colors_; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<RGBA> colors_;
};

} // namespace pigmentry
