// SPDX-License-Identifier: GPL-3.0-or-later
// Importing a palette of 10,000 named colours from an Adobe Swatch Exchange
// file with My Palettes on screen: reading and decoding the file, adding the
// palette (the library save included) and the page's first frame with it.
#include "bench_library.h"
#include "gui/kit/style.h"
#include "gui/studio/studio_window.h"
#include "gui/views/palette/palette_list.h"
#include "model/library/store.h"
#include "platform/desktop_factory.h"
#include "shortcut/shortcut_settings.h"
#include "tools/palette_files.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

using namespace pigmentry;


int main(int argc, char *argv[])
{
    bench::offscreenWithoutDisplay();
    QApplication app(argc, argv);
    installStyle();
    bench::Scratch scratch;

    Palette big{QUuid::createUuid(), QStringLiteral("Ten thousand"), {}, QString(), {}};
    for (int i = 0; i < 10000; ++i)
        big.appendColor(RGBA{(i % 100) / 99.0, (i / 100 % 100) / 99.0, 0.5, 1.0}, QStringLiteral("Colour %1").arg(i));
    const QString file = scratch.dir.filePath(QStringLiteral("big.ase"));
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(encodeAse(big)) < 0)
            return 1;
    }

    bench::NoClipboard clipboard;
    Store store(scratch.prefs, clipboard, scratch.dir.filePath(QStringLiteral("library.json")));
    auto desktop = createDesktopServices();
    ShortcutSettings shortcuts(scratch.prefs, *desktop->hotKeys);
    StudioWindow studio(store, shortcuts, scratch.prefs, *desktop, [] {});
    studio.show();
    studio.setPage(Page::palettes);
    for (int pass = 0; pass < 20; ++pass)
        QCoreApplication::processEvents();
    auto *list = studio.findChild<PaletteList *>(QStringLiteral("paletteList"));
    bench::PaintWatch paints;
    list->viewport()->installEventFilter(&paints);

    std::vector<double> times;
    QElapsedTimer timer;
    for (int run = 0; run < 10; ++run) {
        timer.start();
        QString error;
        std::optional<Palette> palette = readPaletteFile(file, &error);
        if (!palette || palette->colors.size() != 10000) {
            std::fprintf(stderr, "the file was not read: %s\n", qPrintable(error));
            return 1;
        }
        palette->id = QUuid::createUuid();
        const int before = paints.paints;
        store.appendPalette(*palette);
        for (int pass = 0; pass < 50 && paints.paints == before; ++pass)
            QCoreApplication::processEvents();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        store.deletePalette(palette->id);
        QCoreApplication::processEvents();
    }
    bench::report("Import of a 10,000-colour ASE file, to the page showing it", times, "<= 200 ms");
    return 0;
}
