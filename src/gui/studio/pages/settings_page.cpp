// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_page.h"

#include "gui/kit/card.h"
#include "gui/kit/divider.h"
#include "gui/kit/labels.h"
#include "gui/kit/theme.h"
#include "gui/studio/collection_edits.h"
#include "gui/studio/page_context.h"
#include "gui/studio/shortcut_settings_view.h"
#include "model/library/preferences.h"
#include "model/library/store.h"
#include "platform/desktop/desktop_services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

namespace pigmentry {

namespace {

// A stepper whose values are its steps: a typed value goes to the nearest
// step, and an arrow from a value between steps (one edited by hand) to the
// next step that way.
class SteppedSpinBox : public QSpinBox {
public:
    void stepBy(int steps) override
    {
        const int step = singleStep();
        const int below = value() - value() % step;
        if (value() % step == 0 || steps == 0)
            setValue(value() + steps * step);
        else
            setValue(steps > 0 ? below + steps * step : below + (steps + 1) * step);
    }

protected:
    int valueFromText(const QString &text) const override
    {
        const int step = singleStep();
        const double typed = QSpinBox::valueFromText(text);
        return std::clamp(int(std::lround(typed / step)) * step, minimum(), maximum());
    }
};

QWidget *heading(const QString &symbol, const QString &text)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(new SymbolLabel(symbol, 15, theme::Tone::Primary));
    layout->addWidget(textLabel(text, theme::font(13, QFont::DemiBold), theme::Tone::Primary));
    layout->addStretch();
    return row;
}

Label *caption(const QString &text)
{
    Label *label = textLabel(text, theme::font(11), theme::Tone::Secondary);
    label->setWordWrap(true);
    return label;
}

// A check box that shows a preference and writes it on every change.
QCheckBox *preferenceBox(Preferences &prefs, const QString &text, const Preference<bool> &preference)
{
    auto *box = new QCheckBox(text);
    box->setObjectName(preference.name());
    box->setChecked(prefs.value(preference));
    QObject::connect(box, &QCheckBox::toggled, box, [&prefs, preference](bool on) { prefs.set(preference, on); });
    // A change made elsewhere (the access alert's "Use Desktop Picker")
    // shows here at once.
    QObject::connect(&prefs.changes(), &PreferenceChanges::changed, box, [&prefs, box, preference](const QString &key) {
        if (key == preference.name())
            box->setChecked(prefs.value(preference));
    });
    return box;
}

} // namespace

SettingsPage::SettingsPage(PageContext &context, QWidget *parent)
    : QWidget(parent)
    , context_(context)
{
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(20);

    auto *shortcutCard = new StudioCard;
    shortcutCard->content()->addWidget(new ShortcutSettingsView(context.shortcuts));
    stack->addWidget(shortcutCard);
    stack->addWidget(pickingCard());
    stack->addWidget(generalCard());
    stack->addWidget(storageCard());
    stack->addWidget(caption(tr("Pigmentry 1.0 · Made for Linux")));
}

QWidget *SettingsPage::pickingCard()
{
    Preferences &prefs = context_.prefs;
    auto *card = new StudioCard;
    card->content()->setSpacing(12);
    card->content()->addWidget(heading(QStringLiteral("eyedropper"), tr("Picking & Clipboard")));
    card->content()->addWidget(preferenceBox(prefs, tr("Use built-in desktop picker"), preference::useNativePicker));
    // Where the screen can be read without asking (X11), precision mode
    // needs no access; elsewhere the desktop is asked at each pick.
    const bool live = context_.desktop.screenAccess && context_.desktop.screenAccess->preflight();
    card->content()->addWidget(
        caption(live ? tr("Precision mode reads the screen directly. The built-in picker uses the "
                          "desktop's own controls.")
                     : tr("Precision mode requires screen capture access. The built-in "
                          "picker uses the desktop's own controls.")));
    addSampleRow(card->content());
    card->content()->addWidget(new Divider);
    card->content()->addWidget(preferenceBox(prefs, tr("Automatically copy picked colors"), preference::autoCopy));
    card->content()->addWidget(preferenceBox(prefs, tr("Notify after each pick"), preference::notifyAfterPick));

    auto *row = new QHBoxLayout;
    auto *label = textLabel(tr("Default output"), theme::font(13), theme::Tone::Primary);
    row->addWidget(label);
    auto *formats = new QComboBox;
    formats->setObjectName(preference::format.name());
    formats->setAccessibleName(tr("Default output"));
    label->setBuddy(formats);
    formats->addItems(RGBA::formats());
    auto showFormat = [&prefs, formats] {
        // A stored name that is none of the formats shows no choice.
        const QSignalBlocker quiet(formats);
        formats->setCurrentIndex(int(RGBA::formats().indexOf(prefs.format())));
    };
    showFormat();
    connect(formats, &QComboBox::currentTextChanged, this,
            [&prefs](const QString &name) { prefs.set(preference::format, name); });
    connect(&prefs.changes(), &PreferenceChanges::changed, formats, [showFormat](const QString &key) {
        if (key == preference::format.name())
            showFormat();
    });
    row->addWidget(formats);
    row->addStretch();
    card->content()->addLayout(row);
    return card;
}

