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

#include <QWidget>

#include <array>

namespace pigmentry {

namespace {

using PageFactory = QWidget *(*)(PageContext &);

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

// One factory per page, in the order of the cases.
constexpr std::array<PageFactory, 9> factories = {
    &pickerPage,
    &historyPage<false>,
    &historyPage<true>,
    &palettesPage,
    &harmonyPage,
    &gradientPage,
    &contrastPage,
    &extractionPage,
    &settingsPage,
};

} // namespace

QWidget *createPage(Page page, PageContext &context)
{
    return factories.at(std::size_t(page))(context);
}

} // namespace pigmentry
