// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/studio/page.h"
#include "gui/studio/page_context.h"
#include "gui/studio/studio_state.h"

#include <QUndoStack>
#include <QWidget>

#include <functional>
#include <map>
#include <optional>

class QScrollArea;
class QStackedWidget;

namespace pigmentry {

class Inspector;
class Label;
class NoticeLabel;
class Sidebar;
class SymbolLabel;

// The Studio: a sidebar of the nine pages, a toolbar, the page, the
// inspector column on every page but Settings, and a status bar. Each page is
// built the first time it is shown, from the page table, with the window's
// page context; the window knows nothing of a page's inside. Closing only
// hides the window, so its view state lives until the process ends.
class StudioWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize defaultSize{1180, 780};
    static constexpr QSize smallestSize{1000, 680};

    // undo: the program's undo stack, which picks into a palette share;
    // the window's own when none is given.
    StudioWindow(Store &store, ShortcutSettings &shortcuts, Preferences &prefs, DesktopServices &desktop,
                 std::function<void()> pick, QUndoStack *undo = nullptr, QWidget *parent = nullptr);
    // What "Pick Colors into This Palette" starts.
    void setPickIntoPalette(std::function<void(const QUuid &)> pick) { context_.pickIntoPalette = std::move(pick); }

    // The selected page; none when the sidebar selection was cleared.
    std::optional<Page> page() const { return page_; }
    // The page shown: the Color Inspector when nothing is selected.
    Page shownPage() const { return page_.value_or(Page::picker); }
    void setPage(std::optional<Page> page);
    // A page as it was built (inside its frame), once it has been shown;
    // none before.
    template <typename P>
    P *builtPage(Page page) const
    {
        const auto built = pages_.find(page);
        if (built == pages_.end() || !built->second)
            return nullptr;
        if (auto *bare = qobject_cast<P *>(built->second))
            return bare;
        return built->second->template findChild<P *>();
    }
    // What the shown page scrolls, when it is taller than its room; none
    // when it fits.
    QWidget *scrolledContent() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *makeSidebar();
    QWidget *makeToolbar();
    QWidget *makeStatusBar();
    void showPageContent();
    void updateStatus();

    QUndoStack ownUndo_;
    StudioState state_;
    PageContext context_;
    std::optional<Page> page_ = Page::picker;
    std::map<Page, QWidget *> pages_; // made when first shown

    Sidebar *sidebar_ = nullptr;
    void placeInTabChain(QWidget *page);

    QWidget *lastToolbarControl_ = nullptr;
    SymbolLabel *toolbarIcon_ = nullptr;
    Label *toolbarTitle_ = nullptr;
    QStackedWidget *stack_ = nullptr;
    QWidget *inspectorDivider_ = nullptr;
    QScrollArea *inspectorColumn_ = nullptr;
    Inspector *inspector_ = nullptr;
    SymbolLabel *statusIcon_ = nullptr;
    NoticeLabel *statusText_ = nullptr;
    Label *statusShortcut_ = nullptr;
};

} // namespace pigmentry