void SettingsPage::addSampleRow(QVBoxLayout *card)
{
    Preferences &prefs = context_.prefs;
    auto *row = new QHBoxLayout;
    auto *label = textLabel(tr("Sample"), theme::font(13), theme::Tone::Primary);
    row->addWidget(label);
    auto *sizes = new QComboBox;
    sizes->setObjectName(preference::sampleSize.name());
    sizes->setAccessibleName(tr("Sample"));
    label->setBuddy(sizes);
    sizes->addItem(tr("1 pixel"), 1);
    for (const int side : {3, 5, 11})
        sizes->addItem(tr("%1 × %1 average").arg(side), side);
    row->addWidget(sizes);
    row->addStretch();
    card->addLayout(row);
    auto *single = caption(tr("The desktop's picker always takes a single pixel."));
    single->setObjectName(QStringLiteral("sampleSingle"));
    card->addWidget(single);
    auto show = [&prefs, sizes, single] {
        const QSignalBlocker quiet(sizes);
        sizes->setCurrentIndex(sizes->findData(prefs.sampleSize()));
        single->setVisible(prefs.useNativePicker());
        sizes->setEnabled(!prefs.useNativePicker());
    };
    show();
    connect(sizes, &QComboBox::currentIndexChanged, this,
            [&prefs, sizes](int index) { prefs.set(preference::sampleSize, sizes->itemData(index).toInt()); });
    // [ and ] during a pick change it too.
    connect(&prefs.changes(), &PreferenceChanges::changed, sizes, [show](const QString &key) {
        if (key == preference::sampleSize.name() || key == preference::useNativePicker.name())
            show();
    });
}

QWidget *SettingsPage::generalCard()
{
    Preferences &prefs = context_.prefs;
    auto *card = new StudioCard;
    card->content()->setSpacing(12);
    card->content()->addWidget(heading(QStringLiteral("gearshape"), tr("General")));
    card->content()->addWidget(preferenceBox(prefs, tr("Open Studio at launch"), preference::openAtLaunch));
    QCheckBox *taskbar = preferenceBox(prefs, tr("Show in taskbar"), preference::showDock);
    connect(taskbar, &QCheckBox::toggled, this,
            [this](bool on) { this->context_.desktop.taskbar->setShown(window(), on); });
    card->content()->addWidget(taskbar);

    auto *row = new QHBoxLayout;
    row->addWidget(textLabel(tr("Launch at login"), theme::font(13), theme::Tone::Primary));
    row->addStretch();
    loginState_ = withName(textLabel(QString(), theme::font(12), theme::Tone::Secondary), QStringLiteral("loginState"));
    row->addWidget(loginState_);
    auto *configure = new QPushButton(tr("Configure"));
    configure->setObjectName(QStringLiteral("configureLogin"));
    configure->setAccessibleName(tr("Launch at login: Configure"));
    connect(configure, &QPushButton::clicked, this, [this] {
        Autostart &autostart = *this->context_.desktop.autostart;
        if (const Result changed = autostart.setEnabled(!autostart.isEnabled()); !changed)
            this->context_.store.setNotice(changed.error(), Store::NoticeKind::Failure);
        else
            this->context_.store.setNotice(tr("Login setting updated"), Store::NoticeKind::Done);
        updateLoginState();
    });
    row->addWidget(configure);
    card->content()->addLayout(row);
    updateLoginState();
    return card;
}

void SettingsPage::updateLoginState()
{
    loginState_->setText(context_.desktop.autostart->isEnabled() ? tr("On") : tr("Off"));
}

QWidget *SettingsPage::storageCard()
{
    Preferences &prefs = context_.prefs;
    auto *card = new StudioCard;
    card->content()->setSpacing(12);
    card->content()->addWidget(heading(QStringLiteral("internaldrive"), tr("Local Storage")));

    // The limit is only written here; the store applies it at the next pick.
    auto *limit = new SteppedSpinBox;
    limit->setObjectName(preference::historyLimit.name());
    limit->setAccessibleName(tr("History limit"));
    limit->setPrefix(tr("History limit: "));
    limit->setRange(50, 5000);
    limit->setSingleStep(50);
    limit->setKeyboardTracking(false);
    limit->setMinimumWidth(limit->fontMetrics().horizontalAdvance(QStringLiteral("History limit: 5000")) + 48);
    const qint64 stored = prefs.historyLimit();
    limit->setValue(stored == 0 ? 500 : int(std::clamp<qint64>(stored, 50, 5000)));
    connect(limit, &QSpinBox::valueChanged, this, [&prefs](int value) { prefs.set(preference::historyLimit, value); });
    auto *limitRow = new QHBoxLayout;
    limitRow->addWidget(limit);
    limitRow->addStretch();
    card->content()->addLayout(limitRow);

    auto *row = new QHBoxLayout;
    auto *open = new QPushButton(tr("Open Data Folder"));
    open->setObjectName(QStringLiteral("openDataFolder"));
    connect(open, &QPushButton::clicked, this, [this] {
        const QString folder = QFileInfo(context_.store.url()).absolutePath();
        // Before the first save the folder may not exist yet.
        QDir().mkpath(folder);
        if (!context_.desktop.workspace->openFolder(folder))
            context_.store.setNotice(tr("No file manager could open %1").arg(folder), Store::NoticeKind::Failure);
    });
    row->addWidget(open);
    row->addStretch();
    auto *clear = new QPushButton(tr("Clear History"));
    clear->setObjectName(QStringLiteral("clearHistory"));
    clear->setToolTip(tr("Removes every color from the history; Ctrl+Z brings them back"));
    QPalette destructive = clear->palette();
    destructive.setColor(QPalette::ButtonText, theme::red());
    clear->setPalette(destructive);
    connect(clear, &QPushButton::clicked, this, [this] { undoable::clearHistory(context_.store, context_.undo); });
    row->addWidget(clear);
    card->content()->addLayout(row);
    card->content()->addWidget(caption(tr("Your library stays on this computer. No account or analytics.")));
    return card;
}

} // namespace pigmentry
