#include "widgets.h"

#include "gui/kit/swatch_painting.h"
#include "gui/kit/theme.h"

#include <QAccessible>
#include <QColorDialog>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScopedValueRollback>

namespace pigmentry {

ColorPatch::ColorPatch(QWidget *parent)
    : QWidget(parent)
{ }

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
    if (border_ > 0) {
        painter.setPen(QPen(theme::primary(border_), 1));
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

StudioCard::StudioCard(QWidget *parent)
    : QFrame(parent)
    , layout_(new QVBoxLayout(this))
{
    layout_->setSpacing(16);
    layout_->setContentsMargins(20, 20, 20, 20);
    layout_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
}

ColorWell::ColorWell(std::function<RGBA()> color, bool withOpacity, const QString &editorTitle, QWidget *parent)
    : QAbstractButton(parent)
    , color(std::move(color))
    , withOpacity(withOpacity)
    , editorTitle(editorTitle)
{
    setFixedSize(44, 28);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, &ColorWell::openEditor);
}

void ColorWell::openEditor()
{
    if (!editor) {
        editor = new QColorDialog(this);
        editor->setOption(QColorDialog::ShowAlphaChannel, withOpacity);
        editor->setOption(QColorDialog::NoButtons);
        editor->setWindowTitle(editorTitle);
        connect(editor, &QColorDialog::currentColorChanged, this, [this](const QColor &chosen) {
            RGBA value = theme::rgba(chosen);
            if (!withOpacity)
                value.a = 1.0;
            // The edit comes back through sync(); while it does, the dialog is
            // left alone, or the text being typed would be rewritten from
            // its own first digits.
            const QScopedValueRollback<bool> inEdit(editing, true);
            Q_EMIT edited(value);
            update();
        });
    }
    sync();
    editor->show();
    editor->raise();
    editor->activateWindow();
}

void ColorWell::sync()
{
    update();
    if (editor && !editing) {
        // Showing the current colour is not an edit.
        const QSignalBlocker quiet(editor);
        editor->setCurrentColor(theme::color(color()));
    }
}

void ColorWell::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(3.5, 3.5, -3.5, -3.5), 5, 5);
    paintColor(&painter, shape, color());
    painter.setPen(QPen(theme::primary(0.2), 1));
    painter.drawPath(shape);
    if (hasFocus()) {
        painter.setPen(QPen(theme::accent(), 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 7, 7);
    }
}

EmptyState::EmptyState(const QString &symbol, const QString &title, const QString &detail, QWidget *parent)
    : StudioCard(parent)
{
    setObjectName(QStringLiteral("emptyState"));
    auto *stack = new QVBoxLayout;
    stack->setContentsMargins(0, 30, 0, 30);
    stack->setSpacing(12);
    stack->addWidget(new SymbolLabel(symbol, 32, theme::Tone::Secondary), 0, Qt::AlignHCenter);
    auto *heading = textLabel(title, theme::font(16, QFont::DemiBold), theme::Tone::Primary);
    heading->setObjectName(QStringLiteral("emptyTitle"));
    heading->setAlignment(Qt::AlignCenter);
    stack->addWidget(heading);
    detail_ = textLabel(detail, theme::font(12), theme::Tone::Secondary);
    detail_->setObjectName(QStringLiteral("emptyDetail"));
    detail_->setAlignment(Qt::AlignCenter);
    detail_->setWordWrap(true);
    stack->addWidget(detail_);
    content()->setAlignment(Qt::Alignment());
    content()->addLayout(stack);
}

void EmptyState::setDetail(const QString &detail)
{
    detail_->setText(detail);
}

QString EmptyState::detail() const
{
    return detail_->text();
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

Divider::Divider(Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent)
{
    if (orientation == Qt::Horizontal) {
        setFixedHeight(1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setFixedWidth(1);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
}

void Divider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), theme::primary(0.12));
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
