// SPDX-License-Identifier: GPL-3.0-or-later
#include "single_instance.h"

#include "single_instance_io.h"

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

using namespace instance_io;

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
        if (QDir().mkpath(folder)) {
            lockFolder_ = folder;
        } else {
            lockState_ = LockState::ReadOnly;
            lockProblem_ = QStringLiteral("%1 cannot be made").arg(folder);
        }
    }
    if (socketFolder_.isEmpty())
        socketFolder_ = privateRuntimeFolder();
}

SingleInstance::~SingleInstance()
{
    delete acceptor_;
    if (listening_ >= 0) {
        ::close(listening_);
        if (socketInode(listeningAt_) == boundInode_)
            ::unlink(QFile::encodeName(listeningAt_).constData());
    }
    if (!ownFolder_.isEmpty())
        ::rmdir(QFile::encodeName(ownFolder_).constData());
    if (lock_ >= 0)
        ::close(lock_);
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
    // The lock names a socket only inside a folder that only this user can
    // enter, as the instance makes it: any other path could be anyone's
    // listener.
    const int fd = ::open(QFile::encodeName(lockPath()).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0) {
        char text[4096];
        const ssize_t n = ::read(fd, text, sizeof text);
        ::close(fd);
        const QString named = n > 0 ? QFile::decodeName(QByteArray(text, n).trimmed()) : QString();
        if (named.startsWith(u'/') && socketInode(named) != 0 && isPrivateFolder(QFileInfo(named).absolutePath()))
            return named;
    }
    return usualSocketPath();
}

bool SingleInstance::claim()
{
    if (!isUsable())
        return false;
    if (lock_ < 0)
        lock_ = takeLock(lockPath(), &lockState_, &lockProblem_);
    if (lock_ < 0)
        return false;
    lockProblem_.clear();
    return serve();
}

bool SingleInstance::claimUnlocked()
{
    if (lock_ >= 0 || lockState_ != LockState::ReadOnly)
        return false;
    return serve();
}

bool SingleInstance::serve()
{
    if (listening_ < 0)
        listen();
    if (!watcher_) {
        // The socket file can be deleted or replaced under us; the folder's
        // changes say when to look, so that we listen again.
        watcher_ = new QFileSystemWatcher(this);
        connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &SingleInstance::checkSocket);
    }
    const QString folder = QFileInfo(listeningAt_).absolutePath();
    if (!listeningAt_.isEmpty() && !watcher_->directories().contains(folder)) {
        if (!watcher_->directories().isEmpty())
            watcher_->removePaths(watcher_->directories());
        watcher_->addPath(folder);
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
    if (lock_ >= 0
        && (::ftruncate(lock_, 0) != 0 || ::pwrite(lock_, named.constData(), size_t(named.size()), 0) != named.size()))
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
    // We hold the lock (or nobody can, and the socket did not answer), so a
    // socket left here belongs to an instance that has gone; anything else
    // at the path is left alone.
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
    delete acceptor_;
    if (listening_ >= 0)
        ::close(listening_);
    listening_ = fd;
    listeningAt_ = path;
    boundInode_ = socketInode(path);
    acceptor_ = new QSocketNotifier(listening_, QSocketNotifier::Read, this);
    connect(acceptor_, &QSocketNotifier::activated, this, &SingleInstance::accept);
    return true;
}

