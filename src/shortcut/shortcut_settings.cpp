// SPDX-License-Identifier: GPL-3.0-or-later
#include "shortcut_settings.h"

#include "model/library/preferences.h"
#include "shortcut/key_symbols.h"

#include <QCoreApplication>

namespace pigmentry {

ShortcutSettings::ShortcutSettings(Preferences &prefs, HotKeyService &service, QObject *parent)
    : QObject(parent)
    , prefs_(prefs)
    , hotkey_(service)
    , configuration_(ShortcutConfiguration::load(prefs))
{
    // A combination lost to a new keyboard layout is reported like one
    // refused at launch.
    hotkey_.lost = [this](int status) {
        setError(unavailable(status));
        setRegistered(false);
    };
    // A desktop that binds later names the combination in its answer; only
    // then is it shown as working.
    hotkey_.confirmed = [this] {
        setError(QString());
        setRegistered(true);
    };
}

QString ShortcutSettings::unavailable(int status)
{
    // No binding at all is possible: the desktop's own keyboard settings can
    // still run the command that picks.
    if (status == HotKeyService::NoService)
        return tr("Shortcut unavailable (%1). This desktop does not let apps "
                  "set global shortcuts: bind the command “pigmentry pick” "
                  "to a key in the desktop's keyboard settings. You can still pick "
                  "from the tray icon.")
            .arg(status);
    if (status == HotKeyService::NotBound)
        return tr("Shortcut unavailable (%1). The desktop did not bind it: give "
                  "Pigmentry's “Pick Color” a key in the desktop's shortcut settings, "
                  "or bind the command “pigmentry pick” there. You can still pick "
                  "from the tray icon.")
            .arg(status);
    return tr("Shortcut unavailable (%1). Choose another combination. "
              "You can still pick from the tray icon.")
        .arg(status);
}

void ShortcutSettings::setConfiguration(const ShortcutConfiguration &configuration)
{
    configuration_ = configuration;
    Q_EMIT configurationChanged();
}

void ShortcutSettings::setRecording(bool recording)
{
    recording_ = recording;
    Q_EMIT recordingChanged();
}

void ShortcutSettings::setError(const QString &error)
{
    error_ = error;
    Q_EMIT errorChanged();
}

void ShortcutSettings::setRegistered(bool registered)
{
    if (registered == registered_)
        return;
    registered_ = registered;
    Q_EMIT registeredChanged();
}

QString ShortcutSettings::shownText() const
{
    return registered_ ? configuration_.display() : tr("Shortcut unavailable");
}

void ShortcutSettings::activate()
{
    if (!action)
        return;
    const int status = hotkey_.registerKey(configuration_.keyCode, configuration_.modifiers, action);
    // The error first: views read it when told of the state. A pending
    // registration is shown as working once the desktop confirms it.
    if (status != 0 && status != HotKeyService::Pending)
        setError(unavailable(status));
    setRegistered(status == 0);
}

void ShortcutSettings::set(const ShortcutConfiguration &configuration)
{
    const bool held = configuration.modifiers
        & (ShortcutConfiguration::Super | ShortcutConfiguration::Alt | ShortcutConfiguration::Ctrl);
    if (held && !isModifierOrLockKey(configuration.keyCode)
        && (configuration.keyLabel.isEmpty() || keysymForKey(configuration.keyCode) == 0)) {
        setError(tr("No desktop can take this key for a shortcut. Choose another key."));
        return;
    }
    if (!configuration.isValid()) {
        setError(tr("Include Super, Ctrl, or Alt with a key."));
        return;
    }
    if (!action)
        return;
    // Outside recording the combination in force is registered already, and
    // registering it again would only be refused.
    if (configuration == configuration_ && !recording_) {
        setError(QString());
        return;
    }
    const int status = hotkey_.registerKey(configuration.keyCode, configuration.modifiers, action);
    if (status != 0 && status != HotKeyService::Pending) {
        setError(tr("That shortcut could not be registered (%1). It may be used by the "
                    "desktop or another app. Try another combination.")
                     .arg(status));
        return;
    }
    setConfiguration(configuration);
    setRegistered(status == 0);
    configuration.save(prefs_);
    setError(QString());
    setRecording(false);
}

void ShortcutSettings::reset()
{
    hotkey_.unregister();
    setError(QString());
    setRecording(true);
    set(ShortcutConfiguration::defaultConfiguration());
    if (recording_) {
        setRecording(false);
        activate();
    }
}

void ShortcutSettings::beginRecording()
{
    hotkey_.unregister();
    setError(QString());
    setRecording(true);
}

void ShortcutSettings::stopRecording()
{
    if (!recording_)
        return;
    setRecording(false);
    activate();
}

} // namespace pigmentry
