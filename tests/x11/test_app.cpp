// SPDX-License-Identifier: GPL-3.0-or-later
// Pigmentry as a user runs it: a tray host, a fresh home folder, the global
// shortcut pressed and a colour clicked, then the library file, the
// clipboard and the popover checked; a second launch and a closed Studio.
#include "model/library/library_file.h"
#include "x11_tools.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace pigmentry;

class TestApp : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    QProcess tray_;
    QProcess app_;
    std::unique_ptr<test::Board> board_;

    // The user of the test: a home of its own; another "desk" is another
    // user session of the same user, with its own runtime and data folders.
    QProcessEnvironment environment(const QString &desk = QString()) const
    {
        return test::userEnvironment(home_.path(), desk);
    }

    int runPigmentry(const QStringList &arguments, QByteArray *out = nullptr, const QString &desk = QString())
    {
        QProcess process;
        process.setProcessEnvironment(environment(desk));
        process.start(qEnvironmentVariable("PIGMENTRY_BINARY"), arguments);
        process.waitForStarted();
        QDeadlineTimer deadline(30000);
        while (process.state() != QProcess::NotRunning && !deadline.hasExpired())
            QTest::qWait(10);
        if (out)
            *out = process.readAllStandardOutput();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // Whether the process has ended, now or within ten seconds (it may
    // have ended while the event loop ran, before this is asked).
    static bool ended(QProcess &process)
    {
        return process.state() == QProcess::NotRunning || process.waitForFinished(10000);
    }

    QString libraryPath() const { return home_.filePath(QStringLiteral("data/Pigmentry/library.json")); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(test::xdotool({"version"}), "xdotool is not installed");
        tray_.start(QStringLiteral("trayer"), {"--edge", "top", "--height", "24", "--SetDockType", "true"});
        QVERIFY2(tray_.waitForStarted(), "trayer is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(test::traySelectionOwned(), 10000);

        board_ = std::make_unique<test::Board>(QGuiApplication::primaryScreen());
        board_->show();
        QVERIFY(QTest::qWaitForWindowExposed(board_.get()));

        app_.setProcessEnvironment(environment());
        app_.start(qEnvironmentVariable("PIGMENTRY_BINARY"), QStringList());
        QVERIFY(app_.waitForStarted());
        // Up once it answers on its socket.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home_.filePath(QStringLiteral("runtime/pigmentry.socket"))), 10000);
        QVERIFY(test::nonUnixSockets(app_.processId()).isEmpty());
        // The first start says once where Pigmentry went.
        QTRY_VERIFY_WITH_TIMEOUT(test::readFileText(home_.filePath(QStringLiteral("config/Pigmentry/Pigmentry.conf")))
                                     .contains(QLatin1String("welcomed=true")),
                                 10000);
    }

    void cleanupTestCase()
    {
        if (app_.state() != QProcess::NotRunning) {
            runPigmentry({"quit"});
            app_.waitForFinished(5000);
        }
        tray_.kill();
        tray_.waitForFinished();
    }

    void shortcutPickLandsInLibraryClipboardAndPopover()
    {
        // Launch has grabbed the shortcut once another client cannot.
        const QString helper = QCoreApplication::applicationDirPath() + QLatin1String("/grab_helper");
        QTRY_COMPARE_WITH_TIMEOUT(QProcess::execute(helper, {QStringLiteral("try")}), 3, 10000);
        QVERIFY(test::xdotool({"key", "shift+super+p"}));
        QTRY_VERIFY_WITH_TIMEOUT(test::keyboardHeldElsewhere(quint32(board_->winId())), 10000);
        QVERIFY(test::xdotool({"mousemove", "321", "234"}));
        QVERIFY(test::xdotool({"click", "1"}));

        const QRgb expected = test::boardColor(321, 234);
        const RGBA color{qRed(expected) / 255.0, qGreen(expected) / 255.0, qBlue(expected) / 255.0, 1.0};
        QTRY_VERIFY_WITH_TIMEOUT(!loadLibrary(libraryPath()).library.history.isEmpty(), 10000);
        QCOMPARE(loadLibrary(libraryPath()).library.history.first().color, color);
        QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::clipboard()->text(), color.hex(), 5000);

        QByteArray saved;
        QCOMPARE(runPigmentry({"tour", home_.filePath(QStringLiteral("tour"))}, &saved), 0);
        QVERIFY(saved.contains("popover.png"));
        const QImage popover(home_.filePath(QStringLiteral("tour/popover.png")));
        QCOMPARE(popover.size(), QSize(310, 340));
        // The swatch, 18 in from the edge, below the header.
        QCOMPARE(QColor(popover.pixel(40, 90)), QColor(expected));
    }

    // The hand moves on at once after the click: the pick is still the
    // pixel that was clicked.
    void motionAfterTheClickPicksTheClickedPixel()
    {
        for (int i = 0; i < 8; ++i) {
            const int x = 200 + 40 * i, y = 300 + 10 * i;
            QVERIFY(test::xdotool({"mousemove", QString::number(x), QString::number(y)}));
            QVERIFY(test::xdotool({"key", "shift+super+p"}));
            QTRY_VERIFY_WITH_TIMEOUT(test::keyboardHeldElsewhere(quint32(board_->winId())), 10000);
            QVERIFY(test::xdotool({"mousemove", QString::number(x), QString::number(y), "click", "1", "mousemove",
                                   QString::number(x + 20), QString::number(y + 10), "mousemove",
                                   QString::number(x + 40), QString::number(y + 20), "mousemove",
                                   QString::number(x + 60), QString::number(y + 30)}));
            const QRgb expected = test::boardColor(x, y);
            const RGBA color{qRed(expected) / 255.0, qGreen(expected) / 255.0, qBlue(expected) / 255.0, 1.0};
            QTRY_VERIFY_WITH_TIMEOUT(!test::keyboardHeldElsewhere(quint32(board_->winId())), 10000);
            QTRY_COMPARE_WITH_TIMEOUT(loadLibrary(libraryPath()).library.history.first().color.hex(), color.hex(),
                                      5000);
        }
    }

    // The shortcut held down, long past a key's repeat: one pick starts, and
    // no alert or second pick opens.
    void aHeldShortcutStartsOnePick()
    {
        QVERIFY(test::xdotool({"keydown", "shift+super+p"}));
        QTest::qWait(1200);
        QVERIFY(test::keyboardHeldElsewhere(quint32(board_->winId())));
        QVERIFY(test::xdotool({"keyup", "shift+super+p"}));
        QVERIFY(test::windowsNamed(QStringLiteral("Pigmentry"), true).filter(QStringLiteral("Studio")).size()
                == test::windowsNamed(QStringLiteral("Pigmentry"), true).size());
        QVERIFY(test::xdotool({"key", "Escape"}));
        QTRY_VERIFY_WITH_TIMEOUT(!test::keyboardHeldElsewhere(quint32(board_->winId())), 10000);
        QVERIFY(test::windowsNamed(QStringLiteral("Pigmentry"), true).filter(QStringLiteral("Studio")).size()
                == test::windowsNamed(QStringLiteral("Pigmentry"), true).size());
    }

    // `pigmentry pick` picks in the running Pigmentry: the code in the
    // format asked for, and the colour in the history and on the clipboard;
    // a second pick meanwhile is refused with a reason.
    void pickCommandPicksInTheInstance()
    {
        QProcess pick;
        pick.setProcessEnvironment(environment());
        pick.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"pick", "--format", "RGB"});
        QTRY_VERIFY_WITH_TIMEOUT(test::keyboardHeldElsewhere(quint32(board_->winId())), 10000);
        QByteArray out;
        QCOMPARE(runPigmentry({"pick"}, &out), 1);
        QVERIFY(out.isEmpty());
        QVERIFY(test::keyboardHeldElsewhere(quint32(board_->winId())));

        QVERIFY(test::xdotool({"mousemove", "611", "422", "click", "1"}));
        QVERIFY(ended(pick));
        const QRgb expected = test::boardColor(611, 422);
        const RGBA color{qRed(expected) / 255.0, qGreen(expected) / 255.0, qBlue(expected) / 255.0, 1.0};
        QCOMPARE(pick.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(pick.readAllStandardOutput()), color.formatted(QStringLiteral("RGB")) + u'\n');
        QCOMPARE(loadLibrary(libraryPath()).library.history.first().color, color);
        QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::clipboard()->text(), color.hex(), 5000);

        // Cancelled: exit 1, nothing printed.
        pick.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"pick"});
        QTRY_VERIFY_WITH_TIMEOUT(test::keyboardHeldElsewhere(quint32(board_->winId())), 10000);
        QVERIFY(test::xdotool({"key", "Escape"}));
        QVERIFY(ended(pick));
        QCOMPARE(pick.exitCode(), 1);
        QVERIFY(pick.readAllStandardOutput().isEmpty());
    }

    // The command that asked for a pick is ended (Ctrl+C): so is its pick,
    // and the next one starts at once.
    void aPickEndsWithItsCommand()
    {
        QProcess pick;
        pick.setProcessEnvironment(environment());
        pick.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"pick"});
        QTRY_VERIFY_WITH_TIMEOUT(test::keyboardHeldElsewhere(quint32(board_->winId())), 10000);
        ::kill(pid_t(pick.processId()), SIGINT);
        QVERIFY(ended(pick));
        QTRY_VERIFY_WITH_TIMEOUT(!test::keyboardHeldElsewhere(quint32(board_->winId())), 10000);
        pick.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"pick"});
        QTRY_VERIFY_WITH_TIMEOUT(test::keyboardHeldElsewhere(quint32(board_->winId())), 10000);
        QVERIFY(test::xdotool({"key", "Escape"}));
        QVERIFY(ended(pick));
    }

    // A data folder in which nothing can be written: Pigmentry starts all
    // the same, works in memory, and a pick says that its colour was not
    // saved, and why.
    void aFolderThatCannotBeWrittenStillStarts()
    {
        const QString desk = QStringLiteral("-unwritable");
        QDir().mkpath(home_.filePath(QStringLiteral("data") + desk));
        QFile blocker(home_.filePath(QStringLiteral("data") + desk + QLatin1String("/Pigmentry")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QProcess other;
        other.setProcessEnvironment(environment(desk));
        other.start(qEnvironmentVariable("PIGMENTRY_BINARY"), QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(home_.filePath(QStringLiteral("runtime") + desk + QLatin1String("/pigmentry.socket"))),
            10000);
        QCOMPARE(other.state(), QProcess::Running);

        QProcess pick;
        pick.setProcessEnvironment(environment(desk));
        pick.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"pick"});
        QTRY_VERIFY_WITH_TIMEOUT(test::keyboardHeldElsewhere(quint32(board_->winId())), 10000);
        QVERIFY(test::xdotool({"mousemove", "432", "321", "click", "1"}));
        QVERIFY(ended(pick));
        QCOMPARE(pick.exitCode(), 1);
        const QRgb expected = test::boardColor(432, 321);
        const RGBA color{qRed(expected) / 255.0, qGreen(expected) / 255.0, qBlue(expected) / 255.0, 1.0};
        QCOMPARE(QString::fromUtf8(pick.readAllStandardOutput()), color.hex() + u'\n');
        const QString err = QString::fromUtf8(pick.readAllStandardError());
        QVERIFY2(err.startsWith(QLatin1String("The color is not in the saved history: Nothing will be saved: ")),
                 qPrintable(err));
        QCOMPARE(runPigmentry({"quit"}, nullptr, desk), 0);
        QVERIFY(ended(other));
    }

    // Another program holds the keyboard: the pick ends with an alert that
    // is drawn, its text and all, and the command ends when it is closed.
    void alertsAreDrawn()
    {
        QProcess holder;
        holder.start(QCoreApplication::applicationDirPath() + QLatin1String("/grab_helper"), {"keyboard"});
        QVERIFY(holder.waitForReadyRead(5000));
        QProcess pick;
        pick.setProcessEnvironment(environment());
        pick.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"pick"});
        QTRY_VERIFY_WITH_TIMEOUT(test::windowsNamed(QStringLiteral("Pigmentry")).size()
                                     > test::windowsNamed(QStringLiteral("Color Studio")).size(),
                                 10000);
        // The alert stands in the middle of the screen, over the board: its
        // light face with dark text, not a black box nor the board's colours.
        QString counted;
        const auto drawn = [&counted] {
            const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
            const QRect middle(shot.width() / 2 - 60, shot.height() / 2 - 30, 120, 60);
            int light = 0, dark = 0;
            for (int y = middle.top(); y <= middle.bottom(); ++y) {
                for (int x = middle.left(); x <= middle.right(); ++x) {
                    const int grey = qGray(shot.pixel(x, y));
                    light += grey > 200;
                    dark += grey < 80;
                }
            }
            const int all = middle.width() * middle.height();
            counted = QStringLiteral("%1 %2").arg(light).arg(dark);
            return light > all / 3 && dark > 0 && dark < all / 3;
        };
        QVERIFY2(QTest::qWaitFor(drawn, 10000), qPrintable(counted));
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(5000));
        QVERIFY(test::xdotool({"key", "Return"}));
        QVERIFY(ended(pick));
        QCOMPARE(pick.exitCode(), 1);
    }

    // Without a running Pigmentry, the command starts one in the tray and
    // hands it the pick.
    void pickCommandStartsPigmentry()
    {
        const QString desk = QStringLiteral("-picker");
        QProcess pick;
        pick.setProcessEnvironment(environment(desk));
        pick.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"pick"});
        QTRY_VERIFY_WITH_TIMEOUT(test::keyboardHeldElsewhere(quint32(board_->winId())), 15000);
        QVERIFY(test::xdotool({"mousemove", "101", "202", "click", "1"}));
        QVERIFY(ended(pick));
        QCOMPARE(pick.exitCode(), 0);
        const QRgb expected = test::boardColor(101, 202);
        QCOMPARE(pick.readAllStandardOutput().trimmed(), QColor(expected).name().toUpper().toLatin1());
        QCOMPARE(runPigmentry({"quit"}, nullptr, desk), 0);
    }

    void secondLaunchOpensTheStudio()
    {
        QVERIFY(test::windowsNamed(QStringLiteral("Color Studio")).isEmpty());
        QCOMPARE(runPigmentry({}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!test::windowsNamed(QStringLiteral("Color Studio")).isEmpty(), 10000);
    }

    void closingTheStudioKeepsRunning()
    {
        const QStringList windows = test::windowsNamed(QStringLiteral("Color Studio"));
        QVERIFY(!windows.isEmpty());
        test::requestClose(windows.first().toUInt());
        QTRY_VERIFY_WITH_TIMEOUT(test::windowsNamed(QStringLiteral("Color Studio")).isEmpty(), 10000);
        // The same window comes back: the same process answered.
        QCOMPARE(runPigmentry({}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(test::windowsNamed(QStringLiteral("Color Studio")), windows, 10000);
        QCOMPARE(app_.state(), QProcess::Running);
    }

    void opensNoSocketButUnixOnes()
    {
        QVERIFY(app_.state() == QProcess::Running);
        const QStringList others = test::nonUnixSockets(app_.processId());
        QVERIFY2(others.isEmpty(), qPrintable(others.join(u' ')));
    }

    void simultaneousLaunchesLeaveOneInstance()
    {
        const QString desk = QStringLiteral("-second");
        std::vector<std::unique_ptr<QProcess>> launches;
        for (int i = 0; i < 4; ++i) {
            launches.push_back(std::make_unique<QProcess>());
            launches.back()->setProcessEnvironment(environment(desk));
            launches.back()->start(qEnvironmentVariable("PIGMENTRY_BINARY"), QStringList());
        }
        // All but one hand over and leave with success; one stays.
        auto running = [&] {
            int count = 0;
            for (const auto &launch : launches)
                count += launch->state() != QProcess::NotRunning;
            return count;
        };
        QTRY_COMPARE_WITH_TIMEOUT(running(), 1, 30000);
        for (const auto &launch : launches) {
            if (launch->state() == QProcess::NotRunning) {
                QCOMPARE(launch->exitStatus(), QProcess::NormalExit);
                QCOMPARE(launch->exitCode(), 0);
            }
        }
        QCOMPARE(runPigmentry({"quit"}, nullptr, desk), 0);
        // Quit returns once the instance has let go of its lock; the process
        // is gone a moment later (longer under the sanitizers' exit checks).
        QTRY_COMPARE_WITH_TIMEOUT(running(), 0, 5000);
    }

    // Last: Quit with the Studio open ends the process, and `pigmentry quit`
    // returns once it has ended.
    void quitEndsTheProcessWithTheStudioOpen()
    {
        QVERIFY(!test::windowsNamed(QStringLiteral("Color Studio")).isEmpty());
        QCOMPARE(runPigmentry({"quit"}), 0);
        // Ended already: the quit command waited for it.
        QVERIFY(app_.state() == QProcess::NotRunning || app_.waitForFinished(200));
        QCOMPARE(app_.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app_.exitCode(), 0);
        QCOMPARE(runPigmentry({"quit"}), 1); // nothing runs now
    }
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
