#include "inspector.h"

#include "app/theme.h"
#include "app/widgets.h"
#include "model/store.h"

#include <QColorDialog>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

#include <cmath>

namespace pigmentry {

namespace {

const QString hexMessage = QStringLiteral("Use 6 or 8 hexadecimal digits.");

QString prominentStyle()
{
    return QStringLiteral("QPushButton { background: %1; color: white; border: none; border-radius: 7px; padding: 0 12px; }"
                          "QPushButton:hover { background: %2; } QPushButton:pressed { background: %3; }")
        .arg(theme::accent().name(), theme::accent().lighter(110).name(), theme::accent().darker(115).name());
}

} // namespace

Inspector::Inspector(Store &store, std::function<void(Page)> showPage, QWidget *parent)
    : QWidget(parent), store(store), showPage(std::move(showPage))
{
    auto *stack = new QVBoxLayout(this);
    stack->setSpacing(20);
    stack->setContentsMargins(22, 22, 22, 22);

    // Header.
    auto *header = new QHBoxLayout;
    header->addWidget(textLabel(QStringLiteral("COLOR DETAILS"), tracked(theme::font(10, QFont::DemiBold), 1.3),
                                theme::secondary()));
    auto *badge = textLabel(QStringLiteral("sRGB"), theme::font(9, QFont::Medium), theme::secondary());
    badge->setContentsMargins(7, 3, 7, 3);
    badge->setStyleSheet(QStringLiteral("background: %1; border-radius: 8px;").arg(theme::quaternary().name(QColor::HexArgb)));
    header->addWidget(badge);
    header->addStretch();
    stack->addLayout(header);

    swatch = new ColorPatch;
    swatch->setFixedHeight(120);
    swatch->setBorder(theme::primary(0.07));
    stack->addWidget(swatch);

    // The code and the colour editor.
    auto *titleRow = new QHBoxLayout;
    hexTitle = textLabel(QString(), theme::monospace(23, QFont::Medium), theme::primary());
    hexTitle->setTextInteractionFlags(Qt::TextSelectableByMouse);
    titleRow->addWidget(hexTitle);
    titleRow->addStretch();
    well = new QPushButton;
    well->setFixedSize(44, 26);
    well->setAccessibleName(QStringLiteral("Edit color"));
    well->setToolTip(QStringLiteral("Open color editor"));
    connect(well, &QPushButton::clicked, this, &Inspector::openColorEditor);
    titleRow->addWidget(well);
    stack->addLayout(titleRow);

    // Hex entry.
    auto *entry = new QVBoxLayout;
    entry->setSpacing(6);
    entry->addWidget(fieldLabel(QStringLiteral("HEX VALUE")));
    hex = new QLineEdit;
    hex->setPlaceholderText(QStringLiteral("#RRGGBB"));
    hex->setFont(theme::monospace(13));
    hex->setAccessibleName(QStringLiteral("HEX VALUE"));
    connect(hex, &QLineEdit::returnPressed, this, &Inspector::submitHex);
    entry->addWidget(hex);
    error = textLabel(QString(), theme::font(11), theme::red());
    error->setWordWrap(true);
    error->hide();
    entry->addWidget(error);
    stack->addLayout(entry);

    // RGB, HSL, HSV.
    auto *codeList = new QVBoxLayout;
    codeList->setSpacing(0);
    const QStringList names = {QStringLiteral("RGB"), QStringLiteral("HSL"), QStringLiteral("HSV")};
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i)
            codeList->addWidget(divider());
        auto *row = new QHBoxLayout;
        row->setContentsMargins(0, 10, 0, 10);
        auto *name = textLabel(names.at(i), theme::font(10, QFont::Medium), theme::secondary());
        name->setFixedWidth(28);
        row->addWidget(name);
        auto *code = textLabel(QString(), theme::monospace(10), theme::primary());
        code->setTextInteractionFlags(Qt::TextSelectableByMouse);
        row->addWidget(code, 1);
        codes.append(code);
        codeList->addLayout(row);
    }
    stack->addLayout(codeList);

    // Opacity.
    auto *opacityBlock = new QVBoxLayout;
    opacityBlock->setSpacing(6);
    auto *opacityRow = new QHBoxLayout;
    opacityRow->addWidget(fieldLabel(QStringLiteral("OPACITY")));
    opacityRow->addStretch();
    opacity = textLabel(QString(), theme::monospace(11), theme::secondary());
    opacityRow->addWidget(opacity);
    opacityBlock->addLayout(opacityRow);
    slider = new QSlider(Qt::Horizontal);
    slider->setRange(0, 1000);
    slider->setAccessibleName(QStringLiteral("Opacity"));
    connect(slider, &QSlider::valueChanged, this, [this](int value) { this->store.setOpacity(value / 1000.0); });
    opacityBlock->addWidget(slider);
    stack->addLayout(opacityBlock);

    stack->addWidget(divider());

    // Export.
    auto *exportBlock = new QVBoxLayout;
    exportBlock->setSpacing(8);
    exportBlock->addWidget(fieldLabel(QStringLiteral("EXPORT FORMAT")));
    format = new QComboBox;
    format->addItems(RGBA::formats());
    format->setAccessibleName(QStringLiteral("Copy as"));
    exportBlock->addWidget(format);
    copy = new QPushButton;
    copy->setIcon(theme::icon(QStringLiteral("doc.on.doc"), Qt::white));
    copy->setStyleSheet(prominentStyle());
    copy->setFixedHeight(32);
    connect(format, &QComboBox::currentTextChanged, this,
            [this](const QString &name) { copy->setText(QLatin1String("Copy ") + name); });
    copy->setText(QLatin1String("Copy ") + format->currentText());
    connect(copy, &QPushButton::clicked, this, [this] { this->store.copy(this->store.selected(), format->currentText()); });
    exportBlock->addWidget(copy);
    stack->addLayout(exportBlock);

    // Save and Palette.
    auto *saveRow = new QHBoxLayout;
    auto *save = new QPushButton(theme::icon(QStringLiteral("plus")), QStringLiteral("Save"));
    connect(save, &QPushButton::clicked, this, [this] { this->store.capture(this->store.selected()); });
    saveRow->addWidget(save);
    palette = new QToolButton;
    palette->setText(QStringLiteral("Palette"));
    palette->setIcon(theme::icon(QStringLiteral("square.stack.3d.up")));
    palette->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    palette->setPopupMode(QToolButton::InstantPopup);
    palette->setMenu(new QMenu(palette));
    connect(palette->menu(), &QMenu::aboutToShow, this, &Inspector::rebuildPaletteMenu);
    saveRow->addWidget(palette);
    saveRow->addStretch();
    stack->addLayout(saveRow);

    auto *footnote = textLabel(QStringLiteral("Screen colors are converted to sRGB."), theme::font(10), theme::tertiary());
    footnote->setContentsMargins(0, 4, 0, 0);
    stack->addWidget(footnote);
    stack->addStretch();

    connect(&store, &Store::selectedChanged, this, &Inspector::updateSelected);
    connect(&store, &Store::libraryChanged, this, &Inspector::rebuildPaletteMenu);
    updateSelected();
    rebuildPaletteMenu();
}

