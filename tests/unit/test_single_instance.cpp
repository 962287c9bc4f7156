#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

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
        QObject::connect(first.get(), &SingleInstance::received, [](const QStringList &arguments, const SingleInstance::Reply &reply) {
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
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(chosen).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0700));
        QCOMPARE(info.st_uid, getuid());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
