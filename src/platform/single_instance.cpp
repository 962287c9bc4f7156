#include "single_instance.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
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
    if (server)
        server->close();
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
    if (server)
        return true;
    // We hold the lock, so a socket left here belongs to an instance that
    // has gone.
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(socketPath());
    if (!server->listen(socketPath())) {
        // Still the only instance (the lock says so), but unreachable.
        qWarning("Pigmentry could not listen on %s: %s", qPrintable(socketPath()), qPrintable(server->errorString()));
        return true;
    }
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::accept);
    return true;
}

void SingleInstance::accept()
{
    while (QLocalSocket *socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsThisUser(socket->socketDescriptor())) {
            socket->abort();
            continue;
        }
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            bool tooLong = false;
            const std::optional<QByteArray> data = takeMessage(*buffer, &tooLong);
            if (tooLong) {
                socket->abort();
                return;
            }
            if (!data)
                return; // the rest is still on its way
            QDataStream in(*data);
            QStringList arguments;
            in >> arguments;
            if (in.status() != QDataStream::Ok) {
                socket->abort();
                return;
            }
            QPointer<QLocalSocket> guard(socket);
            Q_EMIT received(arguments, [guard](const QString &reply) {
                if (!guard)
                    return;
                QByteArray out;
                QDataStream stream(&out, QIODevice::WriteOnly);
                stream << reply;
                guard->write(framed(out));
                guard->flush();
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
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(std::min(timeoutMs, 1000)) || !peerIsThisUser(socket.socketDescriptor()))
        return std::nullopt;
    socket.write(message);
    if (!socket.waitForBytesWritten(std::min(timeoutMs, 1000)))
        return std::nullopt;
    QByteArray buffer;
    QDeadlineTimer deadline(timeoutMs);
    while (socket.state() == QLocalSocket::ConnectedState && socket.waitForReadyRead(int(deadline.remainingTime()))) {
        buffer += socket.readAll();
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
    return std::nullopt;
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
