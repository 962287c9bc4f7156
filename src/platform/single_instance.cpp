// SPDX-License-Identifier: GPL-3.0-or-later
#include "single_instance.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QPointer>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace pigmentry {

namespace {

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

} // namespace

QString privateRuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivateFolder(runtime))
        return runtime;
    // Never a shared path: another user could answer there and receive the
    // arguments. A folder of our own instead, made private or refused.
    const QString own = QDir::tempPath() + QStringLiteral("/pigmentry-%1").arg(getuid());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
}

namespace {

// An exclusive lock on the file at path through a descriptor of its own;
// -1 when another descriptor (of any process) holds it, or on failure.
int takeLock(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
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

quint64 socketInode(const QString &path)
{
    struct stat info { };
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISSOCK(info.st_mode))
        return 0;
    return quint64(info.st_ino);
}

} // namespace

SingleInstance::SingleInstance(const QString &lockFolder, const QString &socketFolder, QObject *parent)
    : QObject(parent)
    , lockFolder_(lockFolder)
    , socketFolder_(socketFolder.isEmpty() && !lockFolder.isEmpty() ? lockFolder : socketFolder)
{
    if (lockFolder_.isEmpty()) {
        QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (data.isEmpty())
            data = QDir::homePath() + QLatin1String("/.local/share");
        const QString folder = data + QLatin1String("/Pigmentry");
        if (QDir().mkpath(folder))
            lockFolder_ = folder;
    }
    if (socketFolder_.isEmpty())
        socketFolder_ = privateRuntimeFolder();
}

SingleInstance::~SingleInstance()
{
    delete acceptor;
    if (listening >= 0) {
        ::close(listening);
        if (socketInode(listeningAt_) == boundInode_)
            ::unlink(QFile::encodeName(listeningAt_).constData());
    }
    if (!ownFolder_.isEmpty())
        ::rmdir(QFile::encodeName(ownFolder_).constData());
    if (lock >= 0)
        ::close(lock);
}

QString SingleInstance::lockPath() const
{
    return lockFolder_ + QLatin1String("/pigmentry.lock");
}

QString SingleInstance::usualSocketPath() const
{
    return socketFolder_.isEmpty() ? QString() : socketFolder_ + QLatin1String("/pigmentry.socket");
}

QString SingleInstance::socketPath() const
{
    if (!listeningAt_.isEmpty())
        return listeningAt_;
    QFile file(lockPath());
    if (file.open(QIODevice::ReadOnly)) {
        const QString named = QFile::decodeName(file.read(4096).trimmed());
        if (named.startsWith(u'/'))
            return named;
    }
    return usualSocketPath();
}

bool SingleInstance::claim()
{
    if (!isUsable())
        return false;
    if (lock < 0)
        lock = takeLock(lockPath());
    if (lock < 0)
        return false;
    if (listening < 0)
        listen();
    if (!watcher) {
        // The socket file can be deleted or replaced under us; the folder's
        // changes say when to look, so that we listen again.
        watcher = new QFileSystemWatcher(this);
        connect(watcher, &QFileSystemWatcher::directoryChanged, this, &SingleInstance::checkSocket);
    }
    const QString folder = QFileInfo(listeningAt_).absolutePath();
    if (!listeningAt_.isEmpty() && !watcher->directories().contains(folder)) {
        if (!watcher->directories().isEmpty())
            watcher->removePaths(watcher->directories());
        watcher->addPath(folder);
    }
    return true;
}

// Listens at the usual path, else in a fresh private folder; the lock file
// then names the path, for launches that look for us. Still the only
// instance when neither works (the lock says so), but unreachable.
bool SingleInstance::listen()
{
    bool listens = !socketFolder_.isEmpty() && isPrivateFolder(socketFolder_) && listenAt(usualSocketPath());
    if (!listens) {
        if (ownFolder_.isEmpty() || !isPrivateFolder(ownFolder_)) {
            QByteArray pattern = QFile::encodeName(QDir::tempPath() + QLatin1String("/pigmentry-XXXXXX"));
            if (::mkdtemp(pattern.data()))
                ownFolder_ = QFile::decodeName(pattern);
        }
        listens = !ownFolder_.isEmpty() && listenAt(ownFolder_ + QLatin1String("/pigmentry.socket"));
    }
    const QByteArray named =
        listens && listeningAt_ != usualSocketPath() ? QFile::encodeName(listeningAt_) + '\n' : QByteArray();
    if (::ftruncate(lock, 0) != 0 || ::pwrite(lock, named.constData(), size_t(named.size()), 0) != named.size())
        qWarning("Pigmentry could not name its socket in %s", qPrintable(lockPath()));
    if (!listens)
        qWarning("Pigmentry cannot be reached: no socket could be made");
    return listens;
}

