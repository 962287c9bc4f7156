// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspector.h"

#include "gui/kit/color_patch.h"
#include "gui/kit/color_well.h"
#include "gui/kit/divider.h"
#include "gui/kit/labels.h"
#include "gui/kit/style.h"
#include "gui/kit/swatch_painting.h"
#include "gui/kit/theme.h"
#include "gui/studio/page_context.h"
#include "gui/studio/palette_choices.h"
#include "model/color/color_names.h"
#include "model/color/css_color.h"
#include "model/library/store.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace pigmentry {

namespace {

QString hexMessage()
{
    return QCoreApplication::translate("Inspector", "Use a hex code (#RGB to #RRGGBBAA) or a CSS color.");
}
const QStringList codeNames = {QStringLiteral("RGB"), QStringLiteral("HSL"), QStringLiteral("HSV")};

} // namespace

Inspector::Inspector(PageContext &context, QWidget *parent)
    : QWidget(parent)
    , context_(context)
{
    setObjectName(QStringLiteral("inspector"));
    auto *stack = new QVBoxLayout(this);
    stack->setSpacing(20);
    stack->setContentsMargins(22, 22, 22, 22);

    // Header.
    auto *header = new QHBoxLayout;
    header->addWidget(
        textLabel(tr("COLOR DETAILS"), tracked(theme::font(10, QFont::DemiBold), 1.3), theme::Tone::Secondary));
    auto *badge = new Pill(QStringLiteral("sRGB"), theme::font(9, QFont::Medium), theme::Tone::Secondary, 100);
    badge->setContentsMargins(7, 3, 7, 3);
    header->addWidget(badge);
    header->addStretch();
    stack->addLayout(header);

    swatch_ = new ColorPatch;
    swatch_->setFixedHeight(120);
    swatch_->setBorder(0.07);
    stack->addWidget(swatch_);

    stack->addLayout(titleBlock());
    stack->addLayout(hexEntry());
    stack->addLayout(codeTable());
    stack->addLayout(opacityBlock());

    stack->addWidget(new Divider);

    stack->addLayout(exportBlock());
    stack->addLayout(saveRow());

    auto *footnote = textLabel(tr("Screen colors are converted to sRGB."), theme::font(10), theme::Tone::Secondary);
    footnote->setContentsMargins(0, 4, 0, 0);
    footnote->setWordWrap(true);
    stack->addWidget(footnote);
    stack->addStretch();

    connect(&context.store, &Store::selectedChanged, this, &Inspector::updateSelected);
    updateSelected();
}

// The code, the colour editor and what the colour is called (or the name a
// palette gave it).
QLayout *Inspector::titleBlock()
{
    Store &store = context_.store;
    auto *block = new QVBoxLayout;
    block->setSpacing(20);
    auto *titleRow = new QHBoxLayout;
    hexTitle_ = withName(textLabel(QString(), theme::monospace(23, QFont::Medium), theme::Tone::Primary),
                         QStringLiteral("hexTitle"));
    hexTitle_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    titleRow->addWidget(hexTitle_);
    titleRow->addStretch();
    well_ = new ColorWell([&store] { return store.selected(); }, true, tr("Edit color"));
    well_->setAccessibleName(tr("Edit color"));
    well_->setToolTip(tr("Open color editor"));
    connect(well_, &ColorWell::edited, &store, [&store](const RGBA &color) { store.select(color); });
    titleRow->addWidget(well_);
    block->addLayout(titleRow);
    // What the colour is called, or the name a palette gave it.
    colorName_ = withName(textLabel(QString(), theme::font(12), theme::Tone::Secondary), QStringLiteral("colorName"));
    colorName_->setWordWrap(true);
    colorName_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    block->addWidget(colorName_);
    return block;
}

// The hex field and the error under it.
QLayout *Inspector::hexEntry()
{
    auto *entry = new QVBoxLayout;
    entry->setSpacing(6);
    Label *heading = fieldLabel(tr("HEX VALUE"));
    entry->addWidget(heading);
    hex_ = withName(new QLineEdit, QStringLiteral("hexField"));
    heading->setBuddy(hex_);
    hex_->setPlaceholderText(QStringLiteral("#RRGGBB"));
    hex_->setFont(theme::monospace(13));
    hex_->setAccessibleName(tr("HEX VALUE"));
    connect(hex_, &QLineEdit::returnPressed, this, &Inspector::submitHex);
    entry->addWidget(hex_);
    error_ = withName(textLabel(QString(), theme::font(11), theme::Tone::Red), QStringLiteral("hexError"));
    error_->setWordWrap(true);
    error_->hide();
    entry->addWidget(error_);
    return entry;
}

// The colour in RGB, HSL and HSV.
QLayout *Inspector::codeTable()
{
    auto *codeList = new QVBoxLayout;
    codeList->setSpacing(0);
    for (qsizetype i = 0; i < codeNames.size(); ++i) {
        if (i)
            codeList->addWidget(new Divider);
        auto *row = new QHBoxLayout;
        row->setContentsMargins(0, 10, 0, 10);
        auto *name = textLabel(codeNames.at(i), theme::font(10, QFont::Medium), theme::Tone::Secondary);
        name->setFixedWidth(28);
        row->addWidget(name);
        auto *code = textLabel(QString(), theme::monospace(10), theme::Tone::Primary);
        code->setTextInteractionFlags(Qt::TextSelectableByMouse);
        row->addWidget(code, 1);
        codes_.append(code);
        codeList->addLayout(row);
    }
    return codeList;
}

