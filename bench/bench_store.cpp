// SPDX-License-Identifier: GPL-3.0-or-later
// Store::capture with 5,000 labelled history records: every capture re-encodes
// the whole library and writes it atomically. Prints the median and the 90th
// percentile over 200 captures; then the same for a keystroke in a label
// (each one is saved) in a heavy user's library, 5,000 records and 200
// palettes of 20 colours, in a folder on disk beside the program.
#include "bench_library.h"
#include "model/library/library_file.h"
#include "model/library/store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pigmentry;

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("prefs.conf")), QSettings::IniFormat);
    Preferences prefs(&settings);
    prefs.setInteger(QStringLiteral("historyLimit"), 5000);
    prefs.setBoolean(QStringLiteral("autoCopy"), false);
    bench::NoClipboard clipboard;
    const QString path = dir.filePath(QStringLiteral("library.json"));
    (void)saveLibrary(path, bench::labelledHistory());
    Store filled(prefs, clipboard, path);

    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < 200; ++i) {
        timer.start();
        filled.capture(RGBA{0.1, 0.2, (i % 100) / 100.0, 1.0});
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("Store.capture with %lld records: median %.2f ms, p90 %.2f ms (goal: median <= 5 ms)\n",
                static_cast<long long>(filled.library().history.size()), times[times.size() / 2],
                times[times.size() * 9 / 10]);

    // Where the time goes: encoding the library, and the atomic write alone
    // (a temporary file written, synced and renamed), which is the floor.
    std::vector<double> encode, write;
    QByteArray bytes;
    for (int i = 0; i < 100; ++i) {
        timer.start();
        bytes = *encodeLibrary(filled.library(), nullptr);
        encode.push_back(double(timer.nsecsElapsed()) / 1e6);
        timer.start();
        (void)writeFileAtomically(filled.url(), bytes);
        write.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(encode.begin(), encode.end());
    std::sort(write.begin(), write.end());
    std::printf("  of which encoding %lld bytes: median %.2f ms; the atomic write: median %.2f ms\n",
                static_cast<long long>(bytes.size()), encode[encode.size() / 2], write[write.size() / 2]);

    // A label typed into, one keystroke after another, in the full library.
    QTemporaryDir onDisk(QCoreApplication::applicationDirPath() + QStringLiteral("/bench-XXXXXX"));
    Library full = bench::labelledHistory();
    for (int p = 0; p < 200; ++p) {
        QList<RGBA> colors;
        for (int k = 0; k < 20; ++k)
            colors.append(RGBA{((p + k) % 256) / 255.0, (k * 12 % 256) / 255.0, 0.5, 1.0});
        full.palettes.append(Palette{QUuid::createUuid(), QStringLiteral("Palette %1").arg(p), colors,
                                     QStringLiteral("Notes %1").arg(p)});
    }
    const QString fullPath = onDisk.filePath(QStringLiteral("library.json"));
    (void)saveLibrary(fullPath, full);
    Store heavy(prefs, clipboard, fullPath);
    const QUuid labelled = heavy.library().history.at(10).id;
    const QString typed = QStringLiteral("A label typed one keystroke after another");
    std::vector<double> keys;
    for (qsizetype i = 1; i <= typed.size(); ++i) {
        timer.start();
        heavy.setLabel(typed.left(i), labelled);
        keys.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(keys.begin(), keys.end());
    std::printf("A label keystroke with %lld records and %lld palettes (%lld bytes) on disk: median %.2f ms, "
                "p90 %.2f ms (goal: under a frame, 16 ms)\n",
                static_cast<long long>(heavy.library().history.size()),
                static_cast<long long>(heavy.library().palettes.size()),
                static_cast<long long>(QFileInfo(fullPath).size()), keys[keys.size() / 2], keys[keys.size() * 9 / 10]);
    return 0;
}
