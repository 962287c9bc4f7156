// SPDX-License-Identifier: GPL-3.0-or-later
#include "history_page.h"

#include "gui/kit/card.h"
#include "gui/kit/labels.h"
#include "gui/kit/theme.h"
#include "gui/studio/collection_edits.h"
#include "gui/studio/page_context.h"
#include "gui/studio/palette_choices.h"
#include "gui/studio/studio_state.h"
#include "gui/views/history_grid.h"
#include "model/items/history_model.h"
#include "model/library/preferences.h"
#include "model/library/store.h"
#include "platform/desktop/desktop_services.h"
#include "tools/palette_files.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace pigmentry {

namespace {

// The search field's rounded well on the control background.
class SearchBar : public QWidget {
public:
    SearchBar()
    {
        auto *row = new QHBoxLayout(this);
        row->setContentsMargins(10, 10, 10, 10);
        row->setSpacing(8);
        row->addWidget(new SymbolLabel(QStringLiteral("magnifyingglass"), 14, theme::Tone::Secondary));
        field = new QLineEdit;
        field->setObjectName(QStringLiteral("searchField"));
        field->setFrame(false);
        field->setPlaceholderText(QCoreApplication::translate("HistoryPage", "Search colors or labels"));
        field->setAccessibleName(QCoreApplication::translate("HistoryPage", "Search colors or labels"));
        field->setClearButtonEnabled(true);
        // The field draws no background of its own inside the well.
        field->setAttribute(Qt::WA_MacShowFocusRect, false);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, Qt::transparent);
        field->setPalette(palette);
        row->addWidget(field, 1);
        setFocusProxy(field);
    }
    QLineEdit *field;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
        painter.fillPath(shape, theme::controlBackground());
        painter.setPen(QPen(field->hasFocus() ? theme::accent() : theme::primary(0.08), 1));
        painter.drawPath(shape);
    }
};

} // namespace

HistoryPage::HistoryPage(PageContext &context, bool favoritesOnly, QWidget *parent)
    : QWidget(parent)
    , context_(context)
    , favoritesOnly_(favoritesOnly)
{
    Store &store = context.store;
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(20);

    auto *header = new QHBoxLayout;
    header->setSpacing(12);
    auto *bar = new SearchBar;
    search_ = bar->field;
    search_->setText(context.state.search());
    header->addWidget(bar, 1);
    auto *exportButton = new QPushButton(theme::icon(QStringLiteral("square.and.arrow.up")), tr("Export"));
    exportButton->setObjectName(QStringLiteral("exportHistory"));
    exportButton->setToolTip(tr("Export every color of the history as hex codes"));
    connect(exportButton, &QPushButton::clicked, this,
            [&context] { PaletteFiles(context.store, *context.desktop.fileDialogs).exportHistory(); });
    header->addWidget(exportButton);
    stack->addLayout(header);

    empty_ = new EmptyState(favoritesOnly ? QStringLiteral("star") : QStringLiteral("eyedropper"),
                            favoritesOnly ? tr("Your favorites, collected") : tr("Your color journey starts here"),
                            QString());
    stack->addWidget(empty_);

    model_ = new HistoryModel(store, -1, this);
    filter_ = new HistoryFilter(this);
    filter_->setFavoritesOnly(favoritesOnly);
    filter_->setSearch(context.state.search());
    filter_->setSourceModel(model_);
    grid_ = new HistoryGrid([&store] { return store.selected(); });
    grid_->setObjectName(QStringLiteral("historyGrid"));
    grid_->setAccessibleName(favoritesOnly ? tr("Favorites") : tr("Recent colors"));
    grid_->setModel(filter_);
    grid_->followSelection(store);
    grid_->setDragText([&prefs = context.prefs](const RGBA &color) { return color.formatted(prefs.format()); });
    stack->addWidget(grid_, 1);
    stack->addStretch(0);

    auto colorAt = [](const QModelIndex &index) { return index.data(ColorRole).value<RGBA>(); };
    auto colorsOf = [colorAt](const QModelIndexList &indexes) {
        QList<RGBA> colors;
        for (const QModelIndex &index : indexes)
            colors.append(colorAt(index));
        return colors;
    };
    auto idsOf = [](const QModelIndexList &indexes) {
        QList<QUuid> ids;
        for (const QModelIndex &index : indexes)
            ids.append(index.data(IdRole).toUuid());
        return ids;
    };
    grid_->setPaletteChoices([&store] { return paletteChoices(store.library()); });
    connect(grid_, &SwatchGrid::chosen, this, [&store, colorAt](const QModelIndex &index) {
        // A label travels with the colour: into a palette, as its name.
        store.select(colorAt(index), index.data(LabelRole).toString());
    });
    connect(grid_, &HistoryGrid::copyRequested, this,
            [&store, colorsOf](const QModelIndexList &indexes) { store.copyColors(colorsOf(indexes)); });
    connect(grid_, &HistoryGrid::removeRequested, this, [&context, idsOf](const QModelIndexList &indexes) {
        undoable::deleteRecords(context.store, context.undo, idsOf(indexes));
    });
    connect(grid_, &HistoryGrid::favoriteRequested, this,
            [&store, idsOf](const QModelIndexList &indexes, bool favorite) {
                store.setFavorites(idsOf(indexes), favorite);
            });
    connect(
        grid_, &HistoryGrid::addToPaletteRequested, this,
        [&store, colorsOf](const QModelIndexList &indexes, const QUuid &palette) {
            if (!palette.isNull()) {
                QStringList labels;
                for (const QModelIndex &index : indexes)
                    labels.append(index.data(LabelRole).toString());
                store.addColorsToPalette(palette, colorsOf(indexes), labels);
                return;
            }
            store.appendPalette(Palette{QUuid::createUuid(), tr("Untitled Palette"), colorsOf(indexes), QString(), {}});
        });
    connect(grid_, &HistoryGrid::exportRequested, this, [&context, colorsOf](const QModelIndexList &indexes) {
        const Palette palette{QUuid::createUuid(), QStringLiteral("Pigmentry"), colorsOf(indexes), QString(), {}};
        PaletteFiles(context.store, *context.desktop.fileDialogs).exportPalette(palette);
    });

    // One search for both pages: typing here filters the other page too.
    connect(search_, &QLineEdit::textChanged, &context.state, &StudioState::setSearch);
    connect(&context.state, &StudioState::searchChanged, this, [this](const QString &text) {
        if (search_->text() != text)
            search_->setText(text);
        filter_->setSearch(text);
        updateEmptyState();
    });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(filter_, signal, this, &HistoryPage::updateEmptyState);
    connect(filter_, &QAbstractItemModel::modelReset, this, &HistoryPage::updateEmptyState);
    connect(filter_, &QAbstractItemModel::layoutChanged, this, &HistoryPage::updateEmptyState);
    updateEmptyState();
}

void HistoryPage::updateEmptyState()
{
    const bool none = filter_->rowCount() == 0;
    empty_->setVisible(none);
    grid_->setVisible(!none);
    empty_->setDetail(filter_->search().isEmpty() ? tr("Pick a color from your screen to start your collection.")
                                                  : tr("Try another color code or label."));
}

} // namespace pigmentry