// The opacity slider and its value.
QLayout *Inspector::opacityBlock()
{
    auto *block = new QVBoxLayout;
    block->setSpacing(6);
    auto *opacityRow = new QHBoxLayout;
    Label *heading = fieldLabel(tr("OPACITY"));
    opacityRow->addWidget(heading);
    opacityRow->addStretch();
    opacity_ =
        withName(textLabel(QString(), theme::monospace(11), theme::Tone::Secondary), QStringLiteral("opacityText"));
    opacityRow->addWidget(opacity_);
    block->addLayout(opacityRow);
    slider_ = withName(new QSlider(Qt::Horizontal), QStringLiteral("opacitySlider"));
    // In percent, as it is shown and read out: an arrow moves 1 %, a page
    // key 10 %.
    slider_->setRange(0, 100);
    slider_->setSingleStep(1);
    slider_->setPageStep(10);
    slider_->setAccessibleName(tr("Opacity"));
    heading->setBuddy(slider_);
    connect(slider_, &QSlider::valueChanged, this,
            [this](int value) { this->context_.store.setOpacity(value / 100.0); });
    block->addWidget(slider_);
    return block;
}

// The format to copy as, and the copy button.
QLayout *Inspector::exportBlock()
{
    auto *block = new QVBoxLayout;
    block->setSpacing(8);
    Label *heading = fieldLabel(tr("EXPORT FORMAT"));
    block->addWidget(heading);
    format_ = withName(new QComboBox, QStringLiteral("formatPicker"));
    format_->addItems(RGBA::formats());
    // Named by its heading, in words a reader says rather than spells.
    format_->setAccessibleName(tr("Export format"));
    heading->setBuddy(format_);
    block->addWidget(format_);
    auto *copy = withName(new QPushButton, QStringLiteral("copyFormat"));
    copy->setIcon(theme::icon(QStringLiteral("doc.on.doc"), theme::Tone::White));
    makeProminent(copy);
    copy->setFixedHeight(32);
    connect(format_, &QComboBox::currentTextChanged, copy,
            [copy](const QString &name) { copy->setText(tr("Copy %1").arg(name)); });
    copy->setText(tr("Copy %1").arg(format_->currentText()));
    connect(copy, &QPushButton::clicked, this,
            [this] { this->context_.store.copy(this->context_.store.selected(), format_->currentText()); });
    block->addWidget(copy);
    return block;
}

// Save, and the palette menu.
QLayout *Inspector::saveRow()
{
    auto *block = new QHBoxLayout;
    auto *save = new QPushButton(theme::icon(QStringLiteral("plus")), tr("Save"));
    connect(save, &QPushButton::clicked, this,
            [this] { this->context_.store.capture(this->context_.store.selected()); });
    block->addWidget(save);
    palette_ = withName(new QPushButton(theme::icon(QStringLiteral("square.stack.3d.up")), tr("Palette")),
                        QStringLiteral("paletteMenu"));
    palette_->setMenu(new QMenu(palette_));
    connect(palette_->menu(), &QMenu::aboutToShow, this, &Inspector::rebuildPaletteMenu);
    block->addWidget(palette_);
    block->addStretch();
    return block;
}

void Inspector::syncHex()
{
    hex_->setText(context_.store.selected().hex());
}

void Inspector::submitHex()
{
    const std::optional<RGBA> parsed = parseCssColor(hex_->text());
    if (!parsed) {
        error_->setText(hexMessage());
        error_->show();
        return;
    }
    error_->clear();
    error_->hide();
    // An unchanged colour changes nothing, so the field keeps what was typed.
    if (!(*parsed == context_.store.selected()))
        context_.store.select(*parsed);
}

void Inspector::updateSelected()
{
    const RGBA &color = context_.store.selected();
    swatch_->setColor(color);
    hexTitle_->setText(color.hex());
    // The name a palette gave it, else what it is called.
    colorName_->setText(context_.store.selectedName().isEmpty() ? pigmentry::colorName(color)
                                                                : context_.store.selectedName());
    syncHex();
    for (qsizetype i = 0; i < codes_.size(); ++i)
        codes_.at(i)->setText(color.formatted(codeNames.at(i)));
    opacity_->setText(QString::number(std::isfinite(color.a) ? int(std::trunc(color.a * 100)) : 0) + u'%');
    {
        const QSignalBlocker blocker(slider_);
        slider_->setValue(int(std::lround(std::clamp(std::isfinite(color.a) ? color.a : 0.0, 0.0, 1.0) * 100)));
    }
    well_->sync();
}

void Inspector::rebuildPaletteMenu()
{
    // Built when it opens, so it always shows the palettes of the moment.
    QMenu *menu = palette_->menu();
    menu->clear();
    const auto &palettes = context_.store.library().palettes;
    if (palettes.isEmpty()) {
        menu->addAction(tr("Create a palette in My Palettes"), this, [this] { context_.showPage(Page::palettes); });
        return;
    }
    const QList<std::pair<QUuid, QString>> choices = paletteChoices(context_.store.library());
    for (const auto &[id, shown] : choices)
        menu->addAction(shown, this, [this, id = id] { context_.store.addToPalette(id); });
    if (!context_.pickIntoPalette)
        return;
    menu->addSeparator();
    QMenu *into = menu->addMenu(tr("Pick Colors into"));
    for (const auto &[id, shown] : choices)
        into->addAction(tr("“%1”").arg(shown), this, [this, id = id] { context_.pickIntoPalette(id); });
}

} // namespace pigmentry
