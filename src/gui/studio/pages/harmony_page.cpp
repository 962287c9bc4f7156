// SPDX-License-Identifier: GPL-3.0-or-later
#include "harmony_page.h"

#include "gui/kit/card.h"
#include "gui/kit/labels.h"
#include "gui/kit/theme.h"
#include "gui/studio/page_context.h"
#include "gui/studio/pages/tool_parts.h"
#include "gui/views/swatch_grid.h"
#include "model/items/color_list_model.h"
#include "model/library/store.h"
#include "tools/harmony.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>

#include <algorithm>

namespace pigmentry {

namespace {

// The column of a rule's name and button.
constexpr int titleWidth = 150;

// A rule's name and button beside its colours where the width holds them;
// otherwise the name, the colours and the button one under the other, the
// name on the whole width.
class RuleRow : public QWidget {
public:
    RuleRow(QWidget *name, QWidget *tiles, QWidget *button, int breakWidth)
        : grid_(new QGridLayout(this))
        , name_(name)
        , tiles_(tiles)
        , button_(button)
        , breakWidth_(breakWidth)
    {
        grid_->setContentsMargins(0, 0, 0, 0);
        grid_->setHorizontalSpacing(16);
        grid_->setVerticalSpacing(8);
        arrange(false);
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        arrange(width() < breakWidth_);
        QWidget::resizeEvent(event);
    }

private:
    void arrange(bool stack)
    {
        if (stack == stacked_ && grid_->count() > 0)
            return;
        stacked_ = stack;
        for (QWidget *widget : {name_, tiles_, button_})
            grid_->removeWidget(widget);
        if (stack) {
            name_->setMinimumWidth(0);
            name_->setMaximumWidth(QWIDGETSIZE_MAX);
            grid_->addWidget(name_, 0, 0);
            grid_->addWidget(tiles_, 1, 0);
            grid_->addWidget(button_, 2, 0, Qt::AlignLeft);
            grid_->setColumnStretch(0, 1);
            grid_->setColumnStretch(1, 0);
            grid_->setRowStretch(1, 0);
        } else {
            name_->setFixedWidth(titleWidth);
            grid_->addWidget(name_, 0, 0, Qt::AlignTop);
            grid_->addWidget(button_, 1, 0, Qt::AlignLeft | Qt::AlignBottom);
            grid_->addWidget(tiles_, 0, 1, 2, 1);
            grid_->setColumnStretch(0, 0);
            grid_->setColumnStretch(1, 1);
            grid_->setRowStretch(1, 1);
        }
        // Tab follows the eye.
        if (stack)
            setTabOrder(tiles_, button_);
        else
            setTabOrder(button_, tiles_);
        updateGeometry();
    }

    QGridLayout *grid_;
    QWidget *name_;
    QWidget *tiles_;
    QWidget *button_;
    int breakWidth_;
    bool stacked_ = false;
};

// The colour over its code, lower than the grids' tiles.
constexpr int compactTileHeight = 68;
constexpr int tileWidth = 88;

} // namespace

HarmonyPage::HarmonyPage(PageContext &context, QWidget *parent)
    : QWidget(parent)
    , context_(context)
{
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(14);
    qsizetype longest = 0;
    for (const HarmonyRule &rule : harmonyRules())
        longest = std::max(longest, rule.offsets.size());
    for (const HarmonyRule &rule : harmonyRules()) {
        // The rule's name in the desktop's language; the object name and the
        // command line keep the English one.
        const QString shown = QCoreApplication::translate("HarmonyRule", rule.name.toUtf8().constData());
        // A compact card: the name and its button beside the colours, so
        // that the five rules fit the window at its default size.
        auto *card = new StudioCard;
        card->setObjectName(rule.name);
        // The colours keep room for their focus ring: the card's margin is
        // that much less above and below.
        card->content()->setContentsMargins(20, 12 - SwatchGrid::ringRoom, 20, 12 - SwatchGrid::ringRoom);
        Label *name = textLabel(shown, theme::font(13, QFont::DemiBold), theme::Tone::Primary);
        name->setObjectName(QStringLiteral("ruleName"));
        name->setWordWrap(true);
        auto *save = new QPushButton(tr("Save Palette"));
        save->setAccessibleName(tr("Save Palette, %1").arg(shown));
        auto *model = new ColorListModel(this);
        rows_.append(model);
        SwatchGrid *tiles = tileRow(context.store, context.prefs, model);
        tiles->setCellSize(tileWidth, compactTileHeight, false);
        tiles->setAccessibleName(shown);
        // Every rule's colours under its name where the longest rule does
        // not fit beside it, so that the cards stay alike.
        auto *row = new RuleRow(name, tiles, save, titleWidth + 16 + int(longest) * (tileWidth + 8) - 8);
        // The colours of the moment of the click, under the rule's name.
        connect(save, &QPushButton::clicked, this, [&store = context.store, model, name = shown] {
            store.appendPalette(Palette{QUuid::createUuid(), name, model->colors(), QString(), {}});
        });
        card->content()->addWidget(row);
        stack->addWidget(card);
    }
    stack->addWidget(pageCaption(tr("Mathematical suggestions; contrast has not been validated.")));
    connect(&context.store, &Store::selectedChanged, this, &HarmonyPage::update);
    update();
}

void HarmonyPage::update()
{
    for (qsizetype i = 0; i < rows_.size(); ++i)
        rows_.at(i)->setColors(harmonyColors(context_.store.selected(), harmonyRules().at(i)));
}

} // namespace pigmentry