void SingleInstance::checkSocket()
{
    if (lock_ < 0 || (listening_ >= 0 && socketInode(listeningAt_) == boundInode_ && boundInode_ != 0))
        return;
    // Gone or replaced: listen again, where we can.
    delete acceptor_;
    acceptor_ = nullptr;
    if (listening_ >= 0)
        ::close(listening_);
    listening_ = -1;
    listeningAt_.clear();
    listen();
    if (!listeningAt_.isEmpty()) {
        const QString folder = QFileInfo(listeningAt_).absolutePath();
        if (!watcher_->directories().isEmpty())
            watcher_->removePaths(watcher_->directories());
        watcher_->addPath(folder);
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

    void reply(const QByteArray &message, bool more)
    {
        // The answer may come long after the message (a pick waits for the
        // user); its writing has a deadline of its own.
        deadline.start(SingleInstance::callerDeadlineMs);
        pending_ += message;
        last_ = !more;
        writeMore();
    }

    int fd;
    QSocketNotifier reader;
    QSocketNotifier writer;
    QTimer deadline;
    QByteArray buffer;
    bool asked = false; // the whole message is in

private:
    void writeMore()
    {
        while (!pending_.isEmpty()) {
            const ssize_t n = ::send(fd, pending_.constData(), size_t(pending_.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                pending_.remove(0, n);
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                writer.setEnabled(true); // the rest when the socket takes it
                return;
            }
            deleteLater(); // gone
            return;
        }
        writer.setEnabled(false);
        // Written; the rest of the answer waits for the user again.
        if (!last_) {
            deadline.stop();
            return;
        }
        deleteLater();
    }

    QByteArray pending_;
    bool last_ = true;
};

} // namespace

void SingleInstance::accept()
{
    for (;;) {
        const int fd = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            // Out of descriptors: the connection stays queued and the socket
            // stays readable, so listening on would spin. Rest a moment while
            // callers that are done give theirs back.
            if ((errno == EMFILE || errno == ENFILE) && acceptor_) {
                acceptor_->setEnabled(false);
                QTimer::singleShot(acceptPauseMs, acceptor_, [notifier = acceptor_] { notifier->setEnabled(true); });
            }
            return;
        }
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
            if (caller->asked)
                return; // nothing more is expected while the answer is made
            caller->buffer.append(chunk, n);
            bool tooLong = false;
            const std::optional<QByteArray> data = takeMessage(caller->buffer, &tooLong);
            if (tooLong) {
                caller->deleteLater();
                return;
            }
            if (!data)
                return; // the rest is still on its way
            caller->asked = true;
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
            // The reader stays on: the sender hanging up while the answer
            // is made (Ctrl+C on a pick) ends the caller.
            QPointer<Caller> guard(caller);
            Q_EMIT received(
                arguments,
                [guard](const QString &reply, bool more) {
                    if (!guard)
                        return;
                    QByteArray out;
                    QDataStream stream(&out, QIODevice::WriteOnly);
                    stream << reply << more;
                    guard->reply(framed(out), more);
                },
                caller);
        });
    }
}

bool SingleInstance::isRunningElsewhere() const
{
    if (lock_ >= 0 || listening_ >= 0)
        return false; // that is us
    LockState state = lockState_;
    if (isUsable()) {
        const int probe = takeLock(lockPath(), &state);
        if (probe >= 0)
            ::close(probe);
    }
    // Where nobody can take the lock, an instance is one that answers.
    if (state == LockState::ReadOnly)
        return answersAt(socketPath());
    return state == LockState::HeldElsewhere;
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
                                                QString *why, SendFailure *failure,
                                                const std::function<void(const QString &)> &interim) const
{
    // Not reached until it is; reached but silent from the first byte sent.
    *failure = SendFailure::Unreachable;
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
    *failure = SendFailure::Unanswered;
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
        while (const std::optional<QByteArray> data = takeMessage(buffer, &tooLong)) {
            QDataStream in(*data);
            QString reply;
            in >> reply;
            if (in.status() != QDataStream::Ok) {
                *why = QStringLiteral("the answer could not be read");
                return std::nullopt;
            }
            // An answer without the flag is the last.
            bool more = false;
            if (!in.atEnd())
                in >> more;
            if (!more || in.status() != QDataStream::Ok)
                return reply;
            if (interim)
                interim(reply);
        }
        if (tooLong)
            return std::nullopt;
    }
}

std::optional<QString> SingleInstance::send(const QStringList &arguments, int timeoutMs, QString *why,
                                            const std::function<void(const QString &)> &interim) const
{
    QString reason;
    if (!why)
        why = &reason;
    *why = QStringLiteral("Pigmentry is not running");
    // Without a lock folder nothing tells whether one runs: only a folder
    // that cannot be written is worth asking at the usual socket.
    if (!isUsable() && lockState_ != LockState::ReadOnly)
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
        SendFailure failure = SendFailure::Unreachable;
        if (const std::optional<QString> reply =
                sendOnce(message, path, int(std::max<qint64>(deadline.remainingTime(), 1)), why, &failure, interim))
            return reply;
        if (failure == SendFailure::Unanswered)
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
