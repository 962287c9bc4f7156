// SPDX-License-Identifier: GPL-3.0-or-later
#include "palettes_page.h"

#include "gui/kit/card.h"
#include "gui/studio/collection_edits.h"
#include "gui/studio/page_context.h"
#include "gui/studio/palette_choices.h"
#include "gui/studio/studio_state.h"
#include "gui/views/palette/palette_list.h"
#include "model/items/palette_model.h"
#include "model/library/preferences.h"
#include "model/library/store.h"
#include "platform/desktop/desktop_services.h"
#include "tools/palette_files.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>

namespace pigmentry {

namespace {

const Palette *findPalette(const Store &store, const QUuid &id)
{
    for (const Palette &palette : store.library().palettes) {
        if (palette.id == id)
            return &palette;
    }
    return nullptr;
}

} // namespace

PalettesPage::PalettesPage(PageContext &context, QWidget *parent)
    : QWidget(parent)
{
    Store &store = context.store;
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(20);

    empty_ = new EmptyState(QStringLiteral("square.stack.3d.up"), tr("Build your first palette"),
                            tr("Give your collection a name, then add colors from the inspector."));
    stack->addWidget(empty_);

    auto *header = new QHBoxLayout;
    auto *name = new QLineEdit(context.state.paletteName);
    name->setObjectName(QStringLiteral("paletteName"));
    name->setPlaceholderText(tr("Palette name"));
    name->setAccessibleName(tr("Palette name"));
    connect(name, &QLineEdit::textChanged, this,
            [&state = context.state](const QString &text) { state.paletteName = text; });
    header->addWidget(name, 1);
    auto *create = new QPushButton(tr("Create"));
    create->setObjectName(QStringLiteral("createPalette"));
    create->setToolTip(tr("A new palette holding the selected color"));
    // The field is emptied for the next name.
    connect(create, &QPushButton::clicked, this, [&store, name] {
        store.createPalette(name->text());
        name->clear();
    });
    // Return in the name field creates, as the button does.
    connect(name, &QLineEdit::returnPressed, create, &QPushButton::click);
    header->addWidget(create);
    auto *import = new QPushButton(tr("Import…"));
    import->setObjectName(QStringLiteral("importPalette"));
    import->setToolTip(
        tr("Add a palette from a file: JSON, GIMP, Adobe Swatch Exchange, Photoshop swatches or a hex list"));
    connect(import, &QPushButton::clicked, this,
            [&context] { PaletteFiles(context.store, *context.desktop.fileDialogs).importPalette(); });
    header->addWidget(import);
    stack->addLayout(header);

    model_ = new PaletteModel(store, this);
    list_ = new PaletteList([&store] { return store.selected(); });
    list_->setObjectName(QStringLiteral("paletteList"));
    list_->setAccessibleName(tr("Palettes"));
    list_->setModel(model_);
    list_->setDragText([&prefs = context.prefs](const RGBA &color) { return color.formatted(prefs.format()); });
    stack->addWidget(list_, 1);
    stack->addStretch(0);

    connect(list_, &PaletteList::colorChosen, &store,
            [&store](const RGBA &color, const QString &name) { store.select(color, name); });
    connect(list_, &PaletteList::nameColorRequested, this, [this, &store](const QUuid &id, int position) {
        const Palette *palette = findPalette(store, id);
        if (!palette || position >= palette->colors.size())
            return;
        bool ok = false;
        const QString name =
            QInputDialog::getText(this, tr("Name Color"), tr("Name of %1:").arg(palette->colors.at(position).hex()),
                                  QLineEdit::Normal, palette->colorName(position), &ok);
        if (ok)
            store.nameColor(id, position, name.trimmed());
    });
    connect(list_, &PaletteList::copyColorsRequested, this,
            [&store](const QList<RGBA> &colors) { store.copyColors(colors); });
    list_->setPaletteChoices([&store] { return paletteChoices(store.library()); });
    if (context.pickIntoPalette)
        list_->setPickIntoPalette([&context](const QUuid &palette) { context.pickIntoPalette(palette); });
    connect(list_, &PaletteList::addColorsRequested, this, [&store](const QList<RGBA> &colors, const QUuid &target) {
        if (!target.isNull()) {
            store.addColorsToPalette(target, colors);
            return;
        }
        store.appendPalette(Palette{QUuid::createUuid(), tr("Untitled Palette"), colors, QString(), {}});
    });
    connect(list_, &PaletteList::exportColorsRequested, this, [&context](const QList<RGBA> &colors) {
        PaletteFiles(context.store, *context.desktop.fileDialogs)
            .exportPalette(Palette{QUuid::createUuid(), QStringLiteral("Pigmentry"), colors, QString(), {}});
    });
    connect(list_, &PaletteList::moveColorRequested, this, [&context](const QUuid &id, int from, int to) {
        undoable::moveColor(context.store, context.undo, id, from, to);
    });
    connect(list_, &PaletteList::movePaletteRequested, this,
            [&context](int from, int to) { undoable::movePalette(context.store, context.undo, from, to); });
    connect(list_, &PaletteList::exportRequested, this, [&context](const QUuid &id) {
        if (const Palette *palette = findPalette(context.store, id))
            PaletteFiles(context.store, *context.desktop.fileDialogs).exportPalette(Palette(*palette));
    });
    connect(list_, &PaletteList::duplicateRequested, this, [&store](const QUuid &id) {
        if (const Palette *palette = findPalette(store, id))
            store.duplicatePalette(Palette(*palette));
    });
    connect(list_, &PaletteList::deleteRequested, this,
            [&context](const QUuid &id) { undoable::deletePalette(context.store, context.undo, id); });
    connect(list_, &PaletteList::removeColorsRequested, this, [&context](const QUuid &id, const QList<int> &positions) {
        undoable::removeColors(context.store, context.undo, id, QList<qsizetype>(positions.cbegin(), positions.cend()));
    });
    connect(list_, &PaletteList::colorDropped, this, [&store](const QUuid &id, const RGBA &color, const QString &name) {
        if (const Palette *palette = findPalette(store, id))
            store.insertColor(id, palette->colors.size(), color, name);
    });

    connect(model_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int, int last) {
        list_->scrollTo(model_->index(last), QAbstractItemView::EnsureVisible);
        updateEmptyState();
    });
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &PalettesPage::updateEmptyState);
    connect(model_, &QAbstractItemModel::modelReset, this, &PalettesPage::updateEmptyState);
    updateEmptyState();
}

void PalettesPage::updateEmptyState()
{
    const bool none = model_->rowCount() == 0;
    empty_->setVisible(none);
    list_->setVisible(!none);
}

} // namespace pigmentry
