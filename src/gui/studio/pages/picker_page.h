// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QAbstractListModel;

namespace pigmentry {

class StudioCard;

class ColorPatch;
class Label;
struct PageContext;

// The Color Inspector page: the selected colour large with the pick button,
// the six most recent picks, and the picker's keys.
class PickerPage : public QWidget {
    Q_OBJECT

public:
    explicit PickerPage(PageContext &context, QWidget *parent = nullptr);

private:
    StudioCard *currentCard();
    StudioCard *scaleCard();
    StudioCard *recentCard();
    StudioCard *keysCard();
    void updateSelected();
    void updateNote();

    PageContext &context_;
    ColorPatch *swatch_;
    QAbstractListModel *scale_;
    Label *note_;
};

} // namespace pigmentry
