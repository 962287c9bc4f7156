// SPDX-License-Identifier: GPL-3.0-or-later
// The collection pages over the largest library: 5,000 labelled records and
// 50 palettes of 8 colours.
// - switching to Recent Colors the first time (the page is built then) and
//   again, until its first frame is painted;
// - one keystroke in the search field, until the grid has repainted;
// - one keystroke in a label field, the library save included;
// - a capture while Recent Colors is on screen;
// - resident memory with Recent Colors open, against the Color Inspector.
#include "bench_library.h"
#include "gui/kit/style.h"
#include "gui/studio/studio_window.h"
#include "gui/views/history_grid.h"
#include "model/library/library_file.h"
#include "model/library/store.h"
#include "platform/desktop_factory.h"
#include "shortcut/shortcut_settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

using namespace pigmentry;

namespace {

double residentMiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * 4096.0 / (1024.0 * 1024.0);
}

// Runs the event loop until the watched widget has painted once more.
void untilPainted(bench::PaintWatch &watch)
{
    const int before = watch.paints;
    for (int pass = 0; pass < 50 && watch.paints == before; ++pass)
        QCoreApplication::processEvents();
}

void type(QWidget *target, Qt::Key key, const QString &text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

} // namespace

int main(int argc, char *argv[])
{
    bench::offscreenWithoutDisplay();
    QApplication app(argc, argv);
    installStyle();
    bench::Scratch scratch;
    QTemporaryDir &dir = scratch.dir;
    Preferences &prefs = scratch.prefs;

    Library library = bench::labelledHistory();
    for (int p = 0; p < 50; ++p) {
        Palette palette{QUuid::createUuid(), QStringLiteral("Palette %1").arg(p), {}, QString()};
        for (int c = 0; c < 8; ++c)
            palette.colors.append(library.history.at(p * 8 + c).color);
        library.palettes.append(palette);
    }
    const QString path = dir.filePath(QStringLiteral("library.json"));
    (void)saveLibrary(path, library);
    bench::NoClipboard clipboard;
    Store store(prefs, clipboard, path);
    auto desktop = createDesktopServices();
    ShortcutSettings shortcuts(prefs, *desktop->hotKeys);
    StudioWindow studio(store, shortcuts, prefs, *desktop, [] {});
    studio.show();
    for (int pass = 0; pass < 20; ++pass)
        QCoreApplication::processEvents();
    const double inspectorMemory = residentMiB();

    QElapsedTimer timer;
    timer.start();
    studio.setPage(Page::history);
    auto *grid = studio.findChild<HistoryGrid *>(QStringLiteral("historyGrid"));
    bench::PaintWatch gridPaints;
    grid->viewport()->installEventFilter(&gridPaints);
    untilPainted(gridPaints);
    std::printf("First switch to Recent Colors, to its first frame: %.1f ms (goal: <= 100 ms)\n",
                double(timer.nsecsElapsed()) / 1e6);
    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        studio.setPage(Page::picker);
        QCoreApplication::processEvents();
        timer.start();
        studio.setPage(Page::history);
        untilPainted(gridPaints);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    bench::report("Switch back to Recent Colors, to its first frame", times, "<= 100 ms");
    for (int pass = 0; pass < 20; ++pass)
        QCoreApplication::processEvents();
    std::printf("Resident memory: %.1f MiB on the Color Inspector, %.1f MiB with Recent Colors open, +%.1f MiB "
                "(goal: <= +15 MiB)\n",
                inspectorMemory, residentMiB(), residentMiB() - inspectorMemory);

    // Keystrokes in the search: a letter that keeps some records, then its
    // removal, each until the grid has repainted.
    auto *search = studio.findChild<QLineEdit *>(QStringLiteral("searchField"));
    times.clear();
    for (int i = 0; i < 60; ++i) {
        timer.start();
        if (i % 2 == 0)
            type(search, Qt::Key_7, QStringLiteral("7"));
        else
            type(search, Qt::Key_Backspace);
        untilPainted(gridPaints);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    bench::report("Keystroke in the search, to the repainted grid", times, "<= 16 ms");

    // Keystrokes in the first cell's label, each one saved.
    grid->setFocus();
    grid->edit(grid->model()->index(0, 0));
    QCoreApplication::processEvents();
    auto *label = grid->viewport()->findChild<QLineEdit *>();
    times.clear();
    for (int i = 0; i < 60; ++i) {
        timer.start();
        type(label, Qt::Key_A, QStringLiteral("a"));
        QCoreApplication::processEvents();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    bench::report("Keystroke in a label, the save included", times, "median <= 16 ms");
    type(label, Qt::Key_Return);

    times.clear();
    for (int i = 0; i < 60; ++i) {
        timer.start();
        store.capture(RGBA{0.3, (i % 100) / 100.0, 0.7, 1.0});
        untilPainted(gridPaints);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    bench::report("Capture with Recent Colors on screen, to the repainted grid", times, "<= 16 ms");
    return 0;
}
