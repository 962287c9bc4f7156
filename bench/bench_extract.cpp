// SPDX-License-Identifier: GPL-3.0-or-later
// Image extraction on camera-size files, run as `pigmentry extract` the way
// a script runs it:
// - a 24-megapixel JPEG against `djpeg -scale 1/8` on the same file (the
//   floor for decoding at that scale), side by side, and the command's peak
//   memory;
// - a 24-megapixel PNG against decoding it whole with QImageReader;
// - the Studio's page extracting the JPEG: the longest gap between two
//   turns of its event loop (a frame that would be late).
#include "bench_library.h"
#include "gui/kit/style.h"
#include "gui/studio/page_context.h"
#include "gui/studio/pages/extraction_page.h"
#include "gui/studio/studio_state.h"
#include "model/library/store.h"
#include "platform/desktop_factory.h"
#include "shortcut/shortcut_settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QImageWriter>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <vector>

using namespace pigmentry;

namespace {

// A photo-like 6000 x 4000 picture: smooth gradients with fine texture, so
// that it compresses about as a camera's does.
QImage cameraSizePicture()
{
    QImage image(6000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int noise = int((x * 7919u + y * 104729u) % 23);
            line[x] = qRgb((x / 24 + noise) % 256, (y / 16 + noise * 2) % 256, ((x + y) / 40 + noise) % 256);
        }
    }
    return image;
}

struct Run {
    double milliseconds = 0;
    double peakMiB = 0;
    int status = -1;
};

// Runs a program with its output thrown away; its time and peak memory.
Run measure(const QByteArray &program, const QList<QByteArray> &arguments)
{
    std::fflush(stdout);
    QElapsedTimer timer;
    timer.start();
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char *> argv{const_cast<char *>(program.constData())};
        for (const QByteArray &argument : arguments)
            argv.push_back(const_cast<char *>(argument.constData()));
        argv.push_back(nullptr);
        if (!freopen("/dev/null", "w", stdout))
            _exit(127);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return {double(timer.nsecsElapsed()) / 1e6, usage.ru_maxrss / 1024.0, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    bench::offscreenWithoutDisplay();
    QApplication app(argc, argv);
    installStyle();
    bench::Scratch scratch;
    QTemporaryDir &dir = scratch.dir;
    const QByteArray pigmentry =
        QFile::encodeName(QCoreApplication::applicationDirPath() + QLatin1String("/../pigmentry"));
    const QString jpeg = dir.filePath(QStringLiteral("camera.jpg"));
    const QString png = dir.filePath(QStringLiteral("camera.png"));
    {
        const QImage picture = cameraSizePicture();
        QImageWriter jpegWriter(jpeg, "jpeg");
        jpegWriter.setQuality(90);
        jpegWriter.write(picture);
        QImageWriter pngWriter(png, "png");
        pngWriter.setCompression(1);
        pngWriter.write(picture);
    }
    std::printf("Test files: JPEG %.1f MB, PNG %.1f MB, 6000 x 4000\n", QFileInfo(jpeg).size() / 1e6,
                QFileInfo(png).size() / 1e6);

    const QByteArray djpeg = QFile::encodeName(QStandardPaths::findExecutable(QStringLiteral("djpeg")));
    std::vector<double> ours, floor;
    double peak = 0;
    for (int i = 0; i < 7; ++i) {
        const Run run = measure(pigmentry, {"extract", QFile::encodeName(jpeg)});
        if (run.status != 0)
            qFatal("pigmentry extract failed on the JPEG");
        ours.push_back(run.milliseconds);
        peak = std::max(peak, run.peakMiB);
        if (!djpeg.isEmpty())
            floor.push_back(measure(djpeg, {"-scale", "1/8", QFile::encodeName(jpeg)}).milliseconds);
    }
    if (djpeg.isEmpty())
        std::printf("24 MP JPEG: pigmentry extract median %.1f ms (djpeg is not installed: libjpeg-turbo-progs)\n",
                    median(ours));
    else
        std::printf("24 MP JPEG: pigmentry extract median %.1f ms, djpeg -scale 1/8 median %.1f ms, ratio %.2f "
                    "(goal: <= 1.5)\n",
                    median(ours), median(floor), median(ours) / median(floor));
    std::printf("24 MP JPEG: peak memory of pigmentry extract %.1f MiB (goal: <= 40 MiB)\n", peak);

    ours.clear();
    std::vector<double> decode;
    peak = 0;
    for (int i = 0; i < 3; ++i) {
        const Run run = measure(pigmentry, {"extract", QFile::encodeName(png)});
        if (run.status != 0)
            qFatal("pigmentry extract failed on the PNG");
        ours.push_back(run.milliseconds);
        peak = std::max(peak, run.peakMiB);
        QElapsedTimer timer;
        timer.start();
        QImageReader reader(png);
        reader.setAllocationLimit(256);
        const QImage whole = reader.read();
        decode.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("24 MP PNG: pigmentry extract median %.1f ms, QImageReader full decode median %.1f ms, ratio %.2f "
                "(goal: <= 2)\n",
                median(ours), median(decode), median(ours) / median(decode));
    std::printf("24 MP PNG: peak memory of pigmentry extract %.1f MiB (goal: <= 150 MiB)\n", peak);

    // The page at work: the event loop must keep turning.
    Preferences &prefs = scratch.prefs;
    bench::NoClipboard clipboard;
    Store store(prefs, clipboard, dir.filePath(QStringLiteral("library.json")));
    auto desktop = createDesktopServices();
    ShortcutSettings shortcuts(prefs, *desktop->hotKeys);
    QUndoStack undo;
    StudioState state;
    PageContext context{store, prefs, shortcuts, *desktop, undo, state, [] {}, [](Page) {}};
    ExtractionPage page(context);
    page.resize(900, 900);
    page.show();
    QCoreApplication::processEvents();
    double longest = 0;
    QElapsedTimer sinceLast;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, double(sinceLast.nsecsElapsed()) / 1e6);
        sinceLast.restart();
    });
    sinceLast.start();
    ticker.start();
    page.extractFile(jpeg);
    QElapsedTimer total;
    total.start();
    while ((page.busy() || page.extracted().isEmpty()) && total.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    std::printf(
        "Studio page extracting the 24 MP JPEG: %.0f ms in all, longest event-loop gap %.1f ms (goal: <= 16 ms)\n",
        double(total.nsecsElapsed()) / 1e6, longest);
    return 0;
}
