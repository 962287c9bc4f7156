#include "library_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace pigmentry {

namespace {

// Moves the undecodable file out of the way; gives the new file name, or
// nothing when neither a rename nor a copy worked.
std::optional<QString> setAside(const QString &path, const QDateTime &now)
{
    const QString stamp = now.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString base = path + QLatin1String(".corrupt-") + stamp;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString target = attempt == 0 ? base : base + u'-' + QString::number(attempt);
        if (QFileInfo::exists(target))
            continue;
        if (QFile::rename(path, target) || QFile::copy(path, target))
            return QFileInfo(target).fileName();
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

QString defaultLibraryPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QLatin1String("/.local/share");
    return folder + QLatin1String("/Pigmentry/library.json");
}

LoadedLibrary loadLibrary(const QString &path, const QDateTime &now)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    file.close();

    QString error;
    std::optional<Library> library;
    if (const auto object = parseJsonObject(bytes, &error))
        library = Library::fromJson(*object, &error);
    if (library)
        return {std::move(*library), QString()};

    QString notice = QLatin1String("Could not read library: ") + error;
    if (const auto kept = setAside(path, now))
        notice += QLatin1String(" (kept as ") + *kept + u')';
    return {Library(), notice};
}

std::optional<QString> writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
    return std::nullopt;
}

std::optional<QString> saveLibrary(const QString &path, const Library &library)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("Could not create the folder %1.").arg(folder);
    QString error;
    const std::optional<QByteArray> bytes = encodeLibrary(library, &error);
    if (!bytes)
        return error;
    return writeFileAtomically(path, *bytes);
}

} // namespace pigmentry
