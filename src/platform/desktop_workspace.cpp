// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_workspace.h"

#include <algorithm>

#include "model/library/library_file.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace pigmentry {

namespace {

const QString entryName = QStringLiteral("pigmentry.desktop");

bool saysHidden(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd()) {
        if (file.readLine().trimmed() == "Hidden=true")
            return true;
    }
    return false;
}

// A desktop-wide entry of the same name, which only Hidden=true can switch off.
bool systemEntryExists()
{
    const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    for (qsizetype i = 1; i < folders.size(); ++i) {
        if (QFileInfo::exists(folders.at(i) + QLatin1String("/autostart/") + entryName))
            return true;
    }
    return false;
}

// The program's path as one argument of an Exec line: quoted, with the
// characters that quoting reserves escaped, and each backslash doubled again
// for the string itself; % is the field-code escape.
QString execArgument(const QString &program)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : program) {
        if (c == u'\\') {
            quoted += QLatin1String("\\\\\\\\");
            continue;
        }
        if (c == u'"' || c == u'`' || c == u'$')
            quoted += QLatin1String("\\\\");
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    return quoted + u'"';
}

} // namespace

bool DesktopWorkspace::openFolder(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopWorkspace::openPrivacySettings()
{
    return openDesktopPrivacySettings();
}

bool openDesktopPrivacySettings()
{
    // Plasma has no page for screen capture, so its settings open at the start.
    const struct {
        const char *program;
        const char *argument;
    } known[] = {{"gnome-control-center", "privacy"}, {"systemsettings", ""}, {"systemsettings5", ""}};
    for (const auto &candidate : known) {
        const QString program = QStandardPaths::findExecutable(QLatin1String(candidate.program));
        if (program.isEmpty())
            continue;
        QStringList arguments;
        if (*candidate.argument)
            arguments << QLatin1String(candidate.argument);
        return QProcess::startDetached(program, arguments);
    }
    return false;
}

XdgAutostart::XdgAutostart(QString path, QString program)
    : path_(std::move(path))
    , program_(std::move(program))
{
    if (program_.isEmpty())
        program_ = QCoreApplication::applicationFilePath();
    if (program_.isEmpty())
        program_ = QStringLiteral("pigmentry");
    if (path_.isEmpty())
        path_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1String("/autostart/")
            + entryName;
}

bool XdgAutostart::isEnabled() const
{
    return QFileInfo::exists(path_) && !saysHidden(path_);
}

Result XdgAutostart::setEnabled(bool enabled)
{
    QByteArray entry;
    if (enabled) {
        // A path an Exec line cannot hold exactly is refused, never written
        // as something that runs another command: line breaks and other
        // control characters end or break the line, a "%" is a field code
        // that launchers treat differently, and bytes that are not UTF-8
        // cannot be written at all.
        const bool controls = std::any_of(program_.cbegin(), program_.cend(), [](QChar c) {
            return c.category() == QChar::Other_Control || c == u'%' || c == QChar::ReplacementCharacter;
        });
        if (controls || QFile::decodeName(QFile::encodeName(program_)) != program_) {
            QString shown = program_;
            for (QChar &c : shown) {
                if (c.category() == QChar::Other_Control)
                    c = QChar::ReplacementCharacter;
            }
            return Result::failure(
                QCoreApplication::translate("DesktopWorkspace",
                                            "Launch at login is not possible from %1: a login entry cannot name "
                                            "this path. Move Pigmentry to a folder without special characters.")
                    .arg(shown));
        }
        entry = "[Desktop Entry]\nType=Application\nName=Pigmentry\nComment=Color picker in the system tray\n"
                "Icon=io.github.pigmentry.Pigmentry\nExec="
            + execArgument(program_).toUtf8()
            + " --autostart\nTerminal=false\n"
              "X-GNOME-Autostart-enabled=true\n";
    } else if (systemEntryExists()) {
        entry = "[Desktop Entry]\nType=Application\nName=Pigmentry\nHidden=true\n";
    } else {
        if (QFile::exists(path_) && !QFile::remove(path_))
            return Result::failure(QCoreApplication::translate("DesktopWorkspace", "Could not remove %1.").arg(path_));
        return {};
    }
    if (!QDir().mkpath(QFileInfo(path_).absolutePath()))
        return Result::failure(QCoreApplication::translate("DesktopWorkspace", "Could not create the folder %1.")
                                   .arg(QFileInfo(path_).absolutePath()));
    return writeFileAtomically(path_, entry);
}

} // namespace pigmentry
