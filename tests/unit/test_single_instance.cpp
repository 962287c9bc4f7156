// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <future>

using namespace pigmentry;

class TestSingleInstance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oneHoldsTheLockTheOthersHandOver()
    {
        QTemporaryDir folder;
        auto first = std::make_unique<SingleInstance>(folder.path());
        QVERIFY(first->claim());
        QObject::connect(first.get(), &SingleInstance::received,
                         [](const QStringList &arguments, const SingleInstance::Reply &reply) {
                             reply(QLatin1String("got ") + arguments.join(u','));
                         });
        {
            SingleInstance second(folder.path());
            QVERIFY(!second.claim());
            QVERIFY(second.isRunningElsewhere());
            // The second blocks while it waits; the first answers from the
            // event loop.
            auto reply = std::async(std::launch::async, [&second] { return second.send({"--studio", "x"}, 10000); });
            QTRY_VERIFY(reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
            QCOMPARE(reply.get(), std::optional<QString>(QStringLiteral("got --studio,x")));
        }
        first.reset();
        SingleInstance third(folder.path());
        QVERIFY(!third.isRunningElsewhere());
        QVERIFY(third.claim());
    }

    void nobodyAnswersWhenNoneRuns()
    {
        QTemporaryDir folder;
        SingleInstance alone(folder.path());
        QCOMPARE(alone.send({"quit"}, 2000), std::nullopt);
        QVERIFY(alone.waitUntilEnded(100));
    }

    void anOversizedMessageIsRefused()
    {
        QTemporaryDir folder;
        SingleInstance instance(folder.path());
        QVERIFY(instance.claim());
        QSignalSpy received(&instance, &SingleInstance::received);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(instance.socketPath());
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        QCOMPARE(::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        QByteArray header(4, '\0');
        qToBigEndian(quint32(SingleInstance::largestMessage + 1), header.data());
        const QByteArray bytes = header + QByteArray(1024, 'x');
        QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
        // The instance hangs up: reading gives the end.
        char answer = 0;
        QTRY_COMPARE(::recv(fd, &answer, 1, MSG_DONTWAIT), ssize_t(0));
        ::close(fd);
        QCOMPARE(received.count(), 0);
    }

    void neverASharedFolder()
    {
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        QTemporaryDir shared;
        QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777)));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(shared.path()));
        const QString chosen = privateRuntimeFolder();
        qputenv("XDG_RUNTIME_DIR", saved);
        QVERIFY(chosen != shared.path());
        QCOMPARE(chosen, QDir::tempPath() + QStringLiteral("/pigmentry-%1").arg(getuid()));
        struct stat info { };
        QCOMPARE(::lstat(QFile::encodeName(chosen).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0700));
        QCOMPARE(info.st_uid, getuid());
    }

    // The instance's socket deleted, or a folder put in its place: it
    // listens again (in a fresh folder of its own where it must), and a
    // launch finds it through the lock file.
    void theInstanceListensAgain()
    {
        QTemporaryDir folder;
        SingleInstance first(folder.path());
        QVERIFY(first.claim());
        QObject::connect(
            &first, &SingleInstance::received,
            [](const QStringList &, const SingleInstance::Reply &reply) { reply(QStringLiteral("here")); });
        const QString usual = first.socketPath();
        QVERIFY(QFile::remove(usual));
        QTRY_VERIFY(QFile::exists(usual));
        auto reply =
            std::async(std::launch::async, [&folder] { return SingleInstance(folder.path()).send({"x"}, 8000); });
        QTRY_VERIFY(reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QCOMPARE(reply.get(), std::optional<QString>(QStringLiteral("here")));

        QVERIFY(QFile::remove(usual));
        QVERIFY(QDir().mkdir(usual));
        QTRY_VERIFY(first.socketPath() != usual);
        QCOMPARE(SingleInstance(folder.path()).socketPath(), first.socketPath());
        reply = std::async(std::launch::async, [&folder] { return SingleInstance(folder.path()).send({"x"}, 8000); });
        QTRY_VERIFY(reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QCOMPARE(reply.get(), std::optional<QString>(QStringLiteral("here")));
    }

    // A runtime folder that cannot be used (another's, shared) leaves one
    // writer all the same: the lock is beside the library.
    void oneWriterWhateverTheRuntimeFolder()
    {
        QTemporaryDir data, shared;
        QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777)));
        SingleInstance first(data.path(), shared.path());
        QVERIFY(first.claim());
        QVERIFY(!first.socketPath().startsWith(shared.path()));
        QObject::connect(
            &first, &SingleInstance::received,
            [](const QStringList &, const SingleInstance::Reply &reply) { reply(QStringLiteral("here")); });
        SingleInstance second(data.path(), shared.path());
        QVERIFY(!second.claim());
        auto reply = std::async(std::launch::async, [&second] { return second.send({"x"}, 8000); });
        QTRY_VERIFY(reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QCOMPARE(reply.get(), std::optional<QString>(QStringLiteral("here")));
    }

    // A caller that connects and says nothing is dropped; one that hung up
    // before its message was read is not carried out.
    void silentAndAbandonedCallers()
    {
        QTemporaryDir folder;
        SingleInstance instance(folder.path());
        QVERIFY(instance.claim());
        QSignalSpy received(&instance, &SingleInstance::received);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(instance.socketPath());
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));

        const int silent = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::connect(silent, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        char answer = 0;
        QTRY_COMPARE_WITH_TIMEOUT(::recv(silent, &answer, 1, MSG_DONTWAIT), ssize_t(0),
                                  SingleInstance::callerDeadlineMs + 3000);
        ::close(silent);

        QByteArray data;
        QDataStream out(&data, QIODevice::WriteOnly);
        out << QStringList{"quit"};
        QByteArray message(4, '\0');
        qToBigEndian(quint32(data.size()), message.data());
        message += data;
        const int gaveUp = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::connect(gaveUp, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        QCOMPARE(::write(gaveUp, message.constData(), size_t(message.size())), ssize_t(message.size()));
        ::close(gaveUp);
        QTest::qWait(300);
        QCOMPARE(received.count(), 0);
    }

    // A lock held with nothing listening: the launch gives up within
    // seconds and says why.
    void anUnreachableInstanceIsReportedQuickly()
    {
        QTemporaryDir folder;
        const int held = ::open(QFile::encodeName(folder.filePath(QStringLiteral("pigmentry.lock"))).constData(),
                                O_RDWR | O_CREAT, 0600);
        QCOMPARE(::flock(held, LOCK_EX), 0);
        QVERIFY(QDir().mkdir(folder.filePath(QStringLiteral("pigmentry.socket"))));
        SingleInstance launch(folder.path());
        QElapsedTimer clock;
        clock.start();
        QString why;
        QCOMPARE(launch.send({"quit"}, 30000, &why), std::nullopt);
        QVERIFY2(clock.elapsed() < 8000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(why.contains(QLatin1String("pigmentry.socket")), qPrintable(why));
        ::close(held);
    }

    // A lock path that is a link or a folder is refused, never written
    // through: the link's target keeps its bytes, a dangling one makes
    // nothing.
    void aLockThatIsNotAFileIsRefused()
    {
        QTemporaryDir folder;
        const QString lock = folder.filePath(QStringLiteral("pigmentry.lock"));
        const QString victim = folder.filePath(QStringLiteral("victim"));
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep");
        file.close();
        QVERIFY(QFile::link(victim, lock));
        {
            SingleInstance instance(folder.path());
            QVERIFY(!instance.claim());
            QCOMPARE(instance.lockState(), SingleInstance::LockState::Refused);
            QVERIFY2(instance.lockProblem().contains(QLatin1String("symbolic link")), qPrintable(instance.lockProblem()));
            QVERIFY(!instance.isRunningElsewhere());
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("keep"));
        file.close();

        QVERIFY(QFile::remove(lock));
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("made")), lock));
        QVERIFY(!SingleInstance(folder.path()).claim());
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("made"))));

        QVERIFY(QFile::remove(lock));
        QVERIFY(QDir().mkdir(lock));
        SingleInstance beside(folder.path());
        QVERIFY(!beside.claim());
        QVERIFY(beside.lockProblem().contains(QLatin1String("is a folder")));
    }

    // No folder for the library (its parent cannot be written): the first
    // launch listens without a lock and a second one hands over to it.
    void withoutAWritableFolderTheFirstLaunchStillAnswers()
    {
        QTemporaryDir data, runtime;
        QFile blocker(data.filePath(QStringLiteral("Pigmentry")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        SingleInstance first(QString(), runtime.path());
        QVERIFY(!first.isUsable());
        QCOMPARE(first.lockState(), SingleInstance::LockState::ReadOnly);
        QVERIFY2(first.lockProblem().endsWith(QLatin1String("/Pigmentry cannot be made")),
                 qPrintable(first.lockProblem()));
        QVERIFY(first.claimUnlocked());
        QCOMPARE(first.socketPath(), runtime.filePath(QStringLiteral("pigmentry.socket")));
        qunsetenv("XDG_DATA_HOME");
    }

    // The lock may name a socket elsewhere, but only in a folder that only
    // this user can enter: a listener anywhere else is never asked.
    void aSocketNamedInASharedFolderIsNotTrusted()
    {
        QTemporaryDir folder, open;
        QVERIFY(QFile::setPermissions(open.path(), QFileDevice::Permissions(0x7755)));
        SingleInstance first(folder.path());
        QVERIFY(first.claim());
        QObject::connect(&first, &SingleInstance::received,
                         [](const QStringList &, const SingleInstance::Reply &reply) { reply(QStringLiteral("real")); });
        const QString elsewhere = open.filePath(QStringLiteral("other.socket"));
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(elsewhere);
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        QCOMPARE(::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        QCOMPARE(::listen(listener, 4), 0);
        QFile lock(folder.filePath(QStringLiteral("pigmentry.lock")));
        QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.write(path + '\n');
        lock.close();

        SingleInstance second(folder.path());
        QVERIFY(second.socketPath() != elsewhere);
        auto reply = std::async(std::launch::async, [&second] { return second.send({"x"}, 5000); });
        QTRY_VERIFY(reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QCOMPARE(reply.get(), std::optional<QString>(QStringLiteral("real")));
        ::close(listener);
    }

    // Out of descriptors, the instance rests instead of retrying an accept
    // that cannot succeed: a second of a flood costs it far less than a
    // second of processor time.
    void aFloodDoesNotSpinTheInstance()
    {
        QTemporaryDir folder;
        SingleInstance instance(folder.path());
        QVERIFY(instance.claim());
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &saved), 0);
        const QByteArray path = QFile::encodeName(instance.socketPath());
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        // Callers that stay connected, and a limit just above them: the
        // instance's accept runs out of descriptors.
        QList<int> callers;
        for (int i = 0; i < 12; ++i) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            QCOMPARE(::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
            callers.append(fd);
        }
        QTest::qWait(100);
        const int probe = ::dup(0);
        ::close(probe);
        rlimit tight = saved;
        tight.rlim_cur = rlim_t(probe + 1);
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &tight), 0);
        for (int i = 0; i < 8; ++i) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0)
                callers.append(fd);
            else if (fd >= 0)
                ::close(fd);
        }
        rusage before{}, after{};
        ::getrusage(RUSAGE_SELF, &before);
        QTest::qWait(1000);
        ::getrusage(RUSAGE_SELF, &after);
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &saved), 0);
        for (const int fd : std::as_const(callers))
            ::close(fd);
        const auto seconds = [](const timeval &t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
        const double busy = seconds(after.ru_utime) + seconds(after.ru_stime) - seconds(before.ru_utime)
            - seconds(before.ru_stime);
        QVERIFY2(busy < 0.2, qPrintable(QString::number(busy)));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
