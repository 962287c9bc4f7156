// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

namespace pigmentry {

class ShortcutSettings;

// The Settings page's shortcut block: "Keyboard Shortcut", the "Pick Color"
// row with the recorder and "Reset", the hint, and the error in red. A
// recording ends when the block leaves the screen, when the application is
// no longer active, and when any window loses the keyboard.
class ShortcutSettingsView : public QWidget {
    Q_OBJECT

public:
    explicit ShortcutSettingsView(ShortcutSettings &shortcuts, QWidget *parent = nullptr);

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void update();

    ShortcutSettings &shortcuts_;
    QLabel *hint_;
    QLabel *error_;
};

} // namespace pigmentry
