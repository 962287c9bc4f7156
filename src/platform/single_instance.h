#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class QLocalServer;

namespace pigmentry {

// One Pigmentry per user: a later launch hands its arguments to the running
// one over a per-user local socket and leaves. Replies travel back on the
// same socket, so that a caller can wait for the running instance to act.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    using Reply = std::function<void(const QString &)>;

    // The socket in the user's runtime folder unless another path is given.
    explicit SingleInstance(QString path = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // Sends the arguments to a running instance; gives its reply, or nothing
    // when none runs (or it did not answer within timeoutMs).
    std::optional<QString> send(const QStringList &arguments, int timeoutMs = 5000) const;
    // Becomes the running instance. False when the socket cannot be made.
    bool listen();

    const QString &path() const { return socketPath; }

Q_SIGNALS:
    // reply must be called once, with the text for the sender.
    void received(const QStringList &arguments, const pigmentry::SingleInstance::Reply &reply);

private:
    QString socketPath;
    QLocalServer *server = nullptr;
};

} // namespace pigmentry
