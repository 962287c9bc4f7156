#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace pigmentry {

// The Studio's pages in sidebar order.
enum class Page { picker, history, favorites, palettes, harmony, gradient, contrast, extraction, settings };

const QList<Page> &allPages();
// The page's title, which is also its name.
QString title(Page page);
QString symbol(Page page);
QString subtitle(Page page);
// The page's case name ("picker", "history", ...): the object name of its
// widget in the Studio.
QString key(Page page);
// Exactly the nine titles, case-sensitive.
std::optional<Page> pageNamed(const QString &title);

} // namespace pigmentry
