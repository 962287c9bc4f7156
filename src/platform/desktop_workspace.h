// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop/desktop_services.h"

namespace pigmentry {

// Folders open in the file manager; the privacy settings in the desktop's
// settings program where one is known.
class DesktopWorkspace : public Workspace {
public:
    bool openFolder(const QString &path) override;
    bool openPrivacySettings() override;
};

// The XDG autostart entry $XDG_CONFIG_HOME/autostart/pigmentry.desktop:
// enabled means the file exists and does not say Hidden=true.
class XdgAutostart : public Autostart {
public:
    // The entry's path, the user's own when empty; the program it starts
    // (with --autostart), this executable's installed path when empty.
    explicit XdgAutostart(QString path = QString(), QString program = QString());

    bool isEnabled() const override;
    Result setEnabled(bool enabled) override;

    const QString &path() const { return path_; }

private:
    QString path_;
    QString program_;
};

// The desktop's settings program at its privacy page where one is known;
// false when none is.
bool openDesktopPrivacySettings();

} // namespace pigmentry
