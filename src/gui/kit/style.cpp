// SPDX-License-Identifier: GPL-3.0-or-later
#include "style.h"

#include "gui/kit/theme.h"
#include "tools/contrast.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>

namespace pigmentry {

namespace {

constexpr double buttonRadius = 7;
constexpr double fieldRadius = 6;
constexpr int scrollBarExtent = 10;

bool isProminent(const QWidget *widget)
{
    return widget && widget->property("prominent").toBool();
}

QColor mixed(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() * (1 - t) + b.redF() * t), float(a.greenF() * (1 - t) + b.greenF() * t),
                            float(a.blueF() * (1 - t) + b.blueF() * t), float(a.alphaF() * (1 - t) + b.alphaF() * t));
}

// Buttons show focus once the keyboard is in use, not after every click.
bool keyboardFocus(const QStyleOption *option)
{
    return (option->state & QStyle::State_HasFocus) && (option->state & QStyle::State_KeyboardFocusChange);
}

// The focus ring: two pixels of accent just inside the control's edge.
void drawFocusRing(QPainter *painter, const QRectF &rect, double radius)
{
    painter->setPen(QPen(theme::accent(), 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(rect.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
}

} // namespace

QColor controlEdge(const QPalette &palette)
{
    const QColor face = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    auto stands = [&](const QColor &edge) {
        for (const auto role : {QPalette::Window, QPalette::Base}) {
            if (contrastRatio(theme::rgba(edge), theme::rgba(palette.color(role))) < 3.0)
                return false;
        }
        return true;
    };
    QColor edge = mixed(face, text, 0.22);
    for (double t = 0.24; t <= 1.0 && !stands(edge); t += 0.02)
        edge = mixed(face, text, t);
    return edge;
}

Style::Style()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{ }

void Style::polish(QPalette &palette)
{
    QProxyStyle::polish(palette);
    // One accent blue for selection, sliders and focus.
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, theme::accent());
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
        palette.setColor(group, QPalette::Link, theme::accent());
    }
}

void Style::polish(QWidget *widget)
{
    QProxyStyle::polish(widget);
    if (qobject_cast<QAbstractButton *>(widget))
        widget->setAttribute(Qt::WA_Hover);
    if (auto *field = qobject_cast<QLineEdit *>(widget); field && field->hasFrame())
        field->setTextMargins(6, 3, 6, 3);
}

int Style::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    switch (metric) {
    case PM_ScrollBarExtent: return scrollBarExtent;
    case PM_ScrollBarSliderMin: return 32;
    // Bars take their own room: no tile or card edge lies under one.
    case PM_ScrollView_ScrollBarOverlap: return 0;
    case PM_ButtonShiftHorizontal:
    case PM_ButtonShiftVertical: return 0;
    default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int Style::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                     QStyleHintReturn *returnData) const
{
    switch (hint) {
    case SH_ScrollBar_Transient: return true; // drawn over the content, without arrow buttons
    case SH_ScrollBar_LeftClickAbsolutePosition: return true;
    // A click on a slider's track puts the handle there.
    case SH_Slider_AbsoluteSetButtons: return Qt::LeftButton;
    default: return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

QSize Style::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                              const QWidget *widget) const
{
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_PushButton) {
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        if (!button || !(button->features & QStyleOptionButton::Flat)) {
            result.setHeight(std::max(result.height(), 28));
            // Fusion's minimum width is for dialogs; our buttons size to their text.
            result.setWidth(size.width() + 2 * 12 + (button && !button->icon.isNull() ? 4 : 0));
        }
    } else if (type == CT_LineEdit) {
        result.setHeight(std::max(result.height(), 28));
    }
    return result;
}

