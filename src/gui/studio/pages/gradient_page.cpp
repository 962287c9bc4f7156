// SPDX-License-Identifier: GPL-3.0-or-later
#include "gradient_page.h"

#include "gui/kit/color_well.h"
#include "gui/kit/labels.h"
#include "gui/kit/swatch_painting.h"
#include "gui/kit/theme.h"
#include "gui/studio/page_context.h"
#include "gui/studio/pages/tool_parts.h"
#include "gui/studio/studio_state.h"
#include "model/library/store.h"
#include "platform/desktop/desktop_services.h"
#include "tools/gradient.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include <cmath>

namespace pigmentry {

namespace {

// The slider counts hundredths of a degree, so the angle is as good as
// continuous.
constexpr int sliderSteps = 100;

// The gradient in a rounded rectangle, over a checkerboard where it is not
// opaque.
class GradientPreview : public QWidget {
public:
    GradientPreview(Store &store, StudioState &state)
        : store_(store)
        , state_(state)
    {
        setFixedHeight(300);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setObjectName(QStringLiteral("gradientPreview"));
        setAccessibleName(QCoreApplication::translate("GradientPage", "Gradient preview"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        shape.addRoundedRect(area, 20, 20);
        paintColor(&painter, shape, RGBA{0, 0, 0, 0});
        const GradientLine line = gradientLine(state_.gradientAngle);
        auto at = [&area](const QPointF &unit) {
            return QPointF(area.left() + unit.x() * area.width(), area.top() + unit.y() * area.height());
        };
        QLinearGradient gradient(at(line.start), at(line.end));
        gradient.setColorAt(0, theme::color(store_.selected()));
        gradient.setColorAt(1, theme::color(state_.gradientEnd));
        painter.fillPath(shape, gradient);
        painter.setPen(QPen(theme::primary(0.07), 1));
        painter.drawPath(shape);
    }

private:
    Store &store_;
    StudioState &state_;
};

} // namespace

GradientPage::GradientPage(PageContext &context, QWidget *parent)
    : QWidget(parent)
    , context_(context)
{
    StudioState &state = context.state;
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(16);
    preview_ = new GradientPreview(context.store, state);
    stack->addWidget(preview_);

    // Both stops, each with its well: the start is the selected colour.
    auto *stopsRow = new QHBoxLayout;
    stopsRow->setSpacing(10);
    auto stop = [stopsRow](const QString &text, ColorWell *well) {
        auto *label = textLabel(text, theme::font(13), theme::Tone::Primary);
        well->setAccessibleName(text);
        stopsRow->addWidget(label);
        stopsRow->addWidget(well);
        stopsRow->addSpacing(14);
    };
    Store &store = context.store;
    startWell_ = new ColorWell([&store] { return store.selected(); }, true, tr("Start color"));
    startWell_->setObjectName(QStringLiteral("startColor"));
    connect(startWell_, &ColorWell::edited, this, [this](const RGBA &color) { this->context_.store.select(color); });
    stop(tr("Start color"), startWell_);
    endWell_ = new ColorWell([&state] { return state.gradientEnd; }, true, tr("End color"));
    endWell_->setObjectName(QStringLiteral("endColor"));
    connect(endWell_, &ColorWell::edited, this, [this](const RGBA &color) {
        this->context_.state.gradientEnd = color;
        update();
    });
    stop(tr("End color"), endWell_);
    stopsRow->addStretch();
    stack->addLayout(stopsRow);

    // The angle, slid or typed, its label beside it.
    auto *angleRow = new QHBoxLayout;
    angleRow->setSpacing(10);
    auto *angleLabel = textLabel(tr("Angle"), theme::font(13), theme::Tone::Primary);
    angleRow->addWidget(angleLabel);
    angle_ = new QSlider(Qt::Horizontal);
    angle_->setObjectName(QStringLiteral("angle"));
    angle_->setAccessibleName(tr("Angle"));
    angle_->setRange(0, 360 * sliderSteps);
    angle_->setSingleStep(sliderSteps);
    angle_->setPageStep(15 * sliderSteps);
    angle_->setValue(int(std::lround(state.gradientAngle * sliderSteps)));
    connect(angle_, &QSlider::valueChanged, this, [this](int value) {
        this->context_.state.gradientAngle = double(value) / sliderSteps;
        update();
    });
    angleRow->addWidget(angle_, 1);
    degrees_ = new QSpinBox;
    degrees_->setObjectName(QStringLiteral("angleDegrees"));
    degrees_->setAccessibleName(tr("Angle in degrees"));
    degrees_->setRange(0, 360);
    degrees_->setSuffix(QStringLiteral("°"));
    degrees_->setKeyboardTracking(false);
    angleLabel->setBuddy(degrees_);
    connect(degrees_, &QSpinBox::valueChanged, this, [this](int value) {
        // Typed whole degrees; a slid angle keeps its fraction while its
        // whole degrees stand.
        if (value != qint64(std::trunc(this->context_.state.gradientAngle)))
            angle_->setValue(value * sliderSteps);
    });
    angleRow->addWidget(degrees_);
    stack->addLayout(angleRow);

    auto *copy = new QPushButton(theme::icon(QStringLiteral("doc.on.doc")), tr("Copy CSS"));
    copy->setObjectName(QStringLiteral("copyCss"));
    connect(copy, &QPushButton::clicked, this, [this] {
        // Replaces whatever the clipboard held; no notice.
        this->context_.desktop.clipboard->setText(gradientCss(
            this->context_.store.selected(), this->context_.state.gradientEnd, this->context_.state.gradientAngle));
    });
    auto *copyRow = new QHBoxLayout;
    copyRow->addWidget(copy);
    copyRow->addStretch();
    stack->addLayout(copyRow);
    stack->addWidget(pageCaption(tr("Two-stop sRGB gradient. Browser interpolation may differ.")));

    connect(&context.store, &Store::selectedChanged, this, [this] {
        preview_->update();
        startWell_->sync();
    });
    update();
}

void GradientPage::update()
{
    {
        const QSignalBlocker quiet(degrees_);
        degrees_->setValue(int(std::trunc(context_.state.gradientAngle)));
    }
    preview_->update();
    startWell_->sync();
    endWell_->sync();
}

} // namespace pigmentry
