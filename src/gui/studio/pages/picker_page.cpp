// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker_page.h"

#include "gui/kit/card.h"
#include "gui/kit/color_patch.h"
#include "gui/kit/labels.h"
#include "gui/kit/style.h"
#include "gui/kit/swatch_painting.h"
#include "gui/kit/theme.h"
#include "gui/kit/wrapping_row.h"
#include "gui/studio/page_context.h"
#include "gui/views/swatch_delegate.h"
#include "gui/views/swatch_grid.h"
#include "model/color/color_names.h"
#include "model/items/color_roles.h"
#include "model/items/history_model.h"
#include "model/library/preferences.h"
#include "model/library/store.h"
#include "platform/desktop/desktop_services.h"
#include "shortcut/shortcut_settings.h"
#include "tools/tint_scale.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace pigmentry {

namespace {

// The four arrow keys drawn alike: fonts set the horizontal arrows lower
// and smaller than the vertical ones.
class ArrowKeys : public QWidget {
public:
    ArrowKeys()
    {
        setAccessibleName(QStringLiteral("↑ ↓ ← →"));
        // As tall as the other keys' names, on their middle line.
        setFixedSize(4 * size + 3 * gap, QFontMetrics(theme::monospace(11, QFont::Medium)).height());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(theme::primary(), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        // An arrow pointing up in a square of the size, centred on 0.
        const double half = size / 2.0 - 1.5;
        QPainterPath arrow;
        arrow.moveTo(0, half);
        arrow.lineTo(0, -half);
        arrow.moveTo(-half * 0.6, -half * 0.4);
        arrow.lineTo(0, -half);
        arrow.lineTo(half * 0.6, -half * 0.4);
        int x = 0;
        for (const double turn : {0.0, 180.0, 270.0, 90.0}) {
            painter.save();
            painter.translate(x + size / 2.0, height() / 2.0);
            painter.rotate(turn);
            painter.drawPath(arrow);
            painter.restore();
            x += size + gap;
        }
    }

private:
    static constexpr int size = 11;
    static constexpr int gap = 6;
};

// A step of the tint scale: the colour as a chip over its step's number.
class ScaleStepDelegate : public QStyledItemDelegate {
public:
    ScaleStepDelegate(std::function<RGBA()> selected, QObject *parent)
        : QStyledItemDelegate(parent)
        , selected_(std::move(selected))
    { }
    static constexpr int height = 62;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const RGBA color = index.data(ColorRole).value<RGBA>();
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QRectF chip = QRectF(option.rect.adjusted(0, 0, 0, -20)).adjusted(0.5, 0.5, -0.5, -0.5);
        QPainterPath shape;
        shape.addRoundedRect(chip, 8, 8);
        paintColor(painter, shape, color);
        const bool chosen = color == selected_();
        painter->setPen(chosen ? QPen(theme::accent(), 2)
                               : QPen(theme::primary(option.state & QStyle::State_MouseOver ? 0.3 : 0.08), 1));
        painter->drawPath(shape);
        painter->setFont(theme::font(10, chosen ? QFont::DemiBold : QFont::Normal));
        painter->setPen(chosen ? theme::primary() : theme::secondary());
        painter->drawText(QRectF(option.rect.left(), option.rect.bottom() - 17, option.rect.width(), 16),
                          Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override { return {48, height}; }
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override
    {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        const RGBA color = index.data(ColorRole).value<RGBA>();
        QToolTip::showText(event->globalPos(),
                           index.data(Qt::DisplayRole).toString() + QStringLiteral(" · ") + color.hex()
                               + QStringLiteral(" · ") + colorName(color),
                           view, option.rect);
        return true;
    }

private:
    std::function<RGBA()> selected_;
};

// The tint scale's steps: the colour of each, its number as the text.
class ScaleModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    void setScale(const QList<TintStep> &scale)
    {
        if (steps_.size() == scale.size()) {
            steps_ = scale;
            Q_EMIT dataChanged(index(0, 0), index(int(steps_.size()) - 1, 0));
            return;
        }
        beginResetModel();
        steps_ = scale;
        endResetModel();
    }
    const QList<TintStep> &scale() const { return steps_; }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(steps_.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!checkIndex(index, CheckIndexOption::IndexIsValid))
            return {};
        const TintStep &step = steps_.at(index.row());
        switch (role) {
        case Qt::DisplayRole: return QString::number(step.step);
        case ColorRole: return QVariant::fromValue(step.color);
        case HexRole: return step.color.hex();
        case Qt::AccessibleTextRole:
            return QCoreApplication::translate("PickerPage", "Step %1, color %2").arg(step.step).arg(step.color.hex());
        default: return {};
        }
    }

private:
    QList<TintStep> steps_;
};

QWidget *keyHint(QWidget *keys, const QString &action)
{
    auto *hint = new QWidget;
    auto *stack = new QVBoxLayout(hint);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(3);
    stack->addWidget(keys);
    stack->addWidget(textLabel(action, theme::font(10), theme::Tone::Secondary));
    return hint;
}

QWidget *keyHint(const QString &keys, const QString &action)
{
    return keyHint(textLabel(keys, theme::monospace(11, QFont::Medium), theme::Tone::Primary), action);
}

} // namespace

