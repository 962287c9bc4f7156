// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/kit/swatch_painting.h"

#include <QStyledItemDelegate>

#include <functional>
#include <optional>

class QMimeData;

namespace pigmentry {

// Paints one colour of any colour model (ColorRole and HexRole) for
// any view, reading the palette at paint time:
// - Tile: the Studio's swatch tile, a 72-high rounded patch with the hex code
//   under it on the control background, outlined in the accent colour while
//   its colour is the selected one;
// - Chip: a small rounded patch and nothing else.
// Colours with alpha show a checkerboard through them.
class SwatchDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    enum class Look { Tile, Chip };

    // selected gives the store's selected colour, for the tile's outline.
    SwatchDelegate(Look look, std::function<RGBA()> selected, QObject *parent = nullptr);

    // What the tooltip says before the hex code ("Copy ", "Inspect ").
    void setToolTipPrefix(const QString &prefix) { toolTipPrefix_ = prefix; }
    void setChipRadius(double radius) { chipRadius_ = radius; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

    static constexpr int tileHeight = swatchTileHeight;

private:
    Look look_;
    std::function<RGBA()> selected_;
    QString toolTipPrefix_;
    double chipRadius_ = 6;
};

} // namespace pigmentry
