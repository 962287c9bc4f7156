// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global_shortcut.h"
#include "shortcut_configuration.h"

#include <QObject>
#include <QString>

#include <functional>

namespace pigmentry {

class Preferences;

// The shortcut model the views observe: the combination in force, whether the
// recorder is listening, and the last problem to show. Each assignment of one
// of the three emits its changed signal once.
class ShortcutSettings : public QObject {
    Q_OBJECT

public:
    // Loads the stored combination; registers nothing until activate().
    // prefs and service must outlive the settings.
    ShortcutSettings(Preferences &prefs, HotKeyService &service, QObject *parent = nullptr);

    const ShortcutConfiguration &configuration() const { return configuration_; }
    bool recording() const { return recording_; }
    const QString &error() const { return error_; }
    // False once the combination in force could not be registered or was
    // lost, and while a desktop that binds later has not confirmed it; true
    // again after it registers.
    bool registered() const { return registered_; }
    // What the popover, the status bar and the picker page show: the
    // combination, or "Shortcut unavailable" where it does nothing.
    QString shownText() const;

    // What a press runs; nothing is registered while it is unset.
    std::function<void()> action;

    // Registers the combination in force; a refusal sets the error.
    void activate();
    // Tries a new combination: invalid ones and refused ones set the error
    // and keep the old one; an accepted one is saved and ends recording.
    void set(const ShortcutConfiguration &configuration);
    // Goes back to Shift+Super+P, or keeps the old combination if the
    // default cannot be registered.
    void reset();

    // The recorder starts listening: the old combination is released so that
    // it cannot start a pick while the user types.
    void beginRecording();
    // Every way out of recording but an accepted combination: the
    // combination in force is registered again.
    void stopRecording();

Q_SIGNALS:
    void configurationChanged();
    void recordingChanged();
    void errorChanged();
    void registeredChanged();

private:
    static QString unavailable(int status);
    void setConfiguration(const ShortcutConfiguration &configuration);
    void setRecording(bool recording);
    void setError(const QString &error);
    void setRegistered(bool registered);

    Preferences &prefs_;
    GlobalShortcut hotkey_;
    ShortcutConfiguration configuration_;
    bool recording_ = false;
    QString error_;
    bool registered_ = true;
};

} // namespace pigmentry
