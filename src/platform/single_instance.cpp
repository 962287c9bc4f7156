#include "single_instance.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QThread>
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
    struct ucred credentials {};
    socklen_t size = sizeof credentials;
    if (getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return false;
    return credentials.uid == getuid();
}

// A folder of ours: a real folder (not a link), owned by this user, that no
// one else may enter.
bool isPrivateFolder(const QString &path)
{
    struct stat info {};
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

} // namespace

SingleInstance::SingleInstance(const QString &folder, QObject *parent)
    : QObject(parent), folder_(folder.isEmpty() ? privateRuntimeFolder() : folder)
{
}

SingleInstance::~SingleInstance()
{
    delete acceptor;
    if (listening >= 0) {
        ::close(listening);
        ::unlink(QFile::encodeName(socketPath()).constData());
    }
    if (lock >= 0)
        ::close(lock);
}

QString SingleInstance::lockPath() const
{
    return folder_ + QLatin1String("/pigmentry.lock");
}

QString SingleInstance::socketPath() const
{
    return folder_ + QLatin1String("/pigmentry.socket");
}

bool SingleInstance::claim()
{
    if (!isUsable())
        return false;
    if (lock < 0)
        lock = takeLock(lockPath());
    if (lock < 0)
        return false;
    if (listening >= 0)
        return true;
    // We hold the lock, so a socket left here belongs to an instance that
    // has gone.
    const QByteArray path = QFile::encodeName(socketPath());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address.sun_path) {
        qWarning("Pigmentry's socket path is too long: %s", path.constData());
        return true;
    }
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    ::unlink(path.constData());
    listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listening < 0 || ::bind(listening, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::listen(listening, 16) != 0) {
        // Still the only instance (the lock says so), but unreachable.
        qWarning("Pigmentry could not listen on %s: %s", path.constData(), std::strerror(errno));
        if (listening >= 0)
            ::close(listening);
        listening = -1;
        return true;
    }
    acceptor = new QSocketNotifier(listening, QSocketNotifier::Read, this);
    connect(acceptor, &QSocketNotifier::activated, this, &SingleInstance::accept);
    return true;
}

namespace {

// One caller on the socket: its bytes until one whole message, then the
// reply, then the end.
class Caller : public QObject {
public:
    Caller(int fd, QObject *parent) : QObject(parent), fd(fd), reader(fd, QSocketNotifier::Read, this) {}
    ~Caller() override { ::close(fd); }

    int fd;
    QSocketNotifier reader;
    QByteArray buffer;
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
            QDataStream in(*data);
            QStringList arguments;
            in >> arguments;
            if (in.status() != QDataStream::Ok) {
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
                const QByteArray message = framed(out);
                // A reply is small; wait a little if the socket is full.
                qsizetype sent = 0;
                while (sent < message.size()) {
                    const ssize_t n = ::send(guard->fd, message.constData() + sent, size_t(message.size() - sent),
                                             MSG_NOSIGNAL);
                    if (n > 0) {
                        sent += n;
                        continue;
                    }
                    if (n < 0 && errno == EAGAIN) {
                        pollfd wait{guard->fd, POLLOUT, 0};
                        if (::poll(&wait, 1, 1000) > 0)
                            continue;
                    }
                    break;
                }
                guard->deleteLater();
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

std::optional<QString> SingleInstance::sendOnce(const QByteArray &message, int timeoutMs) const
{
    const QByteArray path = QFile::encodeName(socketPath());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address.sun_path)
        return std::nullopt;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    const auto closing = qScopeGuard([fd] { ::close(fd); });
    // A Unix socket connects at once or not at all.
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || !peerIsThisUser(fd))
        return std::nullopt;
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
            return std::nullopt; // no answer in time
        char chunk[4096];
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0)
            return std::nullopt;
        buffer.append(chunk, n);
        bool tooLong = false;
        if (const std::optional<QByteArray> data = takeMessage(buffer, &tooLong)) {
            QDataStream in(*data);
            QString reply;
            in >> reply;
            if (in.status() == QDataStream::Ok)
                return reply;
            return std::nullopt;
        }
        if (tooLong)
            return std::nullopt;
    }
}

std::optional<QString> SingleInstance::send(const QStringList &arguments, int timeoutMs) const
{
    if (!isUsable())
        return std::nullopt;
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out << arguments;
    const QByteArray message = framed(data);
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (const std::optional<QString> reply = sendOnce(message, int(std::max<qint64>(deadline.remainingTime(), 1))))
            return reply;
        // Nobody answered: try again while a live instance holds the lock
        // (it may be starting or busy), give up when none does.
        if (!isRunningElsewhere() || deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(50);
    }
}

} // namespace pigmentry