PickerPage::PickerPage(PageContext &context, QWidget *parent)
    : QWidget(parent)
    , context_(context)
{
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(20);
    stack->addWidget(currentCard());
    stack->addWidget(scaleCard());
    stack->addWidget(recentCard());
    stack->addWidget(keysCard());
    stack->addStretch();

    connect(&context.store, &Store::selectedChanged, this, &PickerPage::updateSelected);
    // "Use Desktop Picker" in the access alert switches the mode while the
    // page is on screen.
    connect(&context.prefs.changes(), &PreferenceChanges::changed, this, [this](const QString &key) {
        if (key == QLatin1String("useNativePicker"))
            updateNote();
    });
    updateSelected();
    updateNote();
}

// The current colour, the pick button and the shortcut.
StudioCard *PickerPage::currentCard()
{
    auto *current = new StudioCard;
    auto *header = new QHBoxLayout;
    header->addWidget(fieldLabel(tr("CURRENT COLOR")));
    header->addStretch();
    header->addWidget(textLabel(QStringLiteral("sRGB"), theme::monospace(10), theme::Tone::Secondary));
    current->content()->addLayout(header);
    swatch_ = new ColorPatch;
    swatch_->setObjectName(QStringLiteral("largeSwatch"));
    swatch_->setFixedHeight(210);
    current->content()->addWidget(swatch_);
    auto *pickRow = new WrappingRow;
    auto *pickButton =
        new QPushButton(theme::icon(QStringLiteral("eyedropper"), theme::Tone::White), tr("Pick from Screen"));
    makeProminent(pickButton);
    pickButton->setFixedHeight(34);
    pickButton->setFont(theme::font(13, QFont::Medium));
    connect(pickButton, &QPushButton::clicked, this, [this] { this->context_.pick(); });
    pickRow->addWidget(pickButton);
    auto *shortcut = new Pill(QString(), theme::monospace(12), theme::Tone::Secondary, 6);
    shortcut->setContentsMargins(10, 6, 10, 6);
    shortcut->setObjectName(QStringLiteral("shortcutText"));
    auto showShortcut = [shortcut, &shortcuts = context_.shortcuts] {
        shortcut->setText(shortcuts.shownText());
        shortcut->setToolTip(shortcuts.registered() ? QString() : shortcuts.error());
    };
    connect(&context_.shortcuts, &ShortcutSettings::configurationChanged, shortcut, showShortcut);
    connect(&context_.shortcuts, &ShortcutSettings::registeredChanged, shortcut, showShortcut);
    showShortcut();
    pickRow->addWidget(shortcut);
    pickRow->addStretch();
    current->content()->addWidget(pickRow);
    return current;
}

// The colour's tint scale, 50 to 950.
StudioCard *PickerPage::scaleCard()
{
    Store &store = context_.store;
    auto *card = new StudioCard;
    card->setObjectName(QStringLiteral("scaleCard"));
    card->content()->setSpacing(12);
    auto *scaleHeader = new QHBoxLayout;
    scaleHeader->addWidget(textLabel(tr("Tint scale"), theme::font(14, QFont::DemiBold), theme::Tone::Primary));
    scaleHeader->addStretch();
    auto *saveScale = new QPushButton(tr("Save as Palette"));
    saveScale->setObjectName(QStringLiteral("saveScale"));
    scaleHeader->addWidget(saveScale);
    card->content()->addLayout(scaleHeader);
    auto *scaleModel = new ScaleModel(this);
    scale_ = scaleModel;
    auto *steps = new SwatchGrid;
    steps->setObjectName(QStringLiteral("tintScale"));
    steps->setAccessibleName(tr("Tint scale"));
    steps->setCellSize(44, ScaleStepDelegate::height, true);
    steps->setSpacing(6);
    steps->setFitsContent(true);
    steps->setItemDelegate(new ScaleStepDelegate([&store] { return store.selected(); }, steps));
    steps->setModel(scale_);
    steps->followSelection(store);
    steps->setDragText([&prefs = context_.prefs](const RGBA &color) { return color.formatted(prefs.format()); });
    connect(steps, &SwatchGrid::chosen, this,
            [&store](const QModelIndex &index) { store.select(index.data(ColorRole).value<RGBA>()); });
    // Saved under the colour's name, each step named by its number.
    connect(saveScale, &QPushButton::clicked, this, [scaleModel, &store] {
        const QString name = store.selectedName().isEmpty() ? colorName(store.selected()) : store.selectedName();
        Palette palette{QUuid::createUuid(), tr("%1 scale").arg(name), {}, {}, {}};
        for (const TintStep &step : scaleModel->scale())
            palette.appendColor(step.color, QString::number(step.step));
        store.appendPalette(palette);
    });
    card->content()->addWidget(steps);
    return card;
}

