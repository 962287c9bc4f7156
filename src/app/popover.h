#pragma once

#include <QRect>
#include <QWidget>

namespace pigmentry {

class MenuContent;

// The transient panel of the tray icon: a frameless popup that a click
// outside closes, placed against the icon (below it in a top panel, above it
// in a bottom one) or near the pointer when the tray reports no geometry.
class Popover : public QWidget {
public:
    explicit Popover(QWidget *parent = nullptr);

    void setContent(MenuContent *content);
    MenuContent *content() const { return content_; }
    // Shows the popover for an icon at anchor (global logical coordinates);
    // an empty anchor means: at the pointer.
    void showAt(const QRect &anchor);

    // Where the popover goes for an anchor on a screen's available area.
    static QPoint placement(const QRect &anchor, const QPoint &pointer, const QRect &available, const QSize &size);

private:
    MenuContent *content_ = nullptr;
};

} // namespace pigmentry
