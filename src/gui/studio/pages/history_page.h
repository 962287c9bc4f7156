// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLineEdit;

namespace pigmentry {

class EmptyState;
class HistoryFilter;
class HistoryGrid;
class HistoryModel;
struct PageContext;

// Recent Colors, or Favorites: a search bar and the history export over the
// grid of history cells, or over an empty state when no record is shown. The
// search text is the Studio's, shared by both pages.
class HistoryPage : public QWidget {
    Q_OBJECT

public:
    HistoryPage(PageContext &context, bool favoritesOnly, QWidget *parent = nullptr);

private:
    void updateEmptyState();

    PageContext &context_;
    bool favoritesOnly_;
    HistoryModel *model_ = nullptr;
    HistoryFilter *filter_ = nullptr;
    QLineEdit *search_ = nullptr;
    HistoryGrid *grid_ = nullptr;
    EmptyState *empty_ = nullptr;
};

} // namespace pigmentry
