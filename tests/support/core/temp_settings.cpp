// SPDX-License-Identifier: GPL-3.0-or-later
#include "temp_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace pigmentry::test {

TempSettings::TempSettings()
    : settings_(std::make_unique<QSettings>(dir_.filePath(QStringLiteral("Pigmentry.conf")), QSettings::IniFormat))
    , prefs_(std::make_unique<Preferences>(settings_.get()))
{ }

QString TempSettings::failingPath(const QString &name)
{
    writeFile(path(QStringLiteral("blocker")), "not a folder");
    return path(QStringLiteral("blocker/") + name);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace pigmentry::test
