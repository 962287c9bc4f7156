// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace pigmentry {

class EmptyState;
class PaletteList;
class PaletteModel;
struct PageContext;

// My Palettes: the empty state while there are none, the row that creates
// and imports palettes, and one card per palette.
class PalettesPage : public QWidget {
    Q_OBJECT

public:
    explicit PalettesPage(PageContext &context, QWidget *parent = nullptr);

private:
    void updateEmptyState();

    PaletteModel *model_ = nullptr;
    PaletteList *list_ = nullptr;
    EmptyState *empty_ = nullptr;
};

} // namespace pigmentry
