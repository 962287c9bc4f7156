// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/library/preferences.h"

#include <QSettings>
#include <QTemporaryDir>

#include <memory>

namespace pigmentry::test {

// A preference store and a scratch folder that vanish with the object.
class TempSettings {
public:
    TempSettings();

    Preferences &prefs() { return *prefs_; }
    QSettings &settings() { return *settings_; }
    QString path(const QString &name) const { return dir_.filePath(name); }
    QString libraryPath() const { return path(QStringLiteral("Pigmentry/library.json")); }
    // A path inside a folder that can never be made (a plain file stands
    // where the folder would be), so every write there fails, also for root.
    QString failingPath(const QString &name);

private:
    QTemporaryDir dir_;
    std::unique_ptr<QSettings> settings_;
    std::unique_ptr<Preferences> prefs_;
};

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

} // namespace pigmentry::test
