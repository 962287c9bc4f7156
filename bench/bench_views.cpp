// SPDX-License-Identifier: GPL-3.0-or-later
// The views over a library of 5,000 records, the most the history keeps:
// - a selection change with all 5,000 shown in a scrolling swatch grid (the
//   store's select, then the repaint of what is on screen);
// - a capture with the popover and the Studio's picker page on screen: its
//   time, and how many objects the views created or destroyed (goal: none).
#include "bench_library.h"
#include "gui/kit/style.h"
#include "gui/popover/menu_content.h"
#include "gui/studio/studio_window.h"
#include "gui/views/swatch_delegate.h"
#include "gui/views/swatch_grid.h"
#include "model/items/history_model.h"
#include "model/library/library_file.h"
#include "model/library/store.h"
#include "platform/desktop_factory.h"
#include "shortcut/shortcut_settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pigmentry;

int main(int argc, char *argv[])
{
    bench::offscreenWithoutDisplay();
    QApplication app(argc, argv);
    installStyle();
    bench::Scratch scratch;
    QTemporaryDir &dir = scratch.dir;
    Preferences &prefs = scratch.prefs;

    const QString path = dir.filePath(QStringLiteral("library.json"));
    (void)saveLibrary(path, bench::labelledHistory());
    bench::NoClipboard clipboard;
    Store store(prefs, clipboard, path);

    // Selection changes over the whole history in a grid.
    HistoryModel model(store);
    SwatchGrid grid;
    grid.setCellSize(135, SwatchDelegate::tileHeight, true);
    grid.setSpacing(16);
    grid.setItemDelegate(new SwatchDelegate(
        SwatchDelegate::Look::Tile, [&store] { return store.selected(); }, &grid));
    grid.setModel(&model);
    grid.followSelection(store);
    grid.resize(900, 700);
    grid.show();
    QCoreApplication::processEvents();
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < 300; ++i) {
        timer.start();
        // Among the tiles on screen, as a click on one does.
        store.select(store.library().history.at((i * 7) % 30).color);
        QCoreApplication::processEvents();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    bench::report("Selection change with 5,000 records in a grid", times, "median <= 2 ms");

    // Captures with the popover and the picker page on screen.
    auto desktop = createDesktopServices();
    ShortcutSettings shortcuts(prefs, *desktop->hotKeys);
    MenuContent menu(store, shortcuts, {[] {}, [] {}, [] {}, [] {}});
    menu.show();
    StudioWindow studio(store, shortcuts, prefs, *desktop, [] {});
    studio.show();
    QCoreApplication::processEvents();
    const qsizetype objects = menu.findChildren<QObject *>().size() + studio.findChildren<QObject *>().size();
    times.clear();
    for (int i = 0; i < 200; ++i) {
        timer.start();
        store.capture(RGBA{0.1, 0.2, (i % 100) / 100.0, 1.0});
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        QCoreApplication::processEvents();
    }
    bench::report("Capture with 5,000 records, save included, popover and picker page following", times,
                  "median <= 5 ms");
    const qsizetype after = menu.findChildren<QObject *>().size() + studio.findChildren<QObject *>().size();
    std::printf("Objects in the popover and the Studio: %lld before, %lld after 200 captures (goal: equal)\n",
                static_cast<long long>(objects), static_cast<long long>(after));
    return 0;
}
