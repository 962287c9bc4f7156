#include "page.h"

namespace pigmentry {

namespace {

struct PageText {
    const char16_t *title;
    const char *symbol;
    const char16_t *subtitle;
};

const PageText &text(Page page)
{
    static const PageText texts[] = {
        {u"Color Inspector", "eyedropper", u"Capture, refine, and make it yours."},
        {u"Recent Colors", "clock", u"Every color, right where you left it."},
        {u"Favorites", "star", u"A collection worth coming back to."},
        {u"My Palettes", "square.stack.3d.up", u"A home for your next great color story."},
        {u"Color Harmony", "circle.hexagongrid", u"Explore the relationships between colors."},
        {u"Gradient Studio", "rectangle.fill.on.rectangle.fill", u"Find the perfect transition."},
        {u"Contrast Checker", "circle.lefthalf.filled", u"Design with clarity and confidence."},
        {u"Image Extraction", "photo", u"Discover the palette inside an image."},
        {u"Settings", "slider.horizontal.3", u"Make Pigmentry work your way."},
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
    return QString::fromUtf16(text(page).title);
}

QString symbol(Page page)
{
    return QString::fromLatin1(text(page).symbol);
}

QString subtitle(Page page)
{
    return QString::fromUtf16(text(page).subtitle);
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
