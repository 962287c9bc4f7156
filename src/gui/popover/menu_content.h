// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

class QPushButton;

namespace pigmentry {

class ColorPatch;
class HistoryModel;
class Label;
class NoticeLabel;
class SymbolLabel;
class ShortcutSettings;
class Store;

// The popover's content, 310 x 340: the selected colour, the pick button
// with the shortcut, the eight most recent colours, copy, Studio and Quit.
// It follows every change of the store and the shortcut at once; the recent
// colours are a view of the history, so a pick creates no widget.
class MenuContent : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize panelSize{310, 340};
    // The copy button's widest, beside the Studio button.
    static constexpr int copyButtonWidth = 180;
    static constexpr int panelMargin = 18;

    // What the panel's buttons do.
    struct Actions {
        std::function<void()> pick;
        std::function<void()> pickNewPalette;
        std::function<void()> open;
        std::function<void()> quit;
    };
    MenuContent(Store &store, ShortcutSettings &shortcuts, const Actions &actions, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QLayout *headerRow(const std::function<void()> &open);
    QLayout *pickRow(const Actions &actions);
    QWidget *recentRow();
    QLayout *actionRow(const std::function<void()> &open);
    QLayout *footerRow(const std::function<void()> &quit);
    void updateSelected();
    void updateNotice();
    void updateShortcut();

    Store &store_;
    ShortcutSettings &shortcuts_;
    HistoryModel *recentModel_;
    ColorPatch *swatch_;
    Label *shortcutText_;
    QWidget *recent_; // the caption and the row of tiles
    QPushButton *copyButton_;
    NoticeLabel *footer_;
    SymbolLabel *footerMark_;
};

} // namespace pigmentry
