// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace pigmentry {

struct PageContext;

// The Studio's pages in sidebar order.
enum class Page { picker, history, favorites, palettes, harmony, gradient, contrast, extraction, settings };

// Everything the Studio knows of a page, one row per page in the order of
// the cases (pages/page_table.cpp).
struct PageInfo {
    Page page;
    const char *key; // the case name: the object name of its widget
    const char *title; // its title, also its name (translated when shown)
    const char *symbol; // the symbol of the sidebar row and the toolbar
    const char *subtitle; // the line under the title (translated when shown)
    QWidget *(*create)(PageContext &context);
};

const QList<PageInfo> &pageTable();
const PageInfo &pageInfo(Page page);

const QList<Page> &allPages();
QString title(Page page);
QString symbol(Page page);
QString subtitle(Page page);
QString key(Page page);

} // namespace pigmentry
