// SPDX-License-Identifier: GPL-3.0-or-later
#include "contrast_page.h"

#include "gui/kit/color_patch.h"
#include "gui/kit/color_well.h"
#include "gui/kit/labels.h"
#include "gui/kit/theme.h"
#include "gui/studio/page_context.h"
#include "gui/studio/pages/tool_parts.h"
#include "gui/studio/studio_state.h"
#include "model/library/store.h"
#include "tools/contrast.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QUndoCommand>
#include <QUndoStack>

namespace pigmentry {

namespace {

// The text colour changed for a suggestion, as a step Ctrl+Z takes back.
class SelectionEdit : public QUndoCommand {
public:
    SelectionEdit(Store &store, const RGBA &before, const RGBA &after)
        : QUndoCommand(QCoreApplication::translate("ContrastPage", "Use Suggested Color"))
        , store_(store)
        , before_(before)
        , after_(after)
    { }
    void redo() override { store_.select(after_); }
    void undo() override { store_.select(before_); }

private:
    Store &store_;
    RGBA before_, after_;
};

} // namespace

namespace {

QString sampleTitle()
{
    return QCoreApplication::translate("ContrastPage", "The art of clear communication");
}

QString sampleBody()
{
    return QCoreApplication::translate("ContrastPage", "A readable palette helps everyone see your message.");
}

QString sampleButton()
{
    return QCoreApplication::translate("ContrastPage", "Sample button");
}

// The sample: text and an outlined button in the selected colour (alpha
// included) on the background, both as the chosen vision sees them.
class SampleCard : public QWidget {
public:
    SampleCard(Store &store, StudioState &state)
        : store_(store)
        , state_(state)
    {
        setObjectName(QStringLiteral("sample"));
        setAccessibleName(QCoreApplication::translate("ContrastPage", "Sample"));
        // What the sample shows, for whoever cannot see it.
        setAccessibleDescription(QStringLiteral("%1 %2 %3").arg(sampleTitle(), sampleBody(), sampleButton()));
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setMinimumHeight(sizeHint().height());
    }

    QSize sizeHint() const override
    {
        const int height = 24 + QFontMetrics(titleFont()).height() + 12 + QFontMetrics(theme::font(13)).height() + 12
            + QFontMetrics(theme::font(13)).height() + 20 + 24;
        return QSize(400, height);
    }

protected:
    static QFont titleFont() { return theme::font(22, QFont::Normal); }

