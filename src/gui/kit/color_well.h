// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/color/rgba.h"

#include <QAbstractButton>
#include <functional>

class QColorDialog;

namespace pigmentry {

// A colour well: a small rounded button showing a colour that opens the
// desktop-independent colour editor (non-modal, with or without opacity);
// every change made there is reported by edited. The colour is read at
// paint time, so the well follows its source.
class ColorWell : public QAbstractButton {
    Q_OBJECT

public:
    ColorWell(std::function<RGBA()> color, bool withOpacity, const QString &editorTitle, QWidget *parent = nullptr);
    void openEditor();
    // Shows the source's colour again, in the editor too when it is open.
    void sync();

Q_SIGNALS:
    void edited(const RGBA &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::function<RGBA()> color_;
    bool withOpacity_;
    QString editorTitle_;
    QColorDialog *editor_ = nullptr;
    bool editing_ = false;
};

} // namespace pigmentry