void Inspector::submitHex()
{
    const std::optional<RGBA> parsed = RGBA::fromHex(hex->text());
    if (!parsed) {
        error->setText(hexMessage);
        error->show();
        return;
    }
    error->clear();
    error->hide();
    // An unchanged colour changes nothing, so the field keeps what was typed.
    if (!(*parsed == store.selected()))
        store.select(*parsed);
}

void Inspector::updateSelected()
{
    const RGBA &color = store.selected();
    swatch->setColor(color);
    hexTitle->setText(color.hex());
    hex->setText(color.hex());
    const QStringList names = {QStringLiteral("RGB"), QStringLiteral("HSL"), QStringLiteral("HSV")};
    for (qsizetype i = 0; i < codes.size(); ++i)
        codes.at(i)->setText(color.formatted(names.at(i)));
    opacity->setText(QString::number(std::isfinite(color.a) ? int(std::trunc(color.a * 100)) : 0) + u'%');
    {
        const QSignalBlocker blocker(slider);
        slider->setValue(int(std::lround(std::clamp(color.a, 0.0, 1.0) * 1000)));
    }
    well->setStyleSheet(QStringLiteral("QPushButton { background: %1; border: 1px solid %2; border-radius: 6px; }")
                            .arg(theme::color(color).name(QColor::HexArgb), theme::primary(0.2).name(QColor::HexArgb)));
    if (editor) {
        const QSignalBlocker blocker(editor);
        editor->setCurrentColor(theme::color(color));
    }
}

void Inspector::rebuildPaletteMenu()
{
    QMenu *menu = palette->menu();
    menu->clear();
    const auto &palettes = store.library().palettes;
    if (palettes.isEmpty()) {
        menu->addAction(QStringLiteral("Create a palette in My Palettes"), this, [this] { showPage(Page::palettes); });
        return;
    }
    for (const Palette &p : palettes) {
        const QUuid id = p.id;
        menu->addAction(p.name, this, [this, id] { store.addToPalette(id); });
    }
}

void Inspector::openColorEditor()
{
    if (!editor) {
        editor = new QColorDialog(this);
        editor->setOption(QColorDialog::ShowAlphaChannel);
        editor->setOption(QColorDialog::NoButtons);
        editor->setWindowTitle(QStringLiteral("Edit color"));
        editor->setCurrentColor(theme::color(store.selected()));
        connect(editor, &QColorDialog::currentColorChanged, this,
                [this](const QColor &color) { store.select(theme::rgba(color)); });
    }
    editor->show();
    editor->raise();
    editor->activateWindow();
}

} // namespace pigmentry
