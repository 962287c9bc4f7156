#include "widgets.h"

#include "theme.h"

#include <QPainter>
#include <QPainterPath>

namespace pigmentry {

ColorPatch::ColorPatch(QWidget *parent) : QWidget(parent) {}

void ColorPatch::setColor(const RGBA &color)
{
    color_ = color;
    update();
}

void ColorPatch::setCaption(const QString &text, const QFont &font, const QString &second, const QFont &secondFont,
                            int margin)
{
    caption_ = text;
    second_ = second;
    captionFont_ = font;
    secondFont_ = secondFont;
    margin_ = margin;
    update();
}

QColor ColorPatch::captionColor() const
{
    return prefersDarkForeground(color_) ? Qt::black : Qt::white;
}

void ColorPatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    shape.addRoundedRect(area, radius_, radius_);
    painter.fillPath(shape, theme::color(color_));
    if (border_.alpha() > 0) {
        painter.setPen(QPen(border_, 1));
        painter.drawPath(shape);
    }
    if (caption_.isEmpty())
        return;
    painter.setPen(captionColor());
    const QFontMetricsF main(captionFont_);
    double bottom = height() - margin_;
    if (!second_.isEmpty()) {
        const QFontMetricsF small(secondFont_);
        painter.setFont(secondFont_);
        QColor faded = captionColor();
        faded.setAlphaF(0.75f);
        painter.setPen(faded);
        painter.drawText(QPointF(margin_, bottom - small.descent()), second_);
        bottom -= small.height() + 2;
        painter.setPen(captionColor());
    }
    painter.setFont(captionFont_);
    painter.drawText(QPointF(margin_, bottom - main.descent()), caption_);
}

ColorButton::ColorButton(const RGBA &color, QSize size, double radius, QWidget *parent)
    : QAbstractButton(parent), color_(color), size_(size), radius_(radius)
{
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void ColorButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius_, radius_);
    painter.fillPath(shape, theme::color(color_));
    painter.setPen(QPen(hasFocus() ? theme::accent() : theme::primary(0.08), hasFocus() ? 2 : 1));
    painter.drawPath(shape);
}

StudioCard::StudioCard(QWidget *parent) : QFrame(parent), layout_(new QVBoxLayout(this))
{
    layout_->setSpacing(16);
    layout_->setContentsMargins(20, 20, 20, 20);
    layout_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
}

void StudioCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 14, 14);
    painter.fillPath(shape, theme::controlBackground());
    painter.setPen(QPen(theme::primary(0.06), 1));
    painter.drawPath(shape);
}

QFont tracked(QFont font, double spacing)
{
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

QLabel *textLabel(const QString &text, const QFont &font, const QColor &color, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

QLabel *fieldLabel(const QString &text, QWidget *parent)
{
    return textLabel(text, tracked(theme::font(9, QFont::DemiBold), 0.9), theme::secondary(), parent);
}

QFrame *divider(Qt::Orientation orientation, QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, theme::primary(0.12));
    line->setPalette(palette);
    if (orientation == Qt::Horizontal)
        line->setFixedHeight(1);
    else
        line->setFixedWidth(1);
    return line;
}

} // namespace pigmentry
