// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSlider;

namespace pigmentry {

class ColorPatch;
class ColorWell;
class Label;
struct PageContext;

// The inspector column: the selected colour in detail with every edit of it
// (hex entry, colour editor, opacity), copy in any format, Save and the
// Palette menu. Its field contents live as long as the Studio window.
class Inspector : public QWidget {
    Q_OBJECT

public:
    explicit Inspector(PageContext &context, QWidget *parent = nullptr);

    // Sets the hex field from the selected colour, as each showing of the
    // Studio does.
    void syncHex();

private:
    QLayout *titleBlock();
    QLayout *hexEntry();
    QLayout *codeTable();
    QLayout *opacityBlock();
    QLayout *exportBlock();
    QLayout *saveRow();
    void submitHex();
    void updateSelected();
    void rebuildPaletteMenu();

    PageContext &context_;
    ColorPatch *swatch_;
    Label *hexTitle_;
    Label *colorName_;
    ColorWell *well_;
    QLineEdit *hex_;
    Label *error_;
    QList<Label *> codes_;
    Label *opacity_;
    QSlider *slider_;
    QComboBox *format_;
    QPushButton *palette_;
};

} // namespace pigmentry
