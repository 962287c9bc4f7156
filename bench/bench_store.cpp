// SPDX-License-Identifier: GPL-3.0-or-later
// Store::capture with 5,000 labelled history records: every capture re-encodes
// the whole library and writes it atomically. Prints the median and the 90th
// percentile over 200 captures.
#include "bench_library.h"
#include "model/library/library_file.h"
#include "model/library/store.h"

#include <QElapsedTimer>
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
    return 0;
}
