#include "page.h"

#include <QCoreApplication>

namespace pigmentry {

namespace {

struct PageText {
    const char *title;
    const char *symbol;
    const char *subtitle;
};

const PageText &text(Page page)
{
    static const PageText texts[] = {
        {QT_TRANSLATE_NOOP("Pigmentry", "Color Inspector"), "eyedropper", QT_TRANSLATE_NOOP("Pigmentry", "Capture, refine, and make it yours.")},
        {QT_TRANSLATE_NOOP("Pigmentry", "Recent Colors"), "clock", QT_TRANSLATE_NOOP("Pigmentry", "Every color, right where you left it.")},
        {QT_TRANSLATE_NOOP("Pigmentry", "Favorites"), "star", QT_TRANSLATE_NOOP("Pigmentry", "A collection worth coming back to.")},
        {QT_TRANSLATE_NOOP("Pigmentry", "My Palettes"), "square.stack.3d.up", QT_TRANSLATE_NOOP("Pigmentry", "A home for your next great color story.")},
        {QT_TRANSLATE_NOOP("Pigmentry", "Color Harmony"), "circle.hexagongrid", QT_TRANSLATE_NOOP("Pigmentry", "Explore the relationships between colors.")},
        {QT_TRANSLATE_NOOP("Pigmentry", "Gradient Studio"), "rectangle.fill.on.rectangle.fill", QT_TRANSLATE_NOOP("Pigmentry", "Find the perfect transition.")},
        {QT_TRANSLATE_NOOP("Pigmentry", "Contrast Checker"), "circle.lefthalf.filled", QT_TRANSLATE_NOOP("Pigmentry", "Design with clarity and confidence.")},
        {QT_TRANSLATE_NOOP("Pigmentry", "Image Extraction"), "photo", QT_TRANSLATE_NOOP("Pigmentry", "Discover the palette inside an image.")},
        {QT_TRANSLATE_NOOP("Pigmentry", "Settings"), "slider.horizontal.3", QT_TRANSLATE_NOOP("Pigmentry", "Make Pigmentry work your way.")},
    };
    return texts[int(page)];
}

} // namespace

const QList<Page> &allPages()
{
    static const QList<Page> pages = {Page::picker,   Page::history,  Page::favorites,  Page::palettes, Page::harmony,
                                      Page::gradient, Page::contrast, Page::extraction, Page::settings};
    return pages;
}

QString title(Page page)
{
    return QCoreApplication::translate("Pigmentry", text(page).title);
}

QString symbol(Page page)
{
    return QString::fromLatin1(text(page).symbol);
}

QString subtitle(Page page)
{
    return QCoreApplication::translate("Pigmentry", text(page).subtitle);
}

QString key(Page page)
{
    static const char *const keys[] = {"picker",   "history",  "favorites",  "palettes", "harmony",
                                       "gradient", "contrast", "extraction", "settings"};
    return QString::fromLatin1(keys[int(page)]);
}

std::optional<Page> pageNamed(const QString &name)
{
    for (const Page page : allPages())
        if (title(page) == name)
            return page;
    return std::nullopt;
}

} // namespace pigmentry
