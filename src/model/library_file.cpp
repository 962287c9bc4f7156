#include "library_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

namespace pigmentry {

namespace {

// Moves the unreadable file out of the way; gives the new file name, or
// nothing when neither a rename nor a copy worked.
std::optional<QString> setAside(const QString &path, const QDateTime &now)
{
    const QString stamp = now.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString base = path + QLatin1String(".corrupt-") + stamp;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString target = attempt == 0 ? base : base + u'-' + QString::number(attempt);
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        if (QFile::rename(path, target) || QFile::copy(path, target))
            return QFileInfo(target).fileName();
        return std::nullopt;
    }
    return std::nullopt;
}

// A save killed between writing its temporary file and the rename leaves
// "library.json.XXXXXX" (six letters or digits) behind.
void removeCutShortSaves(const QString &path)
{
    const QFileInfo info(path);
    const QRegularExpression temporary(QLatin1String("^") + QRegularExpression::escape(info.fileName())
                                       + QLatin1String("\\.[A-Za-z0-9]{6}$"));
    QDir folder = info.absoluteDir();
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (temporary.match(name).hasMatch())
            folder.remove(name);
    }
}

// The system's text for an errno, for errors Qt reports as unknown.
QString describe(const QFileDevice &file, int savedErrno)
{
    const QString text = file.errorString();
    if (savedErrno != 0 && (text.isEmpty() || text == QLatin1String("Unknown error")))
        return QString::fromLocal8Bit(std::strerror(savedErrno));
    return text;
}

} // namespace

QString defaultLibraryPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QLatin1String("/.local/share");
    return folder + QLatin1String("/Pigmentry/library.json");
}

std::optional<QByteArray> readRegularFile(const QString &path, qint64 largest, QString *error)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        *error = info.isDir() ? QStringLiteral("it is a folder") : QStringLiteral("it is not a regular file");
        return std::nullopt;
    }
    if (info.size() > largest) {
        *error = QStringLiteral("it is larger than %1 MiB").arg(largest / (1024 * 1024));
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    // Never more than the limit, even if the file grew since it was looked at.
    QByteArray bytes = file.read(largest + 1);
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return std::nullopt;
    }
    if (bytes.size() > largest) {
        *error = QStringLiteral("it is larger than %1 MiB").arg(largest / (1024 * 1024));
        return std::nullopt;
    }
    return bytes;
}

LoadedLibrary loadLibrary(const QString &path, const QDateTime &now)
{
    removeCutShortSaves(path);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};

    QString error;
    std::optional<Library> library;
    if (const std::optional<QByteArray> bytes = readRegularFile(path, largestLibrary, &error)) {
        if (const auto object = parseJsonObject(*bytes, &error))
            library = Library::fromJson(*object, &error);
    }
    if (library)
        return {std::move(*library), QString(), false};

    QString notice = QLatin1String("Could not read library: ") + error;
    if (const auto kept = setAside(path, now))
        return {Library(), notice + QLatin1String(" (kept as ") + *kept + u')', false};
    return {Library(), notice + QLatin1String(" (left in place; changes are not saved)"), true};
}

std::optional<QString> writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Could not write %1: %2").arg(path, describe(file, errno));
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int saved = errno;
        return QStringLiteral("Could not write %1: %2").arg(path, describe(file, saved));
    }
    errno = 0;
    if (!file.commit()) {
        const int saved = errno;
        return QStringLiteral("Could not write %1: %2").arg(path, describe(file, saved));
    }
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
