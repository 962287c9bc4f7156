#include "menu_content.h"

#include "model/store.h"
#include "shortcut/shortcut_settings.h"
#include "theme.h"
#include "widgets.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>

namespace pigmentry {

namespace {

// The large, prominent button: accent face, white text.
QString prominentStyle()
{
    return QStringLiteral("QPushButton { background: %1; color: white; border: none; border-radius: 7px; padding: 0 12px; }"
                          "QPushButton:hover { background: %2; } QPushButton:pressed { background: %3; }"
                          "QPushButton:focus { outline: none; border: 2px solid %3; }")
        .arg(theme::accent().name(), theme::accent().lighter(110).name(), theme::accent().darker(115).name());
}

QLabel *passive(QLabel *label)
{
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

MenuContent::MenuContent(Store &store, ShortcutSettings &shortcuts, std::function<void()> pick,
                         std::function<void()> open, QWidget *parent)
    : QWidget(parent), store(store), shortcuts(shortcuts)
{
    setFixedSize(panelSize);
    auto *stack = new QVBoxLayout(this);
    stack->setSpacing(16);
    stack->setContentsMargins(18, 18, 18, 18);

    // Header.
    auto *header = new QHBoxLayout;
    auto *logo = new QLabel;
    logo->setPixmap(theme::pixmap(QStringLiteral("eyedropper"), 16, theme::primary(), devicePixelRatioF()));
    header->addWidget(logo);
    header->addWidget(textLabel(QStringLiteral("Pigmentry"), theme::font(13, QFont::DemiBold), theme::primary()));
    header->addStretch();
    auto *openButton = new QToolButton;
    openButton->setAutoRaise(true);
    openButton->setIcon(theme::icon(QStringLiteral("arrow.up.right.square"), theme::secondary()));
    openButton->setToolTip(QStringLiteral("Open Color Studio"));
    openButton->setAccessibleName(QStringLiteral("Open Color Studio"));
    openButton->setFixedSize(20, 20);
    connect(openButton, &QToolButton::clicked, this, open);
    header->addWidget(openButton);
    stack->addLayout(header);

    // The selected colour.
    swatch_ = new ColorPatch;
    swatch_->setFixedHeight(76);
    swatch_->setRadius(12);
    stack->addWidget(swatch_);

    // Pick.
    pickButton_ = new QPushButton;
    pickButton_->setStyleSheet(prominentStyle());
    pickButton_->setFixedHeight(28);
    pickButton_->setAccessibleName(QStringLiteral("Pick Color"));
    auto *pickRow = new QHBoxLayout(pickButton_);
    pickRow->setContentsMargins(12, 0, 12, 0);
    auto *pickIcon = passive(new QLabel);
    pickIcon->setPixmap(theme::pixmap(QStringLiteral("eyedropper"), 15, Qt::white, devicePixelRatioF()));
    pickRow->addWidget(pickIcon);
    pickRow->addWidget(passive(textLabel(QStringLiteral("Pick Color"), theme::font(13, QFont::Medium), Qt::white)));
    pickRow->addStretch();
    QColor faded(Qt::white);
    faded.setAlphaF(0.7f);
    shortcutLabel_ = passive(textLabel(QString(), theme::font(12), faded));
    pickRow->addWidget(shortcutLabel_);
    connect(pickButton_, &QPushButton::clicked, this, pick);
    stack->addWidget(pickButton_);

    // Recent colours: the caption sits close to its row, so that the whole
    // panel fits its fixed height.
    recent_ = new QWidget;
    auto *recent = new QVBoxLayout(recent_);
    recent->setContentsMargins(0, 0, 0, 0);
    recent->setSpacing(6);
    recent->addWidget(textLabel(QStringLiteral("RECENT COLORS"), theme::font(10, QFont::DemiBold), theme::secondary()));
    recentRow_ = new QWidget;
    recentLayout_ = new QHBoxLayout(recentRow_);
    recentLayout_->setContentsMargins(0, 0, 0, 0);
    recentLayout_->setSpacing(8);
    recent->addWidget(recentRow_);
    stack->addWidget(recent_);

    // Actions.
    auto *actions = new QHBoxLayout;
    copyButton_ = new QPushButton;
    connect(copyButton_, &QPushButton::clicked, this, [this] { this->store.copy(this->store.selected()); });
    actions->addWidget(copyButton_);
    actions->addStretch();
    auto *studio = new QPushButton(QStringLiteral("Studio"));
    connect(studio, &QPushButton::clicked, this, open);
    actions->addWidget(studio);
    stack->addLayout(actions);

    stack->addWidget(divider());

    // Footer.
    auto *footerRow = new QHBoxLayout;
    footer_ = textLabel(QString(), theme::font(11), theme::secondary());
    footer_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    footerRow->addWidget(footer_, 1);
    auto *quit = new QPushButton(QStringLiteral("Quit"));
    quit->setFlat(true);
    quit->setFont(theme::font(11));
    quit->setFixedHeight(18);
    connect(quit, &QPushButton::clicked, qApp, &QCoreApplication::quit);
    footerRow->addWidget(quit);
    stack->addLayout(footerRow);
    stack->addStretch();

    connect(&store, &Store::selectedChanged, this, &MenuContent::updateSelected);
    connect(&store, &Store::libraryChanged, this, &MenuContent::updateRecent);
    connect(&store, &Store::noticeChanged, this, &MenuContent::updateNotice);
    connect(&shortcuts, &ShortcutSettings::configurationChanged, this, &MenuContent::updateShortcut);
    updateSelected();
    updateRecent();
    updateNotice();
    updateShortcut();
}

QList<QAbstractButton *> MenuContent::recentTiles() const
{
    return recentRow_->findChildren<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
}

QString MenuContent::shortcutText() const
{
    return shortcutLabel_->text();
}

void MenuContent::updateSelected()
{
    const RGBA &color = store.selected();
    swatch_->setColor(color);
    swatch_->setCaption(color.hex(), theme::monospace(14, QFont::DemiBold));
    copyButton_->setText(QLatin1String("Copy ") + color.hex());
}

void MenuContent::updateRecent()
{
    for (QAbstractButton *tile : recentTiles())
        delete tile;
    const auto &history = store.library().history;
    for (qsizetype i = 0; i < std::min<qsizetype>(history.size(), 8); ++i) {
        const RGBA color = history.at(i).color;
        auto *tile = new ColorButton(color, QSize(24, 24), 6, recentRow_);
        tile->setToolTip(QLatin1String("Copy ") + color.hex());
        tile->setAccessibleName(QLatin1String("Copy ") + color.hex());
        connect(tile, &QAbstractButton::clicked, this, [this, color] {
            store.select(color);
            store.copy(color);
        });
        recentLayout_->insertWidget(int(i), tile);
    }
    if (recentLayout_->count() == int(recentTiles().size()))
        recentLayout_->addStretch();
    recent_->setVisible(!history.isEmpty());
}

void MenuContent::updateNotice()
{
    const QString text = store.notice().isEmpty() ? QStringLiteral("Local. Private. Ready.") : store.notice();
    footer_->setText(text);
    footer_->setToolTip(text);
}

void MenuContent::updateShortcut()
{
    shortcutLabel_->setText(shortcuts.configuration().display());
}

} // namespace pigmentry
