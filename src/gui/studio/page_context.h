// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/studio/page.h"

#include <functional>

class QUndoStack;
class QUuid;
class QWidget;

namespace pigmentry {

struct DesktopServices;
class Preferences;
class ShortcutSettings;
class Store;
class StudioState;

// What every page of the Studio is given: the models, the desktop, the
// window's undo stack and shared view state, and the window's two actions. All of it outlives the
// pages.
struct PageContext {
    Store &store;
    Preferences &prefs;
    ShortcutSettings &shortcuts;
    DesktopServices &desktop;
    QUndoStack &undo;
    StudioState &state;
    // Starts a pick, as the toolbar's button does.
    std::function<void()> pick;
    // Switches the Studio to another page.
    std::function<void(Page)> showPage;
    // Starts a pick whose every colour also goes into the palette; none
    // where the Studio was made without one.
    std::function<void(const QUuid &palette)> pickIntoPalette = {};
};

// Builds the whole page for a case, header included; the Studio calls it the
// first time the page is shown. Each page chooses its own scrolling.
QWidget *createPage(Page page, PageContext &context);

} // namespace pigmentry
