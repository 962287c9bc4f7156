// SPDX-License-Identifier: GPL-3.0-or-later
#include "page.h"

#include <QCoreApplication>

namespace pigmentry {

const PageInfo &pageInfo(Page page)
{
    return pageTable().at(qsizetype(page));
}

const QList<Page> &allPages()
{
    static const QList<Page> pages = [] {
        QList<Page> list;
        for (const PageInfo &info : pageTable())
            list.append(info.page);
        return list;
    }();
    return pages;
}

QString title(Page page)
{
    return QCoreApplication::translate("Page", pageInfo(page).title);
}

QString symbol(Page page)
{
    return QString::fromLatin1(pageInfo(page).symbol);
}

QString subtitle(Page page)
{
    return QCoreApplication::translate("Page", pageInfo(page).subtitle);
}

QString key(Page page)
{
    return QString::fromLatin1(pageInfo(page).key);
}

} // namespace pigmentry
