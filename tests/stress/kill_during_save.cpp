// SPDX-License-Identifier: GPL-3.0-or-later
// Kills a process that saves the library in a loop, a thousand times at
// random moments, and checks after each kill that library.json is whole: it
// parses and is exactly the state before or after one edit.
//
//   kill_during_save [KILLS]        the driver (default 1,000 kills)
//   kill_during_save --save PATH    the saver: edits and saves until killed
//
// The library holds 5,000 records. Edit n sets the label of one record to
// "edit n", so the state after n edits can be built again from n alone.
#include "model/library/library_file.h"
#include "model/library/store.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdio>

using namespace pigmentry;

namespace {

constexpr int records = 5000;

class NoClipboard : public Clipboard {
public:
    void setText(const QString &) override { }
};

int recordOf(qint64 edit)
{
    return int((edit * 7919) % records);
}

QUuid idOf(int record)
{
    return QUuid(uint(record + 1), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
}

Library stateAfter(qint64 edits)
{
    Library library;
    library.history.reserve(records);
    for (int i = 0; i < records; ++i)
        library.history.append(ColorRecord{idOf(i), RGBA{(i % 256) / 255.0, (i / 256) / 255.0, 0.5, 1.0}, double(i),
                                           QStringLiteral("label %1").arg(i), i % 3 == 0, QStringLiteral("sRGB")});
    for (qint64 edit = 1; edit <= edits; ++edit)
        library.history[recordOf(edit)].label = QStringLiteral("edit %1").arg(edit);
    return library;
}

// The number of edits a library shows: the highest "edit n" label.
qint64 editsIn(const Library &library)
{
    qint64 most = 0;
    for (const ColorRecord &record : library.history)
        if (record.label.startsWith(QLatin1String("edit ")))
            most = std::max(most, record.label.mid(5).toLongLong());
    return most;
}

int save(const QString &path)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("prefs.conf")), QSettings::IniFormat);
    Preferences prefs(&settings);
    NoClipboard clipboard;
    Store store(prefs, clipboard, path);
    if (!store.notice().isEmpty()) {
        std::fprintf(stderr, "saver: %s\n", qPrintable(store.notice()));
        return 1;
    }
    for (qint64 edit = editsIn(store.library()) + 1;; ++edit)
        store.setLabel(QStringLiteral("edit %1").arg(edit), idOf(recordOf(edit)));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--save") == 0)
        return save(QString::fromLocal8Bit(argv[2]));

    const int kills = argc > 1 ? std::atoi(argv[1]) : 1000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("library.json"));
    if (!saveLibrary(path, stateAfter(0))) {
        std::fprintf(stderr, "could not write the first library\n");
        return 1;
    }
    qint64 seen = 0;
    int failures = 0;
    for (int kill = 0; kill < kills; ++kill) {
        QProcess saver;
        saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        saver.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save"), path});
        if (!saver.waitForStarted()) {
            std::fprintf(stderr, "the saver did not start\n");
            return 1;
        }
        // Past the start-up read most of the time, now and then during it.
        QThread::usleep(QRandomGenerator::global()->bounded(2000, 120000));
        ::kill(pid_t(saver.processId()), SIGKILL);
        saver.waitForFinished();

        const LoadedLibrary loaded = loadLibrary(path);
        const qint64 edits = editsIn(loaded.library);
        if (!loaded.notice.isEmpty() || edits < seen || loaded.library != stateAfter(edits)) {
            std::fprintf(stderr, "kill %d: the library is not a state of the sequence (%s)\n", kill + 1,
                         qPrintable(loaded.notice.left(200)));
            ++failures;
            break;
        }
        seen = edits;
    }
    const QStringList leftovers = QDir(dir.path()).entryList({QStringLiteral("library.json.*")}, QDir::Files);
    std::printf("%d kills, %lld edits saved, %lld temporary files left\n", kills, static_cast<long long>(seen),
                static_cast<long long>(leftovers.size()));
    std::printf("%d passed, %d failed\n", failures ? 0 : 1, failures);
    return failures ? 1 : 0;
}