bool SingleInstance::listenAt(const QString &path)
{
    sockaddr_un address{};
    if (!fillAddress(&address, path))
        return false;
    // We hold the lock, so a socket left here belongs to an instance that has
    // gone; anything else at the path is left alone.
    struct stat info { };
    if (::lstat(address.sun_path, &info) == 0) {
        if (!S_ISSOCK(info.st_mode))
            return false;
        ::unlink(address.sun_path);
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0) {
        ::close(fd);
        return false;
    }
    delete acceptor;
    if (listening >= 0)
        ::close(listening);
    listening = fd;
    listeningAt_ = path;
    boundInode_ = socketInode(path);
    acceptor = new QSocketNotifier(listening, QSocketNotifier::Read, this);
    connect(acceptor, &QSocketNotifier::activated, this, &SingleInstance::accept);
    return true;
}

void SingleInstance::checkSocket()
{
    if (lock < 0 || (listening >= 0 && socketInode(listeningAt_) == boundInode_ && boundInode_ != 0))
        return;
    // Gone or replaced: listen again, where we can.
    delete acceptor;
    acceptor = nullptr;
    if (listening >= 0)
        ::close(listening);
    listening = -1;
    listeningAt_.clear();
    listen();
    if (!listeningAt_.isEmpty()) {
        const QString folder = QFileInfo(listeningAt_).absolutePath();
        if (!watcher->directories().isEmpty())
            watcher->removePaths(watcher->directories());
        watcher->addPath(folder);
    }
}

namespace {

// One caller on the socket: its bytes until one whole message, then the
// reply as the socket takes it, then the end; all within a deadline, so a
// caller that says nothing, or never reads, is dropped.
class Caller : public QObject {
public:
    Caller(int fd, QObject *parent)
        : QObject(parent)
        , fd(fd)
        , reader(fd, QSocketNotifier::Read, this)
        , writer(fd, QSocketNotifier::Write, this)
    {
        writer.setEnabled(false);
        deadline.setSingleShot(true);
        connect(&deadline, &QTimer::timeout, this, &QObject::deleteLater);
        deadline.start(SingleInstance::callerDeadlineMs);
        connect(&writer, &QSocketNotifier::activated, this, &Caller::writeMore);
    }
    ~Caller() override { ::close(fd); }

    // Whether the caller has hung up: it gave up waiting for us.
    bool hasHungUp() const
    {
        char byte = 0;
        return ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
    }

    void reply(const QByteArray &message)
    {
        // The answer may come long after the message (a pick waits for the
        // user); its writing has a deadline of its own.
        deadline.start(SingleInstance::callerDeadlineMs);
        pending = message;
        writeMore();
    }

