#include "desktop_workspace.h"

#include "model/library_file.h"

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

XdgAutostart::XdgAutostart(QString path) : path_(std::move(path))
{
    if (path_.isEmpty())
        path_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1String("/autostart/")
              + entryName;
}

bool XdgAutostart::isEnabled() const
{
    return QFileInfo::exists(path_) && !saysHidden(path_);
}

std::optional<QString> XdgAutostart::setEnabled(bool enabled)
{
    QByteArray entry;
    if (enabled) {
        QString program = QCoreApplication::applicationFilePath();
        if (program.isEmpty())
            program = QStringLiteral("pigmentry");
        entry = "[Desktop Entry]\nType=Application\nName=Pigmentry\nComment=Colour picker in the system tray\n"
                "Icon=pigmentry\nExec=\"" + program.toUtf8() + "\"\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
    } else if (systemEntryExists()) {
        entry = "[Desktop Entry]\nType=Application\nName=Pigmentry\nHidden=true\n";
    } else {
        if (QFile::exists(path_) && !QFile::remove(path_))
            return QStringLiteral("Could not remove %1.").arg(path_);
        return std::nullopt;
    }
    if (!QDir().mkpath(QFileInfo(path_).absolutePath()))
        return QStringLiteral("Could not create the folder %1.").arg(QFileInfo(path_).absolutePath());
    return writeFileAtomically(path_, entry);
}

} // namespace pigmentry
