// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shortcut/shortcut_configuration.h"

#include <QPushButton>

class QKeyEvent;

namespace pigmentry {

class ShortcutSettings;

// The button that records the global shortcut: a click starts listening (the
// old combination is released so that pressing it is recorded instead of
// starting a pick), the next combination pressed in its window is tried, and
// every other way out ends the recording with the old combination in force:
// Escape, Tab (focus moves on as usual), a second click, losing focus.
class RecorderButton : public QPushButton {
    Q_OBJECT

public:
    explicit RecorderButton(ShortcutSettings &shortcuts, QWidget *parent = nullptr);
    ~RecorderButton() override;

    // The button's click: starts recording, or cancels it when it runs.
    void begin();

    // The combination a key press gives: Qt's key, the four modifier bits
    // and the key's label. Modifier keys alone give nothing.
    static std::optional<ShortcutConfiguration> configurationFor(const QKeyEvent &event);
    // "↩", "Space", "F5", ... by the key's meaning; any other key its text,
    // upper case; empty when it has none.
    static QString keyLabel(int key, const QString &text);

protected:
    // While recording: every key press of this window, before shortcuts.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Handles a key press while recording; false when it should go on to
    // the widget (Tab).
    bool keyDown(QKeyEvent *event);
    // Removes the key monitor once recording has ended.
    void syncRecording();

    ShortcutSettings &shortcuts_;
    bool monitoring_ = false;
};

// The recorder as the Settings page shows it: the button in 180 x 28 whose
// title is the combination, or "Type shortcut…" while recording, with the
// accessible name "Pick Color shortcut" and the title as its value. Hiding
// it ends a recording.
class ShortcutRecorder : public QWidget {
    Q_OBJECT

public:
    explicit ShortcutRecorder(ShortcutSettings &shortcuts, QWidget *parent = nullptr);
    RecorderButton *button() const { return button_; }

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void update();

    ShortcutSettings &shortcuts_;
    RecorderButton *button_;
};

} // namespace pigmentry
