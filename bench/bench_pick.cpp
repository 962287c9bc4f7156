// SPDX-License-Identifier: GPL-3.0-or-later
// A precision pick on X11 while the pointer moves: Pigmentry's own CPU use at
// 30 captures a second, and the time of one capture-and-present (a 15 x 15
// root capture, the pixel read, the magnifier panel repainted). Needs an X
// display; `make bench` gives it a virtual one when there is none.
#include "model/library/preferences.h"
#include "picker/screen_picker.h"
#include "platform/desktop_factory.h"
#include "platform/x11/magnifier_panel.h"
#include "platform/x11/x11_screen_source.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pigmentry;

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

// A window over the whole screen in which every pixel differs.
int showBoard()
{
    QImage noise(QGuiApplication::primaryScreen()->geometry().size(), QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, (x * y) % 256));
    QLabel board;
    board.setWindowFlags(Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    board.setPixmap(QPixmap::fromImage(noise));
    board.setGeometry(QGuiApplication::primaryScreen()->geometry());
    board.show();
    QTimer::singleShot(300, [] { std::puts("shown"), std::fflush(stdout); });
    return QApplication::exec();
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--board") == 0)
        return showBoard();
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "bench_pick needs an X11 display\n");
        return 1;
    }
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("prefs.conf")), QSettings::IniFormat);
    Preferences prefs(&settings);
    const auto services = createDesktopServices();
    auto &source = static_cast<X11ScreenSource &>(*services->screens);

    // Another process shows a window in which every pixel differs, so that
    // every capture below is new and repainting what the panel uncovers is
    // not ours.
    QProcess board;
    board.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--board")});
    board.waitForReadyRead(10000);

    // One capture-and-present, synchronously, 2,000 times.
    std::vector<double> times;
    const double presentBefore = cpuSeconds();
    {
        auto *x11 = app.nativeInterface<QNativeInterface::QX11Application>();
        MagnifierPanel panel(x11->connection(), xcb_setup_roots_iterator(xcb_get_setup(x11->connection())).data->root);
        QElapsedTimer timer;
        for (int i = 0; i < 2000; ++i) {
            timer.start();
            const QImage image = source.grab(QRect(100 + i % 200, 100, 15, 15), nullptr);
            const QRgb pixel = image.pixel(7, 7);
            const RGBA color{qRed(pixel) / 255.0, qGreen(pixel) / 255.0, qBlue(pixel) / 255.0, 1.0};
            panel.present(Magnifier{image, color, 10, QPointF(7, 7), 1, {}}, QPoint(300, 300), 1.0, QRectF());
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    } // the panel goes
    const double presentCpu = (cpuSeconds() - presentBefore) * 1000 / double(times.size());
    std::sort(times.begin(), times.end());
    std::printf("capture-and-present: median %.3f ms, p90 %.3f ms (goal: under 1 ms), CPU %.3f ms each\n",
                times[times.size() / 2], times[times.size() * 9 / 10], presentCpu);

    // A real pick for five seconds while another process moves the pointer
    // over the board: one pixel, then the largest averaged square.
    ScreenPicker picker(prefs, services->pickerDesktop());
    QElapsedTimer wall;
    for (const int sample : {1, 11}) {
        picker.start([](const RGBA &) {}, sample);
        // One xdotool moves the pointer 60 times a second.
        QStringList moves;
        for (int i = 0; i < 360; ++i)
            moves << QStringLiteral("mousemove") << QString::number(200 + i) << QString::number(150 + i / 2)
                  << QStringLiteral("sleep") << QStringLiteral("0.016");
        QProcess mover;
        mover.start(QStringLiteral("xdotool"), moves);
        const double cpuBefore = cpuSeconds();
        wall.start();
        QTimer::singleShot(5000, &app, [&] {
            picker.finish(false);
            app.quit();
        });
        app.exec();
        const double cpu = cpuSeconds() - cpuBefore;
        mover.kill();
        mover.waitForFinished();
        std::printf("CPU during a pick (%d x %d) with the pointer moving: %.2f %% of one core over %.1f s "
                    "(goal: at most %s)\n",
                    sample, sample, 100.0 * cpu / (double(wall.elapsed()) / 1000.0), double(wall.elapsed()) / 1000.0,
                    sample == 1 ? "2 %" : "1 %");
    }

    // The same pick with the pointer still over pixels that do not change.
    picker.start([](const RGBA &) {});
    QTimer::singleShot(1000, &app, [&] { app.quit(); }); // past the first frames
    app.exec();
    const double restBefore = cpuSeconds();
    wall.restart();
    QTimer::singleShot(5000, &app, [&] {
        picker.finish(false);
        app.quit();
    });
    app.exec();
    const double rest = cpuSeconds() - restBefore;
    board.kill();
    board.waitForFinished();
    std::printf("CPU during a pick with the pointer still: %.2f %% of one core over %.1f s (goal: 0.0 %%)\n",
                100.0 * rest / (double(wall.elapsed()) / 1000.0), double(wall.elapsed()) / 1000.0);
    return 0;
}
