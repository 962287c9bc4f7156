#pragma once

#include <QWidget>

#include <functional>

class QAbstractButton;
class QLabel;
class QPushButton;
class QHBoxLayout;
class QToolButton;

namespace pigmentry {

class ColorPatch;
class ShortcutSettings;
class Store;

// The popover's content, 310 x 340: the selected colour, the pick button
// with the shortcut, the eight most recent colours, copy, Studio and Quit.
// It follows every change of the store and the shortcut at once.
class MenuContent : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize panelSize{310, 340};

    MenuContent(Store &store, ShortcutSettings &shortcuts, std::function<void()> pick, std::function<void()> open,
                QWidget *parent = nullptr);

    // For tests and the tour.
    ColorPatch *swatch() const { return swatch_; }
    QPushButton *pickButton() const { return pickButton_; }
    QPushButton *copyButton() const { return copyButton_; }
    QLabel *footer() const { return footer_; }
    QList<QAbstractButton *> recentTiles() const;
    QString shortcutText() const;

private:
    void updateSelected();
    void updateRecent();
    void updateNotice();
    void updateShortcut();

    Store &store;
    ShortcutSettings &shortcuts;
    ColorPatch *swatch_;
    QPushButton *pickButton_;
    QLabel *shortcutLabel_;
    QWidget *recent_; // the caption and the row of tiles
    QWidget *recentRow_;
    QHBoxLayout *recentLayout_;
    QPushButton *copyButton_;
    QLabel *footer_;
};

} // namespace pigmentry
