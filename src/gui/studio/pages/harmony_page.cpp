#include "harmony_page.h"

#include "gui/kit/card.h"
#include "gui/kit/labels.h"
#include "gui/kit/theme.h"
#include "gui/studio/page_context.h"
#include "gui/studio/pages/tool_parts.h"
#include "gui/views/swatch_grid.h"
#include "model/color_list_model.h"
#include "model/store.h"
#include "tools/harmony.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>

namespace pigmentry {

HarmonyPage::HarmonyPage(PageContext &context, QWidget *parent)
    : QWidget(parent)
    , context(context)
{
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(20);
    for (const HarmonyRule &rule : harmonyRules()) {
        // The rule's name in the desktop's language; the object name and the
        // command line keep the English one.
        const QString shown = QCoreApplication::translate("HarmonyRule", rule.name.toUtf8().constData());
        auto *card = new StudioCard;
        card->setObjectName(rule.name);
        card->content()->setSpacing(12);
        card->content()->addWidget(textLabel(shown, theme::font(13, QFont::DemiBold), theme::Tone::Primary));
        auto *model = new ColorListModel(this);
        rows.append(model);
        SwatchGrid *tiles = tileRow(context.store, context.prefs, model);
        tiles->setAccessibleName(shown);
        card->content()->addWidget(tiles);
        auto *save = new QPushButton(QCoreApplication::translate("HarmonyPage", "Save Palette"));
        save->setAccessibleName(QCoreApplication::translate("HarmonyPage", "Save %1 as a palette").arg(shown));
        // The colours of the moment of the click, under the rule's name.
        connect(save, &QPushButton::clicked, this, [&store = context.store, model, name = shown] {
            store.appendPalette(Palette{QUuid::createUuid(), name, model->colors(), QString()});
        });
        auto *row = new QHBoxLayout;
        row->addWidget(save);
        row->addStretch();
        card->content()->addLayout(row);
        stack->addWidget(card);
    }
    stack->addWidget(pageCaption(
        QCoreApplication::translate("HarmonyPage", "Mathematical suggestions; contrast has not been validated.")));
    connect(&context.store, &Store::selectedChanged, this, &HarmonyPage::update);
    update();
}

void HarmonyPage::update()
{
    for (qsizetype i = 0; i < rows.size(); ++i)
        rows.at(i)->setColors(harmonyColors(context.store.selected(), harmonyRules().at(i)));
}

} // namespace pigmentry
