// SPDX-License-Identifier: GPL-3.0-or-later
#include "single_instance_io.h"

#include "single_instance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace pigmentry::instance_io {

// A message is its length (4 bytes, big-endian) and then the data.
QByteArray framed(const QByteArray &data)
{
    QByteArray message(4, '\0');
    qToBigEndian(quint32(data.size()), message.data());
    return message + data;
}

// Takes one whole message off the front of buffer; nothing while it is
// incomplete. tooLong is set when the length says more than is allowed.
std::optional<QByteArray> takeMessage(QByteArray &buffer, bool *tooLong)
{
    if (buffer.size() < 4)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(buffer.constData());
    if (length > SingleInstance::largestMessage) {
        *tooLong = true;
        return std::nullopt;
    }
    if (buffer.size() < 4 + qsizetype(length))
        return std::nullopt;
    QByteArray data = buffer.mid(4, length);
    buffer.remove(0, 4 + length);
    return data;
}

// Whether the process at the other end of a local socket runs as this user.
bool peerIsThisUser(qintptr descriptor)
{
    struct ucred credentials { };
    socklen_t size = sizeof credentials;
    if (getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return false;
    return credentials.uid == getuid();
}

// A folder of ours: a real folder (not a link), owned by this user, that no
// one else may enter.
bool isPrivateFolder(const QString &path)
{
    struct stat info { };
    if (lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

// An exclusive lock on the file at path through a descriptor of its own;
// -1 when another descriptor (of any process) holds it, or when it cannot
// be had, with the state and the reason. The file is never followed through
// a link nor truncated here: a lock path that is not our own regular file
// is refused, not written through.
int takeLock(const QString &path, SingleInstance::LockState *state, QString *problem)
{
    auto refuse = [&](SingleInstance::LockState kind, const QString &why) {
        if (state)
            *state = kind;
        if (problem)
            *problem = why;
        return -1;
    };
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP)
            return refuse(SingleInstance::LockState::Refused, QStringLiteral("%1 is a symbolic link").arg(path));
        if (error == EISDIR)
            return refuse(SingleInstance::LockState::Refused, QStringLiteral("%1 is a folder").arg(path));
        // A folder nobody can write in: nobody can write the library either.
        if (error == EROFS || error == EACCES || error == EPERM)
            return refuse(SingleInstance::LockState::ReadOnly,
                          QStringLiteral("%1 cannot be written (%2)")
                              .arg(QFileInfo(path).absolutePath(), QString::fromLocal8Bit(std::strerror(error))));
        return refuse(SingleInstance::LockState::Refused,
                      QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(error))));
    }
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != getuid()) {
        ::close(fd);
        return refuse(SingleInstance::LockState::Refused,
                      QStringLiteral("%1 is not a regular file of this user's").arg(path));
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return refuse(SingleInstance::LockState::HeldElsewhere, QString());
    }
    if (state)
        *state = SingleInstance::LockState::Held;
    return fd;
}

bool fillAddress(sockaddr_un *address, const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    if (size_t(encoded.size()) >= sizeof address->sun_path)
        return false;
    std::memcpy(address->sun_path, encoded.constData(), size_t(encoded.size()));
    return true;
}

// Whether something listens at path.
bool answersAt(const QString &path)
{
    sockaddr_un address{};
    if (path.isEmpty() || !fillAddress(&address, path))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool answers = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return answers;
}

quint64 socketInode(const QString &path)
{
    struct stat info { };
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISSOCK(info.st_mode))
        return 0;
    return quint64(info.st_ino);
}

} // namespace pigmentry::instance_io

namespace pigmentry {

QString privateRuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && instance_io::isPrivateFolder(runtime))
        return runtime;
    // Never a shared path: another user could answer there and receive the
    // arguments. A folder of our own instead, made private or refused.
    const QString own = QDir::tempPath() + QStringLiteral("/pigmentry-%1").arg(getuid());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return instance_io::isPrivateFolder(own) ? own : QString();
}

} // namespace pigmentry
