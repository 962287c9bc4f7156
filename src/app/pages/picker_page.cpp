#include "picker_page.h"

#include "app/theme.h"
#include "app/widgets.h"
#include "model/preferences.h"
#include "model/store.h"
#include "shortcut/shortcut_settings.h"
#include "swatch_tile.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>

namespace pigmentry {

namespace {

constexpr int tileMinimumWidth = 85;
constexpr int tileSpacing = 12;

QWidget *keyHint(const QString &keys, const QString &action)
{
    auto *hint = new QWidget;
    auto *stack = new QVBoxLayout(hint);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(3);
    stack->addWidget(textLabel(keys, theme::monospace(11, QFont::Medium), theme::primary()));
    stack->addWidget(textLabel(action, theme::font(10), theme::secondary()));
    return hint;
}

} // namespace

PickerPage::PickerPage(Store &store, ShortcutSettings &shortcuts, Preferences &prefs, std::function<void()> pick,
                       std::function<void(Page)> showPage, QWidget *parent)
    : QWidget(parent), store(store), shortcuts(shortcuts), prefs(prefs)
{
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(20);

    // The current colour.
    auto *current = new StudioCard;
    auto *header = new QHBoxLayout;
    header->addWidget(fieldLabel(QStringLiteral("CURRENT COLOR")));
    header->addStretch();
    header->addWidget(textLabel(QStringLiteral("sRGB"), theme::monospace(10), theme::secondary()));
    current->content()->addLayout(header);
    swatch = new ColorPatch;
    swatch->setFixedHeight(210);
    current->content()->addWidget(swatch);
    auto *pickRow = new QHBoxLayout;
    auto *pickButton = new QPushButton(theme::icon(QStringLiteral("eyedropper"), Qt::white), QStringLiteral("Pick from Screen"));
    pickButton->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; border: none; border-radius: 7px; padding: 0 16px; }"
                       "QPushButton:hover { background: %2; }")
            .arg(theme::accent().name(), theme::accent().lighter(110).name()));
    pickButton->setFixedHeight(34);
    pickButton->setFont(theme::font(13, QFont::Medium));
    connect(pickButton, &QPushButton::clicked, this, pick);
    pickRow->addWidget(pickButton);
    shortcut = textLabel(QString(), theme::monospace(12), theme::secondary());
    shortcut->setContentsMargins(10, 6, 10, 6);
    shortcut->setStyleSheet(QStringLiteral("background: %1; border-radius: 6px;").arg(theme::quaternary().name(QColor::HexArgb)));
    pickRow->addWidget(shortcut);
    pickRow->addStretch();
    current->content()->addLayout(pickRow);
    stack->addWidget(current);

    // Recent picks.
    recent = new StudioCard;
    recent->content()->setSpacing(12);
    auto *recentHeader = new QHBoxLayout;
    recentHeader->addWidget(textLabel(QStringLiteral("Recently picked"), theme::font(14, QFont::DemiBold), theme::primary()));
    recentHeader->addStretch();
    auto *viewAll = new QPushButton(QStringLiteral("View all"));
    viewAll->setFlat(true);
    viewAll->setCursor(Qt::PointingHandCursor);
    viewAll->setStyleSheet(QStringLiteral("QPushButton { color: %1; border: none; }").arg(theme::accent().name()));
    connect(viewAll, &QPushButton::clicked, this, [showPage] { showPage(Page::history); });
    recentHeader->addWidget(viewAll);
    recent->content()->addLayout(recentHeader);
    grid = new QWidget;
    gridLayout = new QGridLayout(grid);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->setSpacing(tileSpacing);
    // The grid takes the card's width and arranges its columns to fit it, so
    // an earlier, wider arrangement never holds the card wide.
    grid->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->installEventFilter(this);
    recent->content()->addWidget(grid);
    stack->addWidget(recent);

    // The picker's keys.
    auto *keys = new StudioCard;
    auto *keysTitle = new QHBoxLayout;
    auto *keyboard = new QLabel;
    keyboard->setPixmap(theme::pixmap(QStringLiteral("keyboard"), 16, theme::primary(), devicePixelRatioF()));
    keysTitle->addWidget(keyboard);
    keysTitle->addWidget(textLabel(QStringLiteral("At your fingertips"), theme::font(13, QFont::DemiBold), theme::primary()));
    keysTitle->addStretch();
    keys->content()->addLayout(keysTitle);
    auto *hints = new QHBoxLayout;
    hints->addWidget(keyHint(QStringLiteral("↑ ↓ ← →"), QStringLiteral("Move one pixel")), 1);
    hints->addWidget(keyHint(QStringLiteral("Return"), QStringLiteral("Select color")), 1);
    hints->addWidget(keyHint(QStringLiteral("Esc"), QStringLiteral("Cancel picking")), 1);
    keys->content()->addLayout(hints);
    note = textLabel(QString(), theme::font(11), theme::secondary());
    note->setWordWrap(true);
    keys->content()->addWidget(note);
    stack->addWidget(keys);
    stack->addStretch();

    connect(&store, &Store::selectedChanged, this, &PickerPage::updateSelected);
    connect(&store, &Store::libraryChanged, this, &PickerPage::updateRecent);
    connect(&shortcuts, &ShortcutSettings::configurationChanged, this,
            [this] { shortcut->setText(this->shortcuts.configuration().display()); });
    shortcut->setText(shortcuts.configuration().display());
    updateSelected();
    updateRecent();
    updateNote();
}

QList<SwatchTile *> PickerPage::recentTiles() const
{
    return grid->findChildren<SwatchTile *>(QString(), Qt::FindDirectChildrenOnly);
}

void PickerPage::showEvent(QShowEvent *event)
{
    updateNote(); // the preference is read when it is shown
    QWidget::showEvent(event);
}

bool PickerPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == grid && event->type() == QEvent::Resize)
        layoutTiles();
    return QWidget::eventFilter(watched, event);
}

void PickerPage::updateSelected()
{
    const RGBA &color = store.selected();
    swatch->setColor(color);
    swatch->setCaption(color.hex(), theme::monospace(32, QFont::Medium), color.formatted(QStringLiteral("RGB")),
                       theme::monospace(11), 22);
}

void PickerPage::updateRecent()
{
    for (SwatchTile *tile : recentTiles())
        delete tile;
    const auto &history = store.library().history;
    for (qsizetype i = 0; i < std::min<qsizetype>(history.size(), 6); ++i)
        new SwatchTile(store, history.at(i).color, grid);
    recent->setVisible(!history.isEmpty());
    layoutTiles();
}

void PickerPage::layoutTiles()
{
    // Adaptive columns at least 85 wide.
    const QList<SwatchTile *> tiles = recentTiles();
    while (QLayoutItem *item = gridLayout->takeAt(0))
        delete item;
    const int available = grid->contentsRect().width();
    const int columns = std::max(1, (available + tileSpacing) / (tileMinimumWidth + tileSpacing));
    for (qsizetype i = 0; i < tiles.size(); ++i)
        gridLayout->addWidget(tiles.at(i), int(i) / columns, int(i) % columns);
    for (int c = 0; c < std::max(columns, gridLayout->columnCount()); ++c)
        gridLayout->setColumnStretch(c, c < columns ? 1 : 0);
}

void PickerPage::updateNote()
{
    note->setText(prefs.useNativePicker()
                      ? QStringLiteral("Using the built-in desktop picker. The desktop provides the magnifier and "
                                       "keyboard controls.")
                      : QStringLiteral("Precision mode · Shift + arrows for larger steps · +/− to zoom. Screen capture "
                                       "access is required."));
}

} // namespace pigmentry
