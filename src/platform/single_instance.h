#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QSocketNotifier;

namespace pigmentry {

// One Pigmentry per user, the only writer of the library. A lock held for
// the life of the process decides who is the running instance (an flock,
// which the kernel releases when the process ends, however it ends); a later
// launch only ever hands its arguments over, on a socket in a folder that
// only the user can enter, and replies travel back on the same socket. Both
// ends check that the other runs as the same user.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    using Reply = std::function<void(const QString &)>;

    // folder: where the lock and the socket live; the user's runtime folder
    // (or a private one made for the purpose) when empty.
    explicit SingleInstance(const QString &folder = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // False when no private folder could be had: then there is no handing
    // over, and no second instance is kept out either.
    bool isUsable() const { return !folder_.isEmpty(); }

    // Becomes the running instance if no other one holds the lock: takes the
    // lock for the life of this object and listens. False when another
    // instance runs.
    bool claim();

    // Hands the arguments to the running instance and gives its reply. While
    // the lock is held by a live process it keeps trying until timeoutMs has
    // passed (that instance may be busy, or still starting); nothing when
    // none runs or none answered in time.
    std::optional<QString> send(const QStringList &arguments, int timeoutMs = 30000) const;
    // Whether a live process holds the lock now.
    bool isRunningElsewhere() const;
    // Waits until no process holds the lock; false when one still does after
    // timeoutMs.
    bool waitUntilEnded(int timeoutMs) const;

    const QString &folder() const { return folder_; }
    QString socketPath() const;

    // The most a message may hold; a longer one closes the connection.
    static constexpr qint64 largestMessage = 64 * 1024;

Q_SIGNALS:
    // reply must be called once, with the text for the sender.
    void received(const QStringList &arguments, const pigmentry::SingleInstance::Reply &reply);

private:
    std::optional<QString> sendOnce(const QByteArray &message, int timeoutMs) const;
    void accept();
    QString lockPath() const;

    QString folder_;
    int lock = -1;     // the descriptor that holds the lock, while we do
    int listening = -1; // the socket we accept on
    QSocketNotifier *acceptor = nullptr;
};

// The user's runtime folder, or a folder of our own in the temporary folder
// with mode 0700, checked to be the user's and private; empty when neither
// can be had.
QString privateRuntimeFolder();

} // namespace pigmentry
