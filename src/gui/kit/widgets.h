#pragma once

#include "gui/kit/theme.h"
#include "model/rgba.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include <functional>

class QColorDialog;

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
    void setRadius(double radius)
    {
        radius_ = radius;
        update();
    }
    // A 1-pixel border in the primary colour at this opacity (0: none).
    void setBorder(double opacity)
    {
        border_ = opacity;
        update();
    }
    // Text in the bottom-left corner, inset by margin; a second line under it.
    void setCaption(const QString &text, const QFont &font, const QString &second = {}, const QFont &secondFont = {},
                    int margin = 10);
    // The caption's colour: black over light colours, white otherwise.
    QColor captionColor() const;
    QString captionText() const { return caption_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    RGBA color_;
    double radius_ = 12;
    double border_ = 0;
    QString caption_, second_;
    QFont captionFont_, secondFont_;
    int margin_ = 10;
};

// A colour well: a small rounded button showing a colour that opens the
// desktop-independent colour editor (non-modal, with or without opacity);
// every change made there is reported by edited. The colour is read at
// paint time, so the well follows its source.
class ColorWell : public QAbstractButton {
    Q_OBJECT

public:
    ColorWell(std::function<RGBA()> color, bool withOpacity, const QString &editorTitle, QWidget *parent = nullptr);
    void openEditor();
    // Shows the source's colour again, in the editor too when it is open.
    void sync();

Q_SIGNALS:
    void edited(const RGBA &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::function<RGBA()> color;
    bool withOpacity;
    QString editorTitle;
    QColorDialog *editor = nullptr;
    bool editing = false;
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

// A collection's empty state in a card: the symbol (32, light, secondary),
// the title (16, semibold) and the detail (12, secondary, centred, wrapped),
// spaced by 12 and padded by 30 above and below.
class EmptyState : public StudioCard {
public:
    EmptyState(const QString &symbol, const QString &title, const QString &detail, QWidget *parent = nullptr);
    void setDetail(const QString &detail);
    QString detail() const;

private:
    QLabel *detail_;
};

// A label in a tone that follows the palette: a switch between light and
// dark repaints it in the new colour.
class Label : public QLabel {
public:
    Label(const QString &text, const QFont &font, theme::Tone tone, QWidget *parent = nullptr);
    void setTone(theme::Tone tone);
    // The tone's colour at this opacity.
    void setOpacity(double opacity);

protected:
    void changeEvent(QEvent *event) override;

private:
    void applyTone();
    theme::Tone tone_;
    double opacity_ = 1.0;
};

// The one-line notice of the status bar and the popover: the whole text is
// its text, tooltip and accessible name, painted elided with "…" where it
// does not fit. A failure is marked and announced to a screen reader as an
// alert.
class NoticeLabel : public Label {
public:
    NoticeLabel(const QFont &font, QWidget *parent = nullptr);
    void showNotice(const QString &text, bool failure);
    // What is painted: the text, elided to the width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A label on a rounded quaternary fill (a capsule where radius is half the
// height or more).
class Pill : public Label {
public:
    Pill(const QString &text, const QFont &font, theme::Tone tone, double radius, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double radius_;
};

// A symbol drawn at its size in a tone, at paint time.
class SymbolLabel : public QWidget {
public:
    SymbolLabel(const QString &symbol, int size, theme::Tone tone, QWidget *parent = nullptr);
    void setSymbol(const QString &symbol, theme::Tone tone);
    QSize sizeHint() const override { return {size_, size_}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString symbol_;
    int size_;
    theme::Tone tone_;
};

// A horizontal or vertical hairline in the primary colour, faint.
class Divider : public QWidget {
public:
    explicit Divider(Qt::Orientation orientation = Qt::Horizontal, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The small upper-case section label of the Studio's pages.
Label *fieldLabel(const QString &text, QWidget *parent = nullptr);
// A label in a font and tone.
Label *textLabel(const QString &text, const QFont &font, theme::Tone tone, QWidget *parent = nullptr);
// The widget with an object name, by which tests and the tour find it.
template <typename W>
W *withName(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}
// Letter spacing in logical pixels.
QFont tracked(QFont font, double spacing);

} // namespace pigmentry
