// SPDX-License-Identifier: GPL-3.0-or-later
#include "color_well.h"

#include "gui/kit/swatch_painting.h"
#include "gui/kit/theme.h"

#include <QColorDialog>
#include <QPainter>
#include <QPainterPath>
#include <QScopedValueRollback>

namespace pigmentry {

ColorWell::ColorWell(std::function<RGBA()> color, bool withOpacity, const QString &editorTitle, QWidget *parent)
    : QAbstractButton(parent)
    , color_(std::move(color))
    , withOpacity_(withOpacity)
    , editorTitle_(editorTitle)
{
    setFixedSize(44, 28);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, &ColorWell::openEditor);
}

void ColorWell::openEditor()
{
    if (!editor_) {
        editor_ = new QColorDialog(this);
        editor_->setOption(QColorDialog::ShowAlphaChannel, withOpacity_);
        editor_->setOption(QColorDialog::NoButtons);
        editor_->setWindowTitle(editorTitle_);
        connect(editor_, &QColorDialog::currentColorChanged, this, [this](const QColor &chosen) {
            RGBA value = theme::rgba(chosen);
            if (!withOpacity_)
                value.a = 1.0;
            // The edit comes back through sync(); while it does, the dialog is
            // left alone, or the text being typed would be rewritten from
            // its own first digits.
            const QScopedValueRollback<bool> inEdit(editing_, true);
            Q_EMIT edited(value);
            update();
        });
    }
    sync();
    editor_->show();
    editor_->raise();
    editor_->activateWindow();
}

void ColorWell::sync()
{
    update();
    if (editor_ && !editing_) {
        // Showing the current colour is not an edit.
        const QSignalBlocker quiet(editor_);
        editor_->setCurrentColor(theme::color(color_()));
    }
}

void ColorWell::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(3.5, 3.5, -3.5, -3.5), 5, 5);
    paintColor(&painter, shape, color_());
    painter.setPen(QPen(theme::primary(0.2), 1));
    painter.drawPath(shape);
    if (hasFocus()) {
        painter.setPen(QPen(theme::accent(), 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 7, 7);
    }
}

} // namespace pigmentry
