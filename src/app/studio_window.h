#pragma once

#include "page.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QListWidget;
class QScrollArea;
class QStackedWidget;

namespace pigmentry {

class Inspector;
class PickerPage;
class Preferences;
class ShortcutSettings;
class Store;

// The Studio: a sidebar of the nine pages, a toolbar, the page with its
// header, the inspector column on every page but Settings, and a status bar.
// Closing only hides it, so its view state lives until the process ends.
class StudioWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize defaultSize{1180, 780};
    static constexpr QSize smallestSize{1000, 680};

    StudioWindow(Store &store, ShortcutSettings &shortcuts, Preferences &prefs, std::function<void()> pick,
                 QWidget *parent = nullptr);

    // The selected page; none when the sidebar selection was cleared.
    std::optional<Page> page() const { return page_; }
    // The page shown: the Color Inspector when nothing is selected.
    Page shownPage() const { return page_.value_or(Page::picker); }
    void setPage(std::optional<Page> page);

    // For tests and the tour.
    QListWidget *sidebar() const { return sidebar_; }
    Inspector *inspector() const { return inspector_; }
    QWidget *inspectorColumn() const;
    PickerPage *pickerPage() const { return pickerPage_; }
    QLabel *statusText() const { return statusText_; }
    QLabel *pageTitle() const { return title_; }
    QLabel *pageSubtitle() const { return subtitle_; }
    int pageMaximumWidth() const;

private:
    QWidget *makeSidebar();
    QWidget *makeToolbar(const std::function<void()> &pick);
    QWidget *makeStatusBar();
    void showPageContent();
    void updateStatus();

    Store &store;
    ShortcutSettings &shortcuts;
    std::optional<Page> page_ = Page::picker;

    QListWidget *sidebar_ = nullptr;
    QLabel *toolbarIcon_ = nullptr;
    QLabel *toolbarTitle_ = nullptr;
    QLabel *title_ = nullptr;
    QLabel *subtitle_ = nullptr;
    QWidget *pageBlock_ = nullptr;
    QStackedWidget *pages_ = nullptr;
    PickerPage *pickerPage_ = nullptr;
    QWidget *inspectorDivider_ = nullptr;
    QScrollArea *inspectorScroll_ = nullptr;
    Inspector *inspector_ = nullptr;
    QLabel *statusIcon_ = nullptr;
    QLabel *statusText_ = nullptr;
    QLabel *statusShortcut_ = nullptr;
};

} // namespace pigmentry