    int fd;
    QSocketNotifier reader;
    QSocketNotifier writer;
    QTimer deadline;
    QByteArray buffer;

private:
    void writeMore()
    {
        while (!pending.isEmpty()) {
            const ssize_t n = ::send(fd, pending.constData(), size_t(pending.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                pending.remove(0, n);
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                writer.setEnabled(true); // the rest when the socket takes it
                return;
            }
            break; // gone
        }
        writer.setEnabled(false);
        deleteLater();
    }

    QByteArray pending;
};

} // namespace

void SingleInstance::accept()
{
    for (;;) {
        const int fd = ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            return;
        if (!peerIsThisUser(fd)) {
            ::close(fd);
            continue;
        }
        auto *caller = new Caller(fd, this);
        connect(&caller->reader, &QSocketNotifier::activated, caller, [this, caller] {
            char chunk[4096];
            const ssize_t n = ::read(caller->fd, chunk, sizeof chunk);
            if (n <= 0) {
                if (n == 0 || (errno != EAGAIN && errno != EINTR))
                    caller->deleteLater(); // gone, or broken
                return;
            }
            caller->buffer.append(chunk, n);
            bool tooLong = false;
            const std::optional<QByteArray> data = takeMessage(caller->buffer, &tooLong);
            if (tooLong) {
                caller->deleteLater();
                return;
            }
            if (!data)
                return; // the rest is still on its way
            caller->reader.setEnabled(false);
            caller->deadline.stop();
            QDataStream in(*data);
            QStringList arguments;
            in >> arguments;
            // A request its sender gave up on (it hung up while we were
            // busy) is not carried out afterwards.
            if (in.status() != QDataStream::Ok || caller->hasHungUp()) {
                caller->deleteLater();
                return;
            }
            QPointer<Caller> guard(caller);
            Q_EMIT received(arguments, [guard](const QString &reply) {
                if (!guard)
                    return;
                QByteArray out;
                QDataStream stream(&out, QIODevice::WriteOnly);
                stream << reply;
                guard->reply(framed(out));
            });
        });
    }
}

bool SingleInstance::isRunningElsewhere() const
{
    if (!isUsable() || lock >= 0)
        return false; // nobody to ask, or that is us
    const int probe = takeLock(lockPath());
    if (probe >= 0) {
        ::close(probe);
        return false;
    }
    return true;
}

bool SingleInstance::waitUntilEnded(int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (isRunningElsewhere()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

std::optional<QString> SingleInstance::sendOnce(const QByteArray &message, const QString &path, int timeoutMs,
                                                QString *why) const
{
    sockaddr_un address{};
    if (path.isEmpty() || !fillAddress(&address, path)) {
        *why = QStringLiteral("no usable socket path");
        return std::nullopt;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        *why = QString::fromLocal8Bit(std::strerror(errno));
        return std::nullopt;
    }
    const auto closing = qScopeGuard([fd] { ::close(fd); });
    // A Unix socket connects at once or not at all.
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        *why = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return std::nullopt;
    }
    if (!peerIsThisUser(fd)) {
        *why = QStringLiteral("%1 belongs to another user").arg(path);
        return std::nullopt;
    }
    *why = QStringLiteral("no answer in time");
    QDeadlineTimer deadline(timeoutMs);
    qsizetype sent = 0;
    while (sent < message.size()) {
        const ssize_t n = ::send(fd, message.constData() + sent, size_t(message.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return std::nullopt;
        sent += n;
    }
    QByteArray buffer;
    for (;;) {
        pollfd wait{fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, int(std::max<qint64>(deadline.remainingTime(), 0)));
        if (ready <= 0)
            return std::nullopt; // no answer in time; closing tells the instance
        char chunk[4096];
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0) {
            *why = QStringLiteral("the connection was closed");
            return std::nullopt;
        }
        buffer.append(chunk, n);
        bool tooLong = false;
        if (const std::optional<QByteArray> data = takeMessage(buffer, &tooLong)) {
            QDataStream in(*data);
            QString reply;
            in >> reply;
            if (in.status() == QDataStream::Ok)
                return reply;
            *why = QStringLiteral("the answer could not be read");
            return std::nullopt;
        }
        if (tooLong)
            return std::nullopt;
    }
}

std::optional<QString> SingleInstance::send(const QStringList &arguments, int timeoutMs, QString *why) const
{
    QString reason;
    if (!why)
        why = &reason;
    *why = QStringLiteral("Pigmentry is not running");
    if (!isUsable())
        return std::nullopt;
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out << arguments;
    const QByteArray message = framed(data);
    QDeadlineTimer deadline(timeoutMs);
    // An instance that is starting has not listened yet: connecting is
    // tried again for a few seconds at most, while it holds the lock.
    QDeadlineTimer connecting(std::min(timeoutMs, 5000));
    for (;;) {
        const QString path = socketPath();
        if (const std::optional<QString> reply =
                sendOnce(message, path, int(std::max<qint64>(deadline.remainingTime(), 1)), why))
            return reply;
        if (*why == QLatin1String("no answer in time") || *why == QLatin1String("the connection was closed"))
            return std::nullopt; // it was reached, and did not answer
        if (!isRunningElsewhere()) {
            *why = QStringLiteral("Pigmentry is not running");
            return std::nullopt;
        }
        if (connecting.hasExpired() || deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(50);
    }
}

} // namespace pigmentry
