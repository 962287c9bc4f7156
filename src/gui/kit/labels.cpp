// SPDX-License-Identifier: GPL-3.0-or-later
#include "labels.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace pigmentry {

QFont tracked(QFont font, double spacing)
{
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

Label::Label(const QString &text, const QFont &font, theme::Tone tone, QWidget *parent)
    : QLabel(text, parent)
    , tone_(tone)
{
    // On a Base-coloured column Qt would pick the Text role; the tone is
    // always in WindowText.
    setForegroundRole(QPalette::WindowText);
    setFont(font);
    applyTone();
}

void Label::setTone(theme::Tone tone)
{
    tone_ = tone;
    applyTone();
}

void Label::setOpacity(double opacity)
{
    opacity_ = opacity;
    applyTone();
}

void Label::applyTone()
{
    QPalette palette = this->palette();
    QColor color = theme::color(tone_);
    color.setAlphaF(float(color.alphaF() * opacity_));
    if (palette.color(QPalette::WindowText) == color && testAttribute(Qt::WA_SetPalette))
        return;
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
}

void Label::changeEvent(QEvent *event)
{
    // Our own colour stays set; the rest of the palette follows the
    // application's, and so does the tone once it is read again.
    if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::PaletteChange)
        applyTone();
    QLabel::changeEvent(event);
}

NoticeLabel::NoticeLabel(const QFont &font, QWidget *parent)
    : Label(QString(), font, theme::Tone::Secondary, parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void NoticeLabel::showNotice(const QString &text, bool failure)
{
    setText(text);
    setToolTip(text);
    setTone(failure ? theme::Tone::Red : theme::Tone::Secondary);
    if (failure) {
        QAccessibleEvent alert(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

QString NoticeLabel::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void NoticeLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), int(alignment()) | Qt::TextSingleLine, shownText());
}

Pill::Pill(const QString &text, const QFont &font, theme::Tone tone, double radius, QWidget *parent)
    : Label(text, font, tone, parent)
    , radius_(radius)
{ }

void Pill::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(theme::quaternary());
        const double r = std::min(radius_, height() / 2.0);
        painter.drawRoundedRect(QRectF(rect()), r, r);
    }
    Label::paintEvent(event);
}

SymbolLabel::SymbolLabel(const QString &symbol, int size, theme::Tone tone, QWidget *parent)
    : QWidget(parent)
    , symbol_(symbol)
    , size_(size)
    , tone_(tone)
{
    setFixedSize(size, size);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SymbolLabel::setSymbol(const QString &symbol, theme::Tone tone)
{
    symbol_ = symbol;
    tone_ = tone;
    update();
}

void SymbolLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(QPointF(0, 0), theme::pixmap(symbol_, size_, theme::color(tone_), devicePixelRatioF()));
}

Label *textLabel(const QString &text, const QFont &font, theme::Tone tone, QWidget *parent)
{
    return new Label(text, font, tone, parent);
}

Label *fieldLabel(const QString &text, QWidget *parent)
{
    return textLabel(text, tracked(theme::font(9, QFont::DemiBold), 0.9), theme::Tone::Secondary, parent);
}

} // namespace pigmentry
