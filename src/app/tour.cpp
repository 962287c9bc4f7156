// SPDX-License-Identifier: GPL-3.0-or-later
// The screenshot tour: the popover and every Studio page saved as PNG files,
// for the README's pictures and for looking at what the program shows.
#include "tour.h"

#include "app/app_delegate.h"

#include "gui/popover/popover.h"
#include "gui/studio/pages/contrast_page.h"
#include "gui/studio/pages/extraction_page.h"
#include "gui/studio/studio_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

namespace pigmentry {

QStringList saveTour(AppDelegate &app, const QString &folder, const QString &image)
{
    QDir().mkpath(folder);
    QStringList saved;
    auto save = [&](QWidget *widget, const QString &name) {
        const QString path = QDir(folder).filePath(name + QLatin1String(".png"));
        if (widget->grab().save(path))
            saved << path;
    };
    if (!app.popover().isVisible())
        app.toggle();
    QCoreApplication::processEvents();
    save(&app.popover(), QStringLiteral("popover"));
    app.popover().hide();

    const bool wasShown = app.window() && app.window()->isVisible();
    app.openStudio();
    StudioWindow *window = app.window();
    const std::optional<Page> before = window->page();
    if (!image.isEmpty()) {
        window->setPage(Page::extraction);
        if (auto *extraction = window->builtPage<ExtractionPage>(Page::extraction)) {
            extraction->extractFile(image);
            QElapsedTimer waited;
            waited.start();
            while (extraction->busy() && waited.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
    }
    auto savePages = [&](const QString &prefix) {
        for (const Page page : allPages()) {
            window->setPage(page);
            // Layout requests travel one level per pass of the event loop.
            for (int pass = 0; pass < 5; ++pass)
                QCoreApplication::processEvents();
            // Named in English whatever the language shown, so that the files
            // of two tours can be compared.
            QString name = QString::fromLatin1(pageInfo(page).title).toLower();
            name.replace(u' ', u'-');
            const QString file =
                prefix + QStringLiteral("studio-%1-%2").arg(int(allPages().indexOf(page)) + 1).arg(name);
            save(window, file);
            // A page taller than the window is also kept whole.
            if (QWidget *whole = window->scrolledContent())
                save(whole, file + QLatin1String("-whole"));
        }
    };
    savePages(QString());
    // Every page again at the smallest size the window takes.
    const QSize size = window->size();
    QDir(folder).mkpath(QStringLiteral("smallest"));
    window->resize(window->minimumSize());
    savePages(QStringLiteral("smallest/"));
    window->resize(size);
    // The contrast sample as a colour-blind reader sees it.
    window->setPage(Page::contrast);
    if (auto *contrast = window->builtPage<ContrastPage>(Page::contrast)) {
        const ColorVision chosen = contrast->colorVision();
        contrast->setColorVision(ColorVision::Deuteranopia);
        QCoreApplication::processEvents();
        save(
            window,
            QStringLiteral("studio-%1-contrast-checker-deuteranopia").arg(int(allPages().indexOf(Page::contrast)) + 1));
        contrast->setColorVision(chosen);
    }
    window->setPage(before);
    if (!wasShown)
        window->hide();
    return saved;
}

} // namespace pigmentry
