// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

namespace pigmentry {

class ColorListModel;
struct PageContext;

// Color Harmony: one card per rule with the rule's colours for the selected
// colour and "Save Palette"; the rows follow every change of the selection.
class HarmonyPage : public QWidget {
    Q_OBJECT

public:
    explicit HarmonyPage(PageContext &context, QWidget *parent = nullptr);

private:
    void update();

    PageContext &context_;
    QList<ColorListModel *> rows_;
};

} // namespace pigmentry