    void paintEvent(QPaintEvent *) override
    {
        const auto vision = ColorVision(state_.colorVision);
        const QColor ink = theme::color(simulateColorVision(store_.selected(), vision));
        const QColor paper = theme::color(simulateColorVision(state_.contrastBackground, vision));
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath card;
        card.addRoundedRect(QRectF(rect()), 16, 16);
        painter.fillPath(card, paper);
        painter.setPen(ink);

        int y = 24;
        const int width = this->width() - 48;
        auto line = [&](const QString &text, const QFont &font) {
            painter.setFont(font);
            const int height = painter.fontMetrics().height();
            painter.drawText(QRect(24, y, width, height), Qt::AlignLeft | Qt::AlignVCenter,
                             painter.fontMetrics().elidedText(text, Qt::ElideRight, width));
            y += height + 12;
        };
        line(sampleTitle(), titleFont());
        line(sampleBody(), theme::font(13));
        painter.setFont(theme::font(13));
        const QRect button(24, y, painter.fontMetrics().horizontalAdvance(sampleButton()) + 20,
                           painter.fontMetrics().height() + 20);
        painter.drawText(button, Qt::AlignCenter, sampleButton());
        painter.setPen(QPen(ink, 1));
        painter.drawRoundedRect(QRectF(button).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }

private:
    Store &store_;
    StudioState &state_;
};

} // namespace

ContrastPage::ContrastPage(PageContext &context, QWidget *parent)
    : QWidget(parent)
    , context_(context)
{
    StudioState &state = context.state;
    Store &store = context.store;
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(16);

    auto *backgroundRow = new QHBoxLayout;
    backgroundRow->addWidget(textLabel(tr("Background"), theme::font(13), theme::Tone::Primary));
    background_ = new ColorWell([&state] { return state.contrastBackground; }, false, tr("Background"));
    background_->setObjectName(QStringLiteral("background"));
    background_->setAccessibleName(tr("Background"));
    connect(background_, &ColorWell::edited, this, [this](const RGBA &color) {
        this->context_.state.contrastBackground = color;
        update();
    });
    backgroundRow->addWidget(background_);
    auto *swap = new QPushButton(tr("Swap"));
    swap->setObjectName(QStringLiteral("swap"));
    swap->setToolTip(tr("Use the background as the text color and the text color as the background"));
    connect(swap, &QPushButton::clicked, this, [this] {
        const RGBA text = this->context_.store.selected();
        const RGBA behind = this->context_.state.contrastBackground;
        // The background has no opacity of its own.
        this->context_.state.contrastBackground = RGBA{text.r, text.g, text.b, 1.0};
        this->context_.store.select(behind);
        update();
    });
    backgroundRow->addWidget(swap);
    backgroundRow->addStretch();

    // The vision the sample is seen with, on the row of the controls rather
    // than over the sample, whose text it would cover at narrow widths.
    sample_ = new SampleCard(store, state);
    auto *visionLabel = textLabel(tr("Color vision"), theme::font(13), theme::Tone::Primary);
    backgroundRow->addWidget(visionLabel);
    vision_ = new QComboBox;
    visionLabel->setBuddy(vision_);
    vision_->setObjectName(QStringLiteral("vision"));
    vision_->setAccessibleName(tr("Color vision"));
    vision_->setToolTip(tr("Show the sample as seen with a color-vision deficiency"));
    // The names of the visions in the desktop's language.
    for (const QString &name : colorVisionNames())
        vision_->addItem(QCoreApplication::translate("ColorVision", name.toUtf8().constData()));
    vision_->setCurrentIndex(state.colorVision);
    connect(vision_, &QComboBox::currentIndexChanged, this, [this](int index) {
        this->context_.state.colorVision = std::max(0, index);
        sample_->update();
    });
    backgroundRow->addWidget(vision_);
    stack->addLayout(backgroundRow);

    ratio_ =
        withName(textLabel(QString(), theme::font(48, QFont::DemiBold), theme::Tone::Primary), QStringLiteral("ratio"));
    stack->addWidget(ratio_);
    stack->addWidget(sample_);

    for (const ContrastLevel &level : contrastLevels()) {
        auto *row = new QHBoxLayout;
        row->addWidget(textLabel(QCoreApplication::translate("ContrastLevel", level.name.toUtf8().constData()),
                                 theme::font(13), theme::Tone::Primary));
        row->addStretch();
        Label *verdict =
            withName(textLabel(QString(), theme::font(13, QFont::DemiBold), theme::Tone::Green), level.name);
        verdicts_.append(verdict);
        row->addWidget(verdict);
        stack->addLayout(row);
    }
    // Where a normal level fails: the nearest text colour that passes it.
    for (const ContrastLevel &level : contrastLevels()) {
        if (!level.name.endsWith(QLatin1String("normal")))
            continue;
        Suggestion offer{level.name, level.minimum, new QWidget, new ColorPatch, nullptr, new QPushButton, RGBA{}};
        offer.row->setObjectName(QLatin1String("suggest ") + level.name);
        auto *row = new QHBoxLayout(offer.row);
        row->setContentsMargins(0, 0, 0, 0);
        offer.chip->setFixedSize(22, 22);
        offer.chip->setRadius(6);
        row->addWidget(offer.chip);
        offer.text = textLabel(QString(), theme::font(12), theme::Tone::Secondary);
        offer.text->setWordWrap(true);
        row->addWidget(offer.text, 1);
        offer.use->setText(tr("Use"));
        row->addWidget(offer.use);
        const qsizetype at = suggestions_.size();
        connect(offer.use, &QPushButton::clicked, this, [this, at] {
            const RGBA before = this->context_.store.selected();
            const RGBA after = suggestions_.at(at).color;
            this->context_.undo.push(new SelectionEdit(this->context_.store, before, after));
        });
        suggestions_.append(offer);
        stack->addWidget(offer.row);
    }
    stack->addWidget(
        pageCaption(tr("WCAG relative luminance for opaque sRGB. Contrast alone does not establish accessibility.")));

    connect(&store, &Store::selectedChanged, this, &ContrastPage::update);
    update();
}

void ContrastPage::setColorVision(ColorVision vision)
{
    this->vision_->setCurrentIndex(int(vision));
}

ColorVision ContrastPage::colorVision() const
{
    return ColorVision(std::max(0, vision_->currentIndex()));
}

void ContrastPage::update()
{
    // The verdicts are those of the real colours, whatever the sample shows.
    const double value = contrastRatio(context_.store.selected(), context_.state.contrastBackground);
    ratio_->setText(ratioText(value));
    ratio_->setAccessibleName(tr("Contrast ratio %1").arg(ratioText(value)));
    for (qsizetype i = 0; i < verdicts_.size(); ++i) {
        const bool pass = passes(value, contrastLevels().at(i));
        verdicts_.at(i)->setText(pass ? tr("Pass") : tr("Fail"));
        verdicts_.at(i)->setTone(pass ? theme::Tone::Green : theme::Tone::Red);
        // Read out whole: "AA normal: Pass".
        verdicts_.at(i)->setAccessibleName(tr("%1: %2").arg(
            QCoreApplication::translate("ContrastLevel", contrastLevels().at(i).name.toUtf8().constData()),
            verdicts_.at(i)->text()));
    }
    for (Suggestion &offer : suggestions_) {
        const QString level = QCoreApplication::translate("ContrastLevel", offer.level.toUtf8().constData());
        offer.row->setVisible(value < offer.minimum);
        if (value >= offer.minimum)
            continue;
        const std::optional<RGBA> fixed =
            nearestPassingText(context_.store.selected(), context_.state.contrastBackground, offer.minimum);
        offer.chip->setVisible(fixed.has_value());
        offer.use->setVisible(fixed.has_value());
        if (fixed) {
            offer.color = *fixed;
            offer.chip->setColor(*fixed);
            offer.text->setText(tr("Nearest text color for %1: %2").arg(level, fixed->hex()));
            offer.use->setAccessibleName(tr("Use %1 as the text color").arg(fixed->hex()));
        } else {
            offer.text->setText(tr("No text color reaches %1 on this background.").arg(level));
        }
    }
    sample_->update();
    background_->sync();
}

} // namespace pigmentry
