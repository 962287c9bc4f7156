// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/kit/theme.h"

#include <QLabel>

namespace pigmentry {

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
