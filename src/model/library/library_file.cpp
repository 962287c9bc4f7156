// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/library/library_file.h"

#include "model/library/library_scanner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

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

// Where a save writes before the rename: a hidden name with a fixed ending
// that no person gives a file, so that sweeping it up never takes theirs.
QString temporaryName(const QString &fileName, const QString &suffix)
{
    return u'.' + fileName + u'.' + suffix + QLatin1String(".partial");
}

// A save killed between writing its temporary file and the rename leaves
// ".library.json.XXXXXX.partial" behind; nothing else beside the library is
// touched.
void removeCutShortSaves(const QString &path)
{
    const QFileInfo info(path);
    // Matched by hand: a regular expression here would load its engine, and
    // its memory, into every start.
    const QString before = u'.' + info.fileName() + u'.';
    const QLatin1StringView after(".partial");
    auto temporary = [&](const QString &name) {
        if (name.size() != before.size() + 6 + after.size() || !name.startsWith(before) || !name.endsWith(after))
            return false;
        return std::ranges::all_of(QStringView(name).sliced(before.size(), 6),
                                   [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); });
    };
    QDir folder = info.absoluteDir();
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (temporary(name))
            folder.remove(name);
    }
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
    if (!info.exists()) {
        *error = info.isSymLink()
            ? QCoreApplication::translate("LibraryFile", "it is a link to a file that does not exist")
            : QCoreApplication::translate("LibraryFile", "no such file");
        return std::nullopt;
    }
    if (!info.isFile()) {
        *error = info.isDir() ? QCoreApplication::translate("LibraryFile", "it is a folder")
                              : QCoreApplication::translate("LibraryFile", "it is not a regular file");
        return std::nullopt;
    }
    if (info.size() > largest) {
        *error = QCoreApplication::translate("LibraryFile", "it is larger than %1 MiB").arg(largest / (1024 * 1024));
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return std::nullopt;
    }
    // Straight into a buffer of the size looked at, and a byte more: a file
    // that grew since is read on, never past the limit.
    QByteArray bytes = file.read(std::min(info.size(), largest) + 1);
    if (bytes.size() > info.size() && bytes.size() <= largest && file.error() == QFileDevice::NoError)
        bytes += file.read(largest + 1 - bytes.size());
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return std::nullopt;
    }
    if (bytes.size() > largest) {
        *error = QCoreApplication::translate("LibraryFile", "it is larger than %1 MiB").arg(largest / (1024 * 1024));
        return std::nullopt;
    }
    return bytes;
}

namespace {

// What was read from a file was made while its parsed document, several
// times the file's size in small pieces, was alive: each list and text holds
// on to a page of the freed document. Made anew now that it is gone, they lie
// together, and the document's pages go back to the system.
Library compacted(const Library &read)
{
    auto anew = [](const QString &text) { return text.isEmpty() ? text : QString(text.constData(), text.size()); };
    Library library;
    library.history.reserve(read.history.size());
    for (const ColorRecord &record : read.history) {
        library.history.append(record);
        library.history.last().label = anew(record.label);
    }
    library.palettes.reserve(read.palettes.size());
    for (const Palette &palette : read.palettes) {
        QStringList names;
        names.reserve(palette.colorNames.size());
        for (const QString &name : palette.colorNames)
            names.append(anew(name));
        library.palettes.append(Palette{palette.id, anew(palette.name),
                                        QList<RGBA>(palette.colors.cbegin(), palette.colors.cend()),
                                        anew(palette.notes), names});
    }
    return library;
}

} // namespace

LoadedLibrary loadLibrary(const QString &path, const QDateTime &now)
{
    removeCutShortSaves(path);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};

    QString error;
    std::optional<Library> library;
    if (const std::optional<QByteArray> bytes = readRegularFile(path, largestLibrary, &error)) {
        // A file as Pigmentry writes it is read straight from its bytes;
        // anything else goes through the general reader, which words what
        // is wrong.
        library = scanLibrary(*bytes);
        if (!library) {
            if (const auto object = parseJsonObject(*bytes, &error))
                library = Library::fromJson(*object, &error);
            if (library) {
                library = compacted(*library);
#ifdef __GLIBC__
                malloc_trim(0);
#endif
            }
        }
    }
    if (library)
        return {std::move(*library), QString(), false};

    if (const auto kept = setAside(path, now))
        return {Library(),
                QCoreApplication::translate("LibraryFile", "Could not read library: %1 (kept as %2)").arg(error, *kept),
                false};
    return {
        Library(),
        QCoreApplication::translate("LibraryFile", "Could not read library: %1 (left in place; changes are not saved)")
            .arg(error),
        true};
}

Result writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    const auto failed = [&path](int error) {
        return Result::failure(QCoreApplication::translate("LibraryFile", "Could not write %1: %2")
                                   .arg(path, QString::fromLocal8Bit(std::strerror(error))));
    };
    // A link is followed, so that a library kept elsewhere stays where it is.
    const QFileInfo asGiven(path);
    const QString target = asGiven.isSymLink() ? asGiven.symLinkTarget() : asGiven.absoluteFilePath();
    const QFileInfo info(target);
    const QByteArray folder = QFile::encodeName(info.absolutePath());

    static constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        QString suffix;
        for (int i = 0; i < 6; ++i)
            suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
        temporary = folder + '/' + QFile::encodeName(temporaryName(info.fileName(), suffix));
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return failed(errno);
    }
    if (fd < 0)
        return failed(EEXIST);

    int error = 0;
    for (qsizetype done = 0; done < bytes.size() && error == 0;) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno != EINTR)
            error = errno;
        else if (n == 0)
            error = EIO;
    }
    // The old file's permissions carry over; a new file gets the umask's.
    struct stat old;
    if (error == 0 && ::stat(QFile::encodeName(target).constData(), &old) == 0
        && ::fchmod(fd, old.st_mode & 07777) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return failed(error);
    }
    // The rename is an entry of the folder: it survives a power cut once
    // the folder is on disk too.
    const int directory = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        const bool synced = ::fsync(directory) == 0 || errno == EINVAL; // some file systems cannot
        ::close(directory);
        if (!synced)
            return failed(errno);
    }
    return {};
}

Result writeLibraryBytes(const QString &path, const QByteArray &bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return Result::failure(
            QCoreApplication::translate("LibraryFile", "Could not create the folder %1.").arg(folder));
    return writeFileAtomically(path, bytes);
}

Result saveLibrary(const QString &path, const Library &library)
{
    QString error;
    const std::optional<QByteArray> bytes = encodeLibrary(library, &error);
    if (!bytes)
        return Result::failure(error);
    return writeLibraryBytes(path, *bytes);
}

} // namespace pigmentry
