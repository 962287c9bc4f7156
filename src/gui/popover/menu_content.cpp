// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_content.h"

#include "gui/kit/color_patch.h"
#include "gui/kit/divider.h"
#include "gui/kit/labels.h"
#include "gui/kit/style.h"
#include "gui/kit/theme.h"
#include "gui/views/swatch_delegate.h"
#include "gui/views/swatch_grid.h"
#include "model/color/color_names.h"
#include "model/items/history_model.h"
#include "model/library/store.h"
#include "shortcut/shortcut_settings.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>

namespace pigmentry {

MenuContent::MenuContent(Store &store, ShortcutSettings &shortcuts, const Actions &actions, QWidget *parent)
    : QWidget(parent)
    , store_(store)
    , shortcuts_(shortcuts)
{
    setFixedSize(panelSize);
    auto *stack = new QVBoxLayout(this);
    stack->setSpacing(16);
    stack->setContentsMargins(panelMargin, panelMargin, panelMargin, panelMargin);

    stack->addLayout(headerRow(actions.open));
    // The selected colour.
    swatch_ = withName(new ColorPatch, QStringLiteral("swatch"));
    swatch_->setFixedHeight(76);
    swatch_->setRadius(12);
    stack->addWidget(swatch_);

    stack->addLayout(pickRow(actions));
    stack->addWidget(recentRow());
    stack->addLayout(actionRow(actions.open));
    stack->addWidget(new Divider);
    stack->addLayout(footerRow(actions.quit));
    stack->addStretch();

    connect(&store, &Store::selectedChanged, this, &MenuContent::updateSelected);
    connect(&store, &Store::noticeChanged, this, &MenuContent::updateNotice);
    connect(&shortcuts, &ShortcutSettings::configurationChanged, this, &MenuContent::updateShortcut);
    connect(&shortcuts, &ShortcutSettings::registeredChanged, this, &MenuContent::updateShortcut);
    auto showRecent = [this] { recent_->setVisible(recentModel_->rowCount() > 0); };
    connect(recentModel_, &QAbstractItemModel::rowsInserted, this, showRecent);
    connect(recentModel_, &QAbstractItemModel::rowsRemoved, this, showRecent);
    showRecent();
    updateSelected();
    updateNotice();
    updateShortcut();
}

// The name, and the button that opens the Studio.
QLayout *MenuContent::headerRow(const std::function<void()> &open)
{
    auto *header = new QHBoxLayout;
    header->addWidget(new SymbolLabel(QStringLiteral("eyedropper"), 16, theme::Tone::Primary));
    header->addWidget(textLabel(QStringLiteral("Pigmentry"), theme::font(13, QFont::DemiBold), theme::Tone::Primary));
    header->addStretch();
    auto *openButton = withName(new QToolButton, QStringLiteral("openStudio"));
    openButton->setAutoRaise(true);
    openButton->setIcon(theme::icon(QStringLiteral("arrow.up.right.square"), theme::Tone::Secondary));
    openButton->setToolTip(tr("Open Color Studio"));
    openButton->setAccessibleName(tr("Open Color Studio"));
    openButton->setFixedSize(20, 20);
    connect(openButton, &QToolButton::clicked, this, open);
    header->addWidget(openButton);
    return header;
}

// Pick: the icon, the title, and the shortcut at the far end; beside it, a
// pick that goes on into a new palette.
QLayout *MenuContent::pickRow(const Actions &actions)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    auto *button = withName(new QPushButton, QStringLiteral("pickButton"));
    makeProminent(button);
    button->setFixedHeight(28);
    button->setAccessibleName(tr("Pick Color"));
    auto *pickRow = new QHBoxLayout(button);
    pickRow->setContentsMargins(12, 0, 12, 0);
    pickRow->addWidget(new SymbolLabel(QStringLiteral("eyedropper"), 15, theme::Tone::White));
    auto *pickTitle = textLabel(tr("Pick Color"), theme::font(13, QFont::Medium), theme::Tone::White);
    pickTitle->setAttribute(Qt::WA_TransparentForMouseEvents);
    pickRow->addWidget(pickTitle);
    pickRow->addStretch();
    shortcutText_ = withName(textLabel(QString(), theme::font(12), theme::Tone::White), QStringLiteral("shortcutText"));
    shortcutText_->setAttribute(Qt::WA_TransparentForMouseEvents);
    shortcutText_->setOpacity(0.7);
    pickRow->addWidget(shortcutText_);
    connect(button, &QPushButton::clicked, this, actions.pick);
    row->addWidget(button, 1);

    auto *newPalette = withName(new QToolButton, QStringLiteral("pickNewPalette"));
    newPalette->setIcon(theme::icon(QStringLiteral("square.stack.3d.up"), theme::Tone::Primary));
    newPalette->setToolTip(tr("Pick a New Palette"));
    newPalette->setAccessibleName(tr("Pick a New Palette"));
    newPalette->setAccessibleDescription(tr("Shift-click each color; Esc makes the palette"));
    newPalette->setFixedSize(28, 28);
    if (actions.pickNewPalette)
        connect(newPalette, &QToolButton::clicked, this, actions.pickNewPalette);
    else
        newPalette->hide();
    row->addWidget(newPalette);
    return row;
}

