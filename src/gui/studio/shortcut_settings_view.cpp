// SPDX-License-Identifier: GPL-3.0-or-later
#include "shortcut_settings_view.h"

#include "gui/kit/labels.h"
#include "gui/kit/theme.h"
#include "gui/studio/recorder_button.h"
#include "shortcut/shortcut_settings.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QWindow>

namespace pigmentry {

ShortcutSettingsView::ShortcutSettingsView(ShortcutSettings &shortcuts, QWidget *parent)
    : QWidget(parent)
    , shortcuts_(shortcuts)
{
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(10);
    stack->addWidget(textLabel(tr("Keyboard Shortcut"), theme::font(13, QFont::DemiBold), theme::Tone::Primary));

    auto *row = new QHBoxLayout;
    row->addWidget(textLabel(tr("Pick Color"), theme::font(13), theme::Tone::Primary));
    row->addStretch();
    auto *recorder = new ShortcutRecorder(shortcuts);
    row->addWidget(recorder);
    auto *reset = new QPushButton(tr("Reset"));
    reset->setObjectName(QStringLiteral("resetShortcut"));
    connect(reset, &QPushButton::clicked, this, [&shortcuts] { shortcuts.reset(); });
    row->addWidget(reset);
    stack->addLayout(row);

    hint_ = withName(textLabel(QString(), theme::font(11), theme::Tone::Secondary), QStringLiteral("shortcutHint"));
    hint_->setWordWrap(true);
    stack->addWidget(hint_);
    error_ = withName(textLabel(QString(), theme::font(11), theme::Tone::Red), QStringLiteral("shortcutError"));
    error_->setWordWrap(true);
    stack->addWidget(error_);

    connect(&shortcuts, &ShortcutSettings::recordingChanged, this, &ShortcutSettingsView::update);
    connect(&shortcuts, &ShortcutSettings::errorChanged, this, &ShortcutSettingsView::update);
    // Leaving the application or the window ends a recording.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [&shortcuts](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            shortcuts.stopRecording();
    });
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [&shortcuts] { shortcuts.stopRecording(); });
    update();
}

void ShortcutSettingsView::update()
{
    hint_->setText(shortcuts_.recording() ? tr("Press a combination with Super, Ctrl, or Alt. Escape cancels.")
                                          : tr("Click the shortcut to record a new combination. Changes apply "
                                               "immediately."));
    error_->setText(shortcuts_.error());
    error_->setVisible(!shortcuts_.error().isEmpty());
}

void ShortcutSettingsView::hideEvent(QHideEvent *event)
{
    shortcuts_.stopRecording();
    QWidget::hideEvent(event);
}

} // namespace pigmentry
