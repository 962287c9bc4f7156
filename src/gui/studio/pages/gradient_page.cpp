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
        : store(store)
        , state(state)
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
        const GradientLine line = gradientLine(state.gradientAngle);
        auto at = [&area](const QPointF &unit) {
            return QPointF(area.left() + unit.x() * area.width(), area.top() + unit.y() * area.height());
        };
        QLinearGradient gradient(at(line.start), at(line.end));
        gradient.setColorAt(0, theme::color(store.selected()));
        gradient.setColorAt(1, theme::color(state.gradientEnd));
        painter.fillPath(shape, gradient);
        painter.setPen(QPen(theme::primary(0.07), 1));
        painter.drawPath(shape);
    }

private:
    Store &store;
    StudioState &state;
};

} // namespace

GradientPage::GradientPage(PageContext &context, QWidget *parent)
    : QWidget(parent)
    , context(context)
{
    StudioState &state = context.state;
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(16);
    preview = new GradientPreview(context.store, state);
    stack->addWidget(preview);

    // Both stops, each with its well: the start is the selected colour.
    auto *stopsRow = new QHBoxLayout;
    stopsRow->setSpacing(10);
    auto stop = [this, stopsRow](const QString &text, ColorWell *well) {
        auto *label = textLabel(text, theme::font(13), theme::Tone::Primary);
        well->setAccessibleName(text);
        stopsRow->addWidget(label);
        stopsRow->addWidget(well);
        stopsRow->addSpacing(14);
    };
    Store &store = context.store;
    startWell = new ColorWell([&store] { return store.selected(); }, true, tr("Start color"));
    startWell->setObjectName(QStringLiteral("startColor"));
    connect(startWell, &ColorWell::edited, this, [this](const RGBA &color) { this->context.store.select(color); });
    stop(tr("Start color"), startWell);
    endWell = new ColorWell([&state] { return state.gradientEnd; }, true, tr("End color"));
    endWell->setObjectName(QStringLiteral("endColor"));
    connect(endWell, &ColorWell::edited, this, [this](const RGBA &color) {
        this->context.state.gradientEnd = color;
        update();
    });
    stop(tr("End color"), endWell);
    stopsRow->addStretch();
    stack->addLayout(stopsRow);

    // The angle, slid or typed, its label beside it.
    auto *angleRow = new QHBoxLayout;
    angleRow->setSpacing(10);
    auto *angleLabel = textLabel(tr("Angle"), theme::font(13), theme::Tone::Primary);
    angleRow->addWidget(angleLabel);
    angle = new QSlider(Qt::Horizontal);
    angle->setObjectName(QStringLiteral("angle"));
    angle->setAccessibleName(tr("Angle"));
    angle->setRange(0, 360 * sliderSteps);
    angle->setSingleStep(sliderSteps);
    angle->setPageStep(15 * sliderSteps);
    angle->setValue(int(std::lround(state.gradientAngle * sliderSteps)));
    connect(angle, &QSlider::valueChanged, this, [this](int value) {
        this->context.state.gradientAngle = double(value) / sliderSteps;
        update();
    });
    angleRow->addWidget(angle, 1);
    degrees = new QSpinBox;
    degrees->setObjectName(QStringLiteral("angleDegrees"));
    degrees->setAccessibleName(tr("Angle in degrees"));
    degrees->setRange(0, 360);
    degrees->setSuffix(QStringLiteral("°"));
    degrees->setKeyboardTracking(false);
    angleLabel->setBuddy(degrees);
    connect(degrees, &QSpinBox::valueChanged, this, [this](int value) {
        // Typed whole degrees; a slid angle keeps its fraction while its
        // whole degrees stand.
        if (value != qint64(std::trunc(this->context.state.gradientAngle)))
            angle->setValue(value * sliderSteps);
    });
    angleRow->addWidget(degrees);
    stack->addLayout(angleRow);

    auto *copy = new QPushButton(theme::icon(QStringLiteral("doc.on.doc")), tr("Copy CSS"));
    copy->setObjectName(QStringLiteral("copyCss"));
    connect(copy, &QPushButton::clicked, this, [this] {
        // Replaces whatever the clipboard held; no notice.
        this->context.desktop.clipboard->setText(gradientCss(
            this->context.store.selected(), this->context.state.gradientEnd, this->context.state.gradientAngle));
    });
    auto *copyRow = new QHBoxLayout;
    copyRow->addWidget(copy);
    copyRow->addStretch();
    stack->addLayout(copyRow);
    stack->addWidget(pageCaption(tr("Two-stop sRGB gradient. Browser interpolation may differ.")));

    connect(&context.store, &Store::selectedChanged, this, [this] {
        preview->update();
        startWell->sync();
    });
    update();
}

void GradientPage::update()
{
    {
        const QSignalBlocker quiet(degrees);
        degrees->setValue(int(std::trunc(context.state.gradientAngle)));
    }
    preview->update();
    startWell->sync();
    endWell->sync();
}

} // namespace pigmentry
