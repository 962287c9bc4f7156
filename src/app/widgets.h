#pragma once

#include "model/rgba.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

// Small building blocks shared by the popover and the Studio.
namespace pigmentry {

// A rounded tile filled with a colour (alpha included), optionally with a
// text in a corner drawn black or white by the colour's luminance.
class ColorPatch : public QWidget {
    Q_OBJECT

public:
    explicit ColorPatch(QWidget *parent = nullptr);

    void setColor(const RGBA &color);
    const RGBA &color() const { return color_; }
    void setRadius(double radius) { radius_ = radius; update(); }
    void setBorder(const QColor &border) { border_ = border; update(); }
    // Text in the bottom-left corner, inset by margin; a second line under it.
    void setCaption(const QString &text, const QFont &font, const QString &second = {},
                    const QFont &secondFont = {}, int margin = 10);
    // The caption's colour: black over light colours, white otherwise.
    QColor captionColor() const;
    QString captionText() const { return caption_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    RGBA color_;
    double radius_ = 12;
    QColor border_ = Qt::transparent;
    QString caption_, second_;
    QFont captionFont_, secondFont_;
    int margin_ = 10;
};

// A button whose whole face is a small colour tile.
class ColorButton : public QAbstractButton {
    Q_OBJECT

public:
    ColorButton(const RGBA &color, QSize size, double radius, QWidget *parent = nullptr);
    const RGBA &color() const { return color_; }
    QSize sizeHint() const override { return size_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    RGBA color_;
    QSize size_;
    double radius_;
};

// The container of a Studio page's blocks: a vertical stack (spacing 16,
// margins 20) on the control background, rounded by 14, with a faint border.
class StudioCard : public QFrame {
public:
    explicit StudioCard(QWidget *parent = nullptr);
    QVBoxLayout *content() const { return layout_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVBoxLayout *layout_;
};

// The small upper-case section label of the Studio's pages.
QLabel *fieldLabel(const QString &text, QWidget *parent = nullptr);
// A label in a font and colour.
QLabel *textLabel(const QString &text, const QFont &font, const QColor &color, QWidget *parent = nullptr);
// A horizontal or vertical hairline.
QFrame *divider(Qt::Orientation orientation = Qt::Horizontal, QWidget *parent = nullptr);
// Letter spacing in logical pixels.
QFont tracked(QFont font, double spacing);

} // namespace pigmentry
