#pragma once

#include "app/page.h"

#include <QWidget>

#include <functional>

class QColorDialog;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QToolButton;

namespace pigmentry {

class ColorPatch;
class Store;

// The inspector column: the selected colour in detail with every edit of it
// (hex entry, colour editor, opacity), copy in any format, Save and the
// Palette menu. Its field contents live as long as the Studio window.
class Inspector : public QWidget {
    Q_OBJECT

public:
    Inspector(Store &store, std::function<void(Page)> showPage, QWidget *parent = nullptr);

    // Submits the hex field, as Return does.
    void submitHex();

    QLineEdit *hexField() const { return hex; }
    QLabel *errorLabel() const { return error; }
    QLabel *opacityLabel() const { return opacity; }
    QComboBox *formatPicker() const { return format; }
    QPushButton *copyButton() const { return copy; }
    QToolButton *paletteButton() const { return palette; }
    QSlider *opacitySlider() const { return slider; }

private:
    void updateSelected();
    void rebuildPaletteMenu();
    void openColorEditor();

    Store &store;
    std::function<void(Page)> showPage;
    ColorPatch *swatch;
    QLabel *hexTitle;
    QPushButton *well;
    QLineEdit *hex;
    QLabel *error;
    QList<QLabel *> codes;
    QLabel *opacity;
    QSlider *slider;
    QComboBox *format;
    QPushButton *copy;
    QToolButton *palette;
    QColorDialog *editor = nullptr;
};

} // namespace pigmentry
