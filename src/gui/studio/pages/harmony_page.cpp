// SPDX-License-Identifier: GPL-3.0-or-later
#include "harmony_page.h"

#include "gui/kit/card.h"
#include "gui/kit/labels.h"
#include "gui/kit/theme.h"
#include "gui/kit/wrapping_row.h"
#include "gui/studio/page_context.h"
#include "gui/studio/pages/tool_parts.h"
#include "gui/views/swatch_grid.h"
#include "model/items/color_list_model.h"
#include "model/library/store.h"
#include "tools/harmony.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>

#include <algorithm>

namespace pigmentry {

namespace {
// The colour over its code, lower than the grids' tiles.
constexpr int compactTileHeight = 68;
constexpr int tileWidth = 88;
// The column of a rule's name and button.
constexpr int titleWidth = 150;
} // namespace

HarmonyPage::HarmonyPage(PageContext &context, QWidget *parent)
    : QWidget(parent)
    , context(context)
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
        card->content()->setContentsMargins(20, 12, 20, 12);
        auto *row = new WrappingRow(16);
        auto *title = new QVBoxLayout;
        title->setSpacing(8);
        Label *name = textLabel(shown, theme::font(13, QFont::DemiBold), theme::Tone::Primary);
        name->setWordWrap(true);
        title->addWidget(name);
        title->addStretch();
        auto *save = new QPushButton(tr("Save Palette"));
        save->setAccessibleName(tr("Save Palette, %1").arg(shown));
        title->addWidget(save, 0, Qt::AlignLeft);
        auto *titleBox = new QWidget;
        titleBox->setLayout(title);
        titleBox->setFixedWidth(titleWidth);
        title->setContentsMargins(0, 0, 0, 0);
        row->addWidget(titleBox);
        auto *model = new ColorListModel(this);
        rows.append(model);
        SwatchGrid *tiles = tileRow(context.store, context.prefs, model);
        tiles->setCellSize(tileWidth, compactTileHeight, false);
        tiles->setAccessibleName(shown);
        row->addWidget(tiles, 1);
        // Every rule's colours under its name where the longest rule does
        // not fit beside it, so that the cards stay alike.
        row->setBreakWidth(titleWidth + 16 + longest * (tileWidth + 8) - 8);
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
    for (qsizetype i = 0; i < rows.size(); ++i)
        rows.at(i)->setColors(harmonyColors(context.store.selected(), harmonyRules().at(i)));
}

} // namespace pigmentry
