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
        {Page::picker, "picker", QT_TRANSLATE_NOOP("Pigmentry", "Color Inspector"), "eyedropper",
         QT_TRANSLATE_NOOP("Pigmentry", "Capture, refine, and make it yours."), &pickerPage},
        {Page::history, "history", QT_TRANSLATE_NOOP("Pigmentry", "Recent Colors"), "clock",
         QT_TRANSLATE_NOOP("Pigmentry", "Every color, right where you left it."), &historyPage<false>},
        {Page::favorites, "favorites", QT_TRANSLATE_NOOP("Pigmentry", "Favorites"), "star",
         QT_TRANSLATE_NOOP("Pigmentry", "A collection worth coming back to."), &historyPage<true>},
        {Page::palettes, "palettes", QT_TRANSLATE_NOOP("Pigmentry", "My Palettes"), "square.stack.3d.up",
         QT_TRANSLATE_NOOP("Pigmentry", "A home for your next great color story."), &palettesPage},
        {Page::harmony, "harmony", QT_TRANSLATE_NOOP("Pigmentry", "Color Harmony"), "circle.hexagongrid",
         QT_TRANSLATE_NOOP("Pigmentry", "Explore the relationships between colors."), &harmonyPage},
        {Page::gradient, "gradient", QT_TRANSLATE_NOOP("Pigmentry", "Gradient Studio"),
         "rectangle.fill.on.rectangle.fill", QT_TRANSLATE_NOOP("Pigmentry", "Find the perfect transition."),
         &gradientPage},
        {Page::contrast, "contrast", QT_TRANSLATE_NOOP("Pigmentry", "Contrast Checker"), "circle.lefthalf.filled",
         QT_TRANSLATE_NOOP("Pigmentry", "Design with clarity and confidence."), &contrastPage},
        {Page::extraction, "extraction", QT_TRANSLATE_NOOP("Pigmentry", "Image Extraction"), "photo",
         QT_TRANSLATE_NOOP("Pigmentry", "Discover the palette inside an image."), &extractionPage},
        {Page::settings, "settings", QT_TRANSLATE_NOOP("Pigmentry", "Settings"), "slider.horizontal.3",
         QT_TRANSLATE_NOOP("Pigmentry", "Make Pigmentry work your way."), &settingsPage},
    };
    return table;
}

QWidget *createPage(Page page, PageContext &context)
{
    return pageInfo(page).create(context);
}

} // namespace pigmentry
