// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/studio/page_context.h"
#include "gui/studio/page_frame.h"
#include "gui/studio/pages/contrast_page.h"
#include "gui/studio/pages/extraction_page.h"
#include "gui/studio/pages/gradient_page.h"
#include "gui/studio/pages/harmony_page.h"
#include "gui/studio/pages/history_page.h"
#include "gui/studio/pages/palettes_page.h"
#include "gui/studio/pages/picker_page.h"
#include "gui/studio/pages/settings_page.h"

#include <QCoreApplication>
#include <QWidget>

namespace pigmentry {

namespace {

QWidget *pickerPage(PageContext &context)
{
    return scrollingPage(Page::picker, new PickerPage(context));
}

template <bool favorites>
QWidget *historyPage(PageContext &context)
{
    return viewPage(favorites ? Page::favorites : Page::history, new HistoryPage(context, favorites));
}

QWidget *palettesPage(PageContext &context)
{
    return viewPage(Page::palettes, new PalettesPage(context));
}

QWidget *settingsPage(PageContext &context)
{
    return scrollingPage(Page::settings, new SettingsPage(context));
}

QWidget *harmonyPage(PageContext &context)
{
    return scrollingPage(Page::harmony, new HarmonyPage(context));
}

QWidget *gradientPage(PageContext &context)
{
    return scrollingPage(Page::gradient, new GradientPage(context));
}

QWidget *contrastPage(PageContext &context)
{
    return scrollingPage(Page::contrast, new ContrastPage(context));
}

QWidget *extractionPage(PageContext &context)
{
    return scrollingPage(Page::extraction, new ExtractionPage(context));
}

} // namespace

const QList<PageInfo> &pageTable()
{
    // In the order of the cases; the Studio's sidebar shows them so.
    static const QList<PageInfo> table = {
        {Page::picker, "picker", QT_TRANSLATE_NOOP("Page", "Color Inspector"), "eyedropper",
         QT_TRANSLATE_NOOP("Page", "Capture, refine, and make it yours."), &pickerPage},
        {Page::history, "history", QT_TRANSLATE_NOOP("Page", "Recent Colors"), "clock",
         QT_TRANSLATE_NOOP("Page", "Every color, right where you left it."), &historyPage<false>},
        {Page::favorites, "favorites", QT_TRANSLATE_NOOP("Page", "Favorites"), "star",
         QT_TRANSLATE_NOOP("Page", "A collection worth coming back to."), &historyPage<true>},
        {Page::palettes, "palettes", QT_TRANSLATE_NOOP("Page", "My Palettes"), "square.stack.3d.up",
         QT_TRANSLATE_NOOP("Page", "A home for your next great color story."), &palettesPage},
        {Page::harmony, "harmony", QT_TRANSLATE_NOOP("Page", "Color Harmony"), "circle.hexagongrid",
         QT_TRANSLATE_NOOP("Page", "Explore the relationships between colors."), &harmonyPage},
        {Page::gradient, "gradient", QT_TRANSLATE_NOOP("Page", "Gradient Studio"), "rectangle.fill.on.rectangle.fill",
         QT_TRANSLATE_NOOP("Page", "Find the perfect transition."), &gradientPage},
        {Page::contrast, "contrast", QT_TRANSLATE_NOOP("Page", "Contrast Checker"), "circle.lefthalf.filled",
         QT_TRANSLATE_NOOP("Page", "Design with clarity and confidence."), &contrastPage},
        {Page::extraction, "extraction", QT_TRANSLATE_NOOP("Page", "Image Extraction"), "photo",
         QT_TRANSLATE_NOOP("Page", "Discover the palette inside an image."), &extractionPage},
        {Page::settings, "settings", QT_TRANSLATE_NOOP("Page", "Settings"), "slider.horizontal.3",
         QT_TRANSLATE_NOOP("Page", "Make Pigmentry work your way."), &settingsPage},
    };
    return table;
}

QWidget *createPage(Page page, PageContext &context)
{
    return pageInfo(page).create(context);
}

} // namespace pigmentry