QRect Style::subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                            const QWidget *widget) const
{
    const auto *bar = control == CC_ScrollBar ? qstyleoption_cast<const QStyleOptionSlider *>(option) : nullptr;
    if (!bar)
        return QProxyStyle::subControlRect(control, option, sub, widget);
    // No arrow buttons: the slider runs the whole length.
    const QRect r = bar->rect;
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const int length = horizontal ? r.width() : r.height();
    const qint64 range = qint64(bar->maximum) - bar->minimum;
    int sliderLength = length;
    if (range > 0) {
        sliderLength = int(qint64(length) * bar->pageStep / (range + bar->pageStep));
        sliderLength =
            std::clamp(sliderLength, std::min(length, pixelMetric(PM_ScrollBarSliderMin, option, widget)), length);
    }
    const int start = sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition, length - sliderLength,
                                              bar->upsideDown);
    auto along = [&](int from, int size) {
        return horizontal ? QRect(r.x() + from, r.y(), size, r.height()) : QRect(r.x(), r.y() + from, r.width(), size);
    };
    switch (sub) {
    case SC_ScrollBarSlider: return along(start, sliderLength);
    case SC_ScrollBarSubPage: return along(0, start);
    case SC_ScrollBarAddPage: return along(start + sliderLength, length - start - sliderLength);
    case SC_ScrollBarGroove: return r;
    case SC_ScrollBarAddLine:
    case SC_ScrollBarSubLine:
    case SC_ScrollBarFirst:
    case SC_ScrollBarLast: return QRect();
    default: return QProxyStyle::subControlRect(control, option, sub, widget);
    }
}

