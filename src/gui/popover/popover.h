// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QRect>
#include <QWidget>

namespace pigmentry {

class MenuContent;

// The transient panel of the tray icon: a frameless popup that a click
// outside closes, placed against the icon (below it in a top panel, above it
// in a bottom one) or near the pointer when the tray reports no geometry.
// Where windows cannot be placed at all (Wayland), it is a popup attached to
// the active window of Pigmentry if there is one, and otherwise a small
// frameless window that the desktop places and that closes when it loses
// the focus.
class Popover : public QWidget {
public:
    explicit Popover(QWidget *parent = nullptr);

    // Whether the platform lets a window choose its own position.
    static bool placesWindows();

    void setContent(MenuContent *content);
    MenuContent *content() const { return content_; }
    // Shows the popover for an icon at anchor (global logical coordinates);
    // an empty anchor means: at the pointer.
    void showAt(const QRect &anchor);

    // Where the popover goes for an anchor on a screen's available area.
    static QPoint placement(const QRect &anchor, const QPoint &pointer, const QRect &available, const QSize &size);

protected:
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showUnplaced();
    void showFocus();
    // The kind of window for the next show; changing it makes a new one.
    void becomePopup(bool popup);

    MenuContent *content_ = nullptr;
    bool activated_ = false;
};

} // namespace pigmentry
