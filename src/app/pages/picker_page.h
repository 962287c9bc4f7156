#pragma once

#include "app/page.h"

#include <QWidget>

#include <functional>

class QGridLayout;
class QLabel;

namespace pigmentry {

class ColorPatch;
class Preferences;
class ShortcutSettings;
class StudioCard;
class Store;
class SwatchTile;

// The Color Inspector page: the selected colour large with the pick button,
// the six most recent picks, and the picker's keys.
class PickerPage : public QWidget {
    Q_OBJECT

public:
    PickerPage(Store &store, ShortcutSettings &shortcuts, Preferences &prefs, std::function<void()> pick,
               std::function<void(Page)> showPage, QWidget *parent = nullptr);

    ColorPatch *largeSwatch() const { return swatch; }
    StudioCard *recentCard() const { return recent; }
    QList<SwatchTile *> recentTiles() const;
    QLabel *keysNote() const { return note; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateSelected();
    void updateRecent();
    void updateNote();
    void layoutTiles();

    Store &store;
    ShortcutSettings &shortcuts;
    Preferences &prefs;
    ColorPatch *swatch;
    QLabel *shortcut;
    StudioCard *recent;
    QWidget *grid;
    QGridLayout *gridLayout;
    QLabel *note;
};

} // namespace pigmentry