// Recent colours: the caption sits close to its row, so that the whole
// panel fits its fixed height.
QWidget *MenuContent::recentRow()
{
    recent_ = new QWidget;
    auto *recentStack = new QVBoxLayout(recent_);
    recentStack->setContentsMargins(0, 0, 0, 0);
    // With the room the grid keeps for its focus ring, the tiles stand 4
    // below the caption.
    recentStack->setSpacing(2);
    recentStack->addWidget(textLabel(tr("RECENT COLORS"), theme::font(10, QFont::DemiBold), theme::Tone::Secondary));
    recentModel_ = new HistoryModel(store_, 8, this);
    auto *tiles = withName(new SwatchGrid, QStringLiteral("recentColors"));
    tiles->setAccessibleName(tr("Recent colors"));
    tiles->setCellSize(24, 24, false);
    tiles->setSpacing(8);
    tiles->setFitsContent(true);
    auto *delegate = new SwatchDelegate(SwatchDelegate::Look::Chip, nullptr, tiles);
    delegate->setToolTipPrefix(tr("Copy "));
    tiles->setItemDelegate(delegate);
    tiles->setModel(recentModel_);
    connect(tiles, &SwatchGrid::chosen, this, [this](const QModelIndex &index) {
        const RGBA color = index.data(ColorRole).value<RGBA>();
        this->store_.select(color);
        this->store_.copy(color);
    });
    recentStack->addWidget(tiles);
    return recent_;
}

// Copy and Studio.
QLayout *MenuContent::actionRow(const std::function<void()> &open)
{
    auto *actions = new QHBoxLayout;
    copyButton_ = withName(new QPushButton, QStringLiteral("copyButton"));
    connect(copyButton_, &QPushButton::clicked, this, [this] { this->store_.copy(this->store_.selected()); });
    actions->addWidget(copyButton_);
    actions->addStretch();
    auto *studio = new QPushButton(tr("Studio"));
    connect(studio, &QPushButton::clicked, this, open);
    actions->addWidget(studio);
    actions->setSpacing(8);
    // What the Studio button leaves of the row, within the widest allowed.
    copyButton_->setMaximumWidth(std::min(
        copyButtonWidth, panelSize.width() - 2 * panelMargin - studio->sizeHint().width() - actions->spacing()));
    return actions;
}

// The last notice, and Quit.
QLayout *MenuContent::footerRow(const std::function<void()> &quit)
{
    auto *row = new QHBoxLayout;
    footerMark_ = withName(new SymbolLabel(QStringLiteral("exclamationmark.circle"), 12, theme::Tone::Red),
                           QStringLiteral("footerMark"));
    row->addWidget(footerMark_);
    footer_ = withName(new NoticeLabel(theme::font(11)), QStringLiteral("footer"));
    row->addWidget(footer_, 1);
    auto *quitButton = withName(new QPushButton(tr("Quit")), QStringLiteral("quit"));
    quitButton->setFlat(true);
    quitButton->setFont(theme::font(11));
    quitButton->setFixedHeight(18);
    connect(quitButton, &QPushButton::clicked, this, quit);
    row->addWidget(quitButton);
    return row;
}

void MenuContent::showEvent(QShowEvent *event)
{
    // The default format may have changed since the panel was last shown.
    updateSelected();
    QWidget::showEvent(event);
}

void MenuContent::paintEvent(QPaintEvent *)
{
    // A hairline edge, so that the panel stands apart from a light window
    // under it.
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(theme::primary(0.18));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

void MenuContent::updateSelected()
{
    const RGBA &color = store_.selected();
    swatch_->setColor(color);
    // Under the hex code, the code in the default format where that is
    // another, whole (the tooltip has it where the card cannot).
    const QString code = store_.defaultCode(color);
    const bool other = code != color.hex();
    swatch_->setCaption(color.hex(), theme::monospace(14, QFont::DemiBold),
                        (other ? code + u'\n' : QString()) + colorName(color), theme::font(11));
    swatch_->setToolTip(other ? code : QString());
    // The button names the format it copies in; the code is in its tooltip.
    const QString label = tr("Copy %1").arg(store_.defaultFormat());
    QStyleOptionButton option;
    option.initFrom(copyButton_);
    const QFontMetrics metrics = copyButton_->fontMetrics();
    const int frame =
        style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(0, metrics.height()), copyButton_).width();
    const int room = copyButton_->maximumWidth() - frame;
    copyButton_->setText(metrics.elidedText(label, Qt::ElideRight, room));
    copyButton_->setToolTip(tr("Copy %1").arg(code));
    copyButton_->setAccessibleName(label);
}

void MenuContent::updateNotice()
{
    const bool quiet = store_.notice().isEmpty();
    const bool failure = !quiet && store_.noticeKind() == Store::NoticeKind::Failure;
    footerMark_->setVisible(failure);
    footer_->showNotice(quiet ? tr("Local. Private. Ready.") : store_.notice(), failure);
}

void MenuContent::updateShortcut()
{
    shortcutText_->setText(shortcuts_.shownText());
    shortcutText_->setToolTip(shortcuts_.registered() ? QString() : shortcuts_.error());
}

} // namespace pigmentry
