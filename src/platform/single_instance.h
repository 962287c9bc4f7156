// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

class QFileSystemWatcher;
class QSocketNotifier;

namespace pigmentry {

// One Pigmentry per user, the only writer of the library. A lock held for
// the life of the process decides who is the running instance (an flock,
// which the kernel releases when the process ends, however it ends); it
// lives beside the library, so whatever state the runtime folder is in
// there is never a second writer. A later launch only ever hands its
// arguments over, on a socket in a folder that only the user can enter
// (the runtime folder, or a fresh one of the user's own when that cannot be
// used; the lock file names the socket), and replies travel back on the same
// socket. Both ends check that the other runs as the same user. Nothing on
// the instance's side blocks: a caller that says nothing is dropped after a
// few seconds, replies are written as the socket takes them, and a request
// whose sender has given up is not carried out.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The answer to a request: one text, or several where more says that
    // others follow (a pick that goes on gives each colour as it comes).
    class Reply {
    public:
        Reply() = default;
        template <typename F>
        requires std::is_invocable_v<F, const QString &, bool> Reply(F send)
            : send_(std::move(send))
        { }
        template <typename F>
        requires(std::is_invocable_v<F, const QString &> && !std::is_invocable_v<F, const QString &, bool>)
            Reply(F last)
            : send_([last = std::move(last)](const QString &text, bool) { last(text); })
        { }
        void operator()(const QString &text, bool more = false) const
        {
            if (send_)
                send_(text, more);
        }

    private:
        std::function<void(const QString &, bool)> send_;
    };
    // What became of the lock: held by us; held by a live process; not to
    // be had because its folder cannot be written (then nobody can write
    // the library either); or refused (a link, a folder, another's file).
    enum class LockState { None, Held, HeldElsewhere, ReadOnly, Refused };

    // lockFolder: where the lock lives, the library's folder when empty;
    // socketFolder: where the socket goes, the user's runtime folder (or a
    // private one made for the purpose) when empty.
    explicit SingleInstance(const QString &lockFolder = QString(), const QString &socketFolder = QString(),
                            QObject *parent = nullptr);
    ~SingleInstance() override;

    // False when the lock's folder could not be had: then there is no
    // handing over, and no second instance is kept out either.
    bool isUsable() const { return !lockFolder_.isEmpty(); }

    // Becomes the running instance if no other one holds the lock: takes the
    // lock for the life of this object and listens. False when another
    // instance runs.
    bool claim();
    // Where the lock cannot be had because nothing can be written there:
    // listens all the same, so that later launches hand over to this one.
    bool claimUnlocked();
    LockState lockState() const { return lockState_; }
    // Why the lock could not be had, for people; empty once held.
    const QString &lockProblem() const { return lockProblem_; }

    // Hands the arguments to the running instance and gives its reply. While
    // the lock is held by a live process it keeps trying to connect for a few
    // seconds (that instance may still be starting); nothing when none runs
    // or none answered within timeoutMs, with the reason in why.
    // Texts sent ahead of the last go to interim as they arrive.
    std::optional<QString> send(const QStringList &arguments, int timeoutMs = 10000, QString *why = nullptr,
                                const std::function<void(const QString &)> &interim = {}) const;
    // Whether a live process holds the lock now.
    bool isRunningElsewhere() const;
    // Waits until no process holds the lock; false when one still does after
    // timeoutMs.
    bool waitUntilEnded(int timeoutMs) const;

    const QString &folder() const { return lockFolder_; }
    // Where the running instance listens: what its lock file names, else
    // the usual path in the socket folder.
    QString socketPath() const;

    // The most a message may hold; a longer one closes the connection.
    static constexpr qint64 largestMessage = 64 * 1024;
    // How long a caller may take to send its message, and a reply to leave;
    // the answer itself may take as long as it takes.
    static constexpr int callerDeadlineMs = 5000;
    // How long accepting rests when the process has no descriptor left.
    static constexpr int acceptPauseMs = 200;

Q_SIGNALS:
    // reply must be called once without more, with the last text for the
    // sender, and may be called with more before. caller is
    // destroyed when the sender hangs up before the reply (or once it is
    // sent): what it asked for can end with it.
    void received(const QStringList &arguments, const pigmentry::SingleInstance::Reply &reply, QObject *caller);

private:
    // Reached, or not even that: only an instance that could not be
    // reached is tried again.
    enum class SendFailure { Unreachable, Unanswered };
    std::optional<QString> sendOnce(const QByteArray &message, const QString &path, int timeoutMs, QString *why,
                                    SendFailure *failure, const std::function<void(const QString &)> &interim) const;
    bool serve();
    bool listen();
    bool listenAt(const QString &path);
    void checkSocket();
    void accept();
    QString lockPath() const;
    QString usualSocketPath() const;

    QString lockFolder_;
    QString socketFolder_;
    QString ownFolder_; // a fresh private folder made for the socket, if any
    QString listeningAt_; // the path we are bound to
    quint64 boundInode_ = 0;
    int lock_ = -1; // the descriptor that holds the lock, while we do
    LockState lockState_ = LockState::None;
    QString lockProblem_;
    int listening_ = -1; // the socket we accept on
    QSocketNotifier *acceptor_ = nullptr;
    QFileSystemWatcher *watcher_ = nullptr;
};

// The user's runtime folder, or a folder of our own in the temporary folder
// with mode 0700, checked to be the user's and private; empty when neither
// can be had.
QString privateRuntimeFolder();

} // namespace pigmentry