// Recent picks: a view of the six newest records, whole tiles only.
StudioCard *PickerPage::recentCard()
{
    Store &store = context_.store;
    auto *recent = new StudioCard;
    recent->setObjectName(QStringLiteral("recentCard"));
    recent->content()->setSpacing(12);
    auto *recentHeader = new QHBoxLayout;
    recentHeader->addWidget(textLabel(tr("Recently picked"), theme::font(14, QFont::DemiBold), theme::Tone::Primary));
    recentHeader->addStretch();
    auto *viewAll = new QPushButton(tr("View all"));
    viewAll->setFlat(true);
    viewAll->setCursor(Qt::PointingHandCursor);
    QPalette link = viewAll->palette();
    link.setColor(QPalette::ButtonText, theme::color(theme::Tone::Accent));
    viewAll->setPalette(link);
    connect(viewAll, &QPushButton::clicked, this, [this] { this->context_.showPage(Page::history); });
    recentHeader->addWidget(viewAll);
    recent->content()->addLayout(recentHeader);
    auto *model = new HistoryModel(store, 6, this);
    auto *tiles = new SwatchGrid;
    tiles->setObjectName(QStringLiteral("recentColors"));
    tiles->setAccessibleName(tr("Recently picked"));
    tiles->setCellSize(85, SwatchDelegate::tileHeight, true);
    tiles->setSpacing(12);
    tiles->setFitsContent(true);
    auto *delegate = new SwatchDelegate(
        SwatchDelegate::Look::Tile, [&store] { return store.selected(); }, tiles);
    delegate->setToolTipPrefix(tr("Inspect "));
    tiles->setItemDelegate(delegate);
    tiles->setModel(model);
    connect(tiles, &SwatchGrid::chosen, this,
            [&store](const QModelIndex &index) { store.select(index.data(ColorRole).value<RGBA>()); });
    tiles->followSelection(store);
    tiles->setDragText([&prefs = context_.prefs](const RGBA &color) { return color.formatted(prefs.format()); });
    recent->content()->addWidget(tiles);
    auto showRecent = [recent, model] { recent->setVisible(model->rowCount() > 0); };
    connect(model, &QAbstractItemModel::rowsInserted, recent, showRecent);
    connect(model, &QAbstractItemModel::rowsRemoved, recent, showRecent);
    showRecent();
    return recent;
}

// The picker's keys.
StudioCard *PickerPage::keysCard()
{
    auto *keys = new StudioCard;
    auto *keysTitle = new QHBoxLayout;
    keysTitle->addWidget(new SymbolLabel(QStringLiteral("keyboard"), 16, theme::Tone::Primary));
    keysTitle->addWidget(textLabel(tr("At your fingertips"), theme::font(13, QFont::DemiBold), theme::Tone::Primary));
    keysTitle->addStretch();
    keys->content()->addLayout(keysTitle);
    auto *hints = new QHBoxLayout;
    hints->addWidget(keyHint(new ArrowKeys, tr("Move one pixel")), 1);
    hints->addWidget(keyHint(QStringLiteral("Return"), tr("Select color")), 1);
    hints->addWidget(keyHint(QStringLiteral("Esc"), tr("Cancel picking")), 1);
    keys->content()->addLayout(hints);
    note_ = textLabel(QString(), theme::font(11), theme::Tone::Secondary);
    note_->setObjectName(QStringLiteral("keysNote"));
    note_->setWordWrap(true);
    keys->content()->addWidget(note_);
    return keys;
}

void PickerPage::updateSelected()
{
    static_cast<ScaleModel *>(scale_)->setScale(tintScale(context_.store.selected()));
    const RGBA &color = context_.store.selected();
    swatch_->setColor(color);
    swatch_->setCaption(color.hex(), theme::monospace(32, QFont::Medium), color.formatted(QStringLiteral("RGB")),
                        theme::monospace(11), 22);
}

void PickerPage::updateNote()
{
    // Screen capture access is asked for only where the screen cannot be
    // read without it (Wayland); on X11 it is read directly.
    const bool live = context_.desktop.screenAccess && context_.desktop.screenAccess->preflight();
    if (context_.prefs.useNativePicker())
        note_->setText(tr("Using the built-in desktop picker. The desktop provides the "
                          "magnifier and keyboard controls."));
    else if (live)
        note_->setText(tr("Precision mode · Shift + arrows for larger steps · + or − to zoom."));
    else
        note_->setText(tr("Precision mode · Shift + arrows for larger steps · + or − to zoom. "
                          "Screen capture access is required."));
}

} // namespace pigmentry
