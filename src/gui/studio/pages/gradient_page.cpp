#include "gradient_page.h"

#include "gui/kit/color_well.h"
#include "gui/kit/labels.h"
#include "gui/kit/swatch_painting.h"
#include "gui/kit/theme.h"
#include "gui/studio/page_context.h"
#include "gui/studio/pages/tool_parts.h"
#include "gui/studio/studio_state.h"
#include "model/store.h"
#include "platform/desktop_services.h"
#include "tools/gradient.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSlider>

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

    auto *endRow = new QHBoxLayout;
    endRow->addWidget(
        textLabel(QCoreApplication::translate("GradientPage", "End color"), theme::font(13), theme::Tone::Primary));
    endWell = new ColorWell([&state] { return state.gradientEnd; }, true,
                            QCoreApplication::translate("GradientPage", "End color"));
    endWell->setObjectName(QStringLiteral("endColor"));
    endWell->setAccessibleName(QCoreApplication::translate("GradientPage", "End color"));
    connect(endWell, &ColorWell::edited, this, [this](const RGBA &color) {
        this->context.state.gradientEnd = color;
        update();
    });
    endRow->addWidget(endWell);
    endRow->addStretch();
    stack->addLayout(endRow);

    angle = new QSlider(Qt::Horizontal);
    angle->setObjectName(QStringLiteral("angle"));
    angle->setAccessibleName(QCoreApplication::translate("GradientPage", "Angle"));
    angle->setRange(0, 360 * sliderSteps);
    angle->setSingleStep(sliderSteps);
    angle->setPageStep(15 * sliderSteps);
    angle->setValue(int(std::lround(state.gradientAngle * sliderSteps)));
    connect(angle, &QSlider::valueChanged, this, [this](int value) {
        this->context.state.gradientAngle = double(value) / sliderSteps;
        update();
    });
    stack->addWidget(angle);
    angleText = withName(textLabel(QString(), theme::font(13), theme::Tone::Primary), QStringLiteral("angleText"));
    stack->addWidget(angleText);

    auto *copy = new QPushButton(theme::icon(QStringLiteral("doc.on.doc")),
                                 QCoreApplication::translate("GradientPage", "Copy CSS"));
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
    stack->addWidget(pageCaption(
        QCoreApplication::translate("GradientPage", "Two-stop sRGB gradient. Browser interpolation may differ.")));

    connect(&context.store, &Store::selectedChanged, preview, qOverload<>(&QWidget::update));
    update();
}

void GradientPage::update()
{
    angleText->setText(
        QCoreApplication::translate("GradientPage", "Angle %1°").arg(qint64(std::trunc(context.state.gradientAngle))));
    preview->update();
    endWell->sync();
}

} // namespace pigmentry
