#include "single_instance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>

namespace pigmentry {

namespace {

QString defaultPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QLatin1String("/pigmentry.socket");
}

} // namespace

SingleInstance::SingleInstance(QString path, QObject *parent)
    : QObject(parent), socketPath(path.isEmpty() ? defaultPath() : std::move(path))
{
}

SingleInstance::~SingleInstance()
{
    if (server)
        server->close();
}

std::optional<QString> SingleInstance::send(const QStringList &arguments, int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(1000))
        return std::nullopt;
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << arguments;
    socket.write(message);
    if (!socket.waitForBytesWritten(1000))
        return std::nullopt;
    QByteArray answer;
    while (socket.state() == QLocalSocket::ConnectedState && socket.waitForReadyRead(timeoutMs)) {
        answer += socket.readAll();
        QDataStream in(answer);
        QString reply;
        in >> reply;
        if (in.status() == QDataStream::Ok)
            return reply;
    }
    return std::nullopt;
}

bool SingleInstance::listen()
{
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(socketPath)) {
        // A socket left by a crashed instance: nobody answers on it.
        QLocalServer::removeServer(socketPath);
        if (!server->listen(socketPath))
            return false;
    }
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                const QByteArray data = socket->peek(socket->bytesAvailable());
                QDataStream in(data);
                QStringList arguments;
                in >> arguments;
                if (in.status() != QDataStream::Ok)
                    return; // wait for the rest
                socket->readAll();
                QPointer<QLocalSocket> guard(socket);
                Q_EMIT received(arguments, [guard](const QString &reply) {
                    if (!guard)
                        return;
                    QByteArray out;
                    QDataStream stream(&out, QIODevice::WriteOnly);
                    stream << reply;
                    guard->write(out);
                    guard->flush();
                });
            });
        }
    });
    return true;
}

} // namespace pigmentry