void Style::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                          const QWidget *widget) const
{
    switch (element) {
    case PE_PanelButtonCommand: {
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        const bool flat = button && (button->features & QStyleOptionButton::Flat);
        const bool hover = option->state & State_MouseOver;
        const bool down = option->state & (State_Sunken | State_On);
        const bool enabled = option->state & State_Enabled;
        const QRectF rect = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        if (isProminent(widget)) {
            QColor face = theme::accent();
            if (down)
                face = face.darker(115);
            else if (hover)
                face = face.lighter(110);
            if (!enabled)
                face.setAlphaF(0.45f);
            painter->setPen(Qt::NoPen);
            painter->setBrush(face);
            painter->drawRoundedRect(rect, buttonRadius, buttonRadius);
            if (keyboardFocus(option)) {
                // Accent on accent: a white inner line makes the ring visible.
                painter->setPen(QPen(Qt::white, 1.5));
                painter->setBrush(Qt::NoBrush);
                painter->drawRoundedRect(rect.adjusted(2, 2, -2, -2), buttonRadius - 2, buttonRadius - 2);
            }
        } else {
            const QColor base = option->palette.color(QPalette::Button);
            const QColor text = option->palette.color(QPalette::ButtonText);
            if (!flat || hover || down) {
                painter->setPen(flat ? Qt::NoPen : QPen(controlEdge(option->palette), 1));
                painter->setBrush(down ? mixed(base, text, 0.14) : hover ? mixed(base, text, 0.07) : base);
                painter->drawRoundedRect(rect, buttonRadius, buttonRadius);
            }
            if (keyboardFocus(option))
                drawFocusRing(painter, option->rect, buttonRadius);
        }
        painter->restore();
        return;
    }
    case PE_FrameButtonBevel:
    case PE_FrameDefaultButton: return;
    case PE_FrameFocusRect:
        // Buttons, fields and tiles draw their own ring.
        if (qobject_cast<const QAbstractButton *>(widget))
            return;
        break;
    case PE_PanelLineEdit: {
        const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
        if (frame && frame->lineWidth <= 0) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QRectF rect = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        painter->setBrush(option->palette.color(QPalette::Base));
        painter->setPen(QPen(controlEdge(option->palette), 1));
        painter->drawRoundedRect(rect, fieldRadius, fieldRadius);
        if (option->state & State_HasFocus)
            drawFocusRing(painter, option->rect, fieldRadius);
        painter->restore();
        return;
    }
    case PE_FrameLineEdit: return; // the panel draws the frame
    case PE_IndicatorCheckBox: {
        // A box whose edge shows on any card; checked, an accent face with
        // a white mark.
        const bool on = option->state & State_On;
        const bool partial = option->state & State_NoChange;
        const QRectF box = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        if (!(option->state & State_Enabled))
            painter->setOpacity(0.45);
        if (on || partial) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(theme::accent());
            painter->drawRoundedRect(box, 4, 4);
            painter->setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter->setBrush(Qt::NoBrush);
            const double w = box.width(), h = box.height();
            if (partial) {
                painter->drawLine(QPointF(box.left() + w * 0.28, box.center().y()),
                                  QPointF(box.right() - w * 0.28, box.center().y()));
            } else {
                const QPointF mark[] = {{box.left() + w * 0.25, box.top() + h * 0.52},
                                        {box.left() + w * 0.43, box.top() + h * 0.70},
                                        {box.left() + w * 0.76, box.top() + h * 0.32}};
                painter->drawPolyline(mark, 3);
            }
        } else {
            painter->setPen(QPen(controlEdge(option->palette), 1));
            painter->setBrush(option->palette.color(QPalette::Base));
            painter->drawRoundedRect(box, 4, 4);
        }
        painter->restore();
        return;
    }
    default: break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void Style::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                        const QWidget *widget) const
{
    if (element == CE_PushButtonLabel && isProminent(widget)) {
        if (const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option)) {
            QStyleOptionButton copy(*button);
            copy.palette.setColor(QPalette::ButtonText, Qt::white);
            copy.state &= ~State_HasFocus;
            QProxyStyle::drawControl(element, &copy, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
    // A flat button draws no panel, and so no ring, unless pressed.
    if (element == CE_PushButtonBevel && keyboardFocus(option)) {
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        if (button && (button->features & QStyleOptionButton::Flat)) {
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing);
            drawFocusRing(painter, option->rect, std::min(buttonRadius, option->rect.height() / 2.0));
            painter->restore();
        }
    }
}

void Style::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                               const QWidget *widget) const
{
    if (control == CC_SpinBox) {
        // Fusion outlines a spin box in a shade of the window that fades into
        // a dark card; the edge of the other fields replaces it.
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        const auto *spin = qstyleoption_cast<const QStyleOptionSpinBox *>(option);
        if (spin && spin->frame) {
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setBrush(Qt::NoBrush);
            painter->setPen(QPen(controlEdge(option->palette), 1));
            painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
            if (keyboardFocus(option))
                drawFocusRing(painter, QRectF(option->rect), fieldRadius);
            painter->restore();
        }
        return;
    }
    if (control == CC_ToolButton) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (keyboardFocus(option)) {
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing);
            drawFocusRing(painter, option->rect, std::min(buttonRadius, option->rect.height() / 2.0));
            painter->restore();
        }
        return;
    }
    if (control == CC_Slider) {
        // The track as Fusion draws it, under a round knob with the controls'
        // edge, which shows on any card.
        auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option);
        if (!slider || !(slider->subControls & SC_SliderHandle)) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        QStyleOptionSlider track = *slider;
        track.subControls &= ~SC_SliderHandle;
        track.state &= ~State_HasFocus;
        QProxyStyle::drawComplexControl(control, &track, painter, widget);
        const QRect handle = subControlRect(control, option, SC_SliderHandle, widget);
        const int diameter = std::min(handle.width(), handle.height()) - 2;
        const QRectF knob =
            QRectF(handle.center().x() - diameter / 2, handle.center().y() - diameter / 2, diameter, diameter)
                .translated(0.5, 0.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        QColor face = option->palette.color(QPalette::Base);
        if (option->state & (State_Sunken | State_MouseOver))
            face = mixed(face, option->palette.color(QPalette::Text), 0.08);
        painter->setBrush(face);
        // A round edge of one pixel is all blended; a little more keeps its
        // full colour somewhere along it.
        painter->setPen(QPen(controlEdge(option->palette), 1.5));
        painter->drawEllipse(knob);
        if (option->state & State_HasFocus) {
            painter->setBrush(Qt::NoBrush);
            painter->setPen(QPen(theme::accent(), 2));
            painter->drawEllipse(knob.adjusted(-1.5, -1.5, 1.5, 1.5));
        }
        painter->restore();
        return;
    }
    if (control != CC_ScrollBar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // A thin rounded handle on no groove, wider while the pointer is on it.
    const QRect slider = subControlRect(control, option, SC_ScrollBarSlider, widget);
    const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (!bar || bar->minimum == bar->maximum || slider.isEmpty())
        return;
    const bool active = option->state & (State_MouseOver | State_Sunken);
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const double thickness = active ? 8 : 5;
    QRectF handle(slider);
    if (horizontal)
        handle = QRectF(handle.x() + 2, handle.bottom() - thickness - 1, handle.width() - 4, thickness);
    else
        handle = QRectF(handle.right() - thickness - 1, handle.y() + 2, thickness, handle.height() - 4);
    QColor color = option->palette.color(QPalette::WindowText);
    color.setAlphaF(active ? 0.5f : 0.32f);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->drawRoundedRect(handle, thickness / 2, thickness / 2);
    painter->restore();
}

void installStyle()
{
    if (!qobject_cast<Style *>(QApplication::style()))
        QApplication::setStyle(new Style);
}

void makeProminent(QAbstractButton *button)
{
    button->setProperty("prominent", true);
    button->setCursor(Qt::PointingHandCursor);
}

} // namespace pigmentry
