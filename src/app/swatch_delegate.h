#pragma once

#include "model/rgba.h"

#include <QStyledItemDelegate>

#include <functional>
#include <optional>

class QMimeData;

namespace pigmentry {

// Paints one colour of a HistoryModel (or any model with its ColorRole) for
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
    void setToolTipPrefix(const QString &prefix) { toolTipPrefix = prefix; }
    void setChipRadius(double radius) { chipRadius = radius; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

    static constexpr int tileHeight = 108;

private:
    Look look;
    std::function<RGBA()> selected;
    QString toolTipPrefix;
    double chipRadius = 6;
};

// Fills a rounded shape with a colour, over a checkerboard where it is not
// opaque.
void paintColor(QPainter *painter, const QPainterPath &shape, const RGBA &color);

// The swatch tile in outer (108 high): the colour over its hex code on the
// control background, outlined in the accent colour when selected.
void paintSwatchTile(QPainter *painter, const QRectF &outer, const RGBA &color, bool selected, bool hovered);

// A colour as dragged data: application/x-color, the text (its code), and
// the exact components for drops inside Pigmentry.
QMimeData *colorMimeData(const RGBA &color, const QString &text);
// Drags a colour out of source as application/x-color and as text (its
// code), with a small swatch under the pointer. Returns once it is dropped.
void startColorDrag(QWidget *source, const RGBA &color, const QString &text);
// The colour that dragged data carries: application/x-color, or a text that
// is a hex code.
std::optional<RGBA> draggedColor(const QMimeData *data);

} // namespace pigmentry
