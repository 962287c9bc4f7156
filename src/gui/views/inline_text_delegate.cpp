// SPDX-License-Identifier: GPL-3.0-or-later
#include "inline_text_delegate.h"

#include <QLineEdit>

namespace pigmentry {

namespace {
const char *const roleProperty = "editedRole";
} // namespace

QWidget *InlineTextDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const Editor editor = editorFor(index);
    auto *field = new QLineEdit(parent);
    field->setProperty(roleProperty, editor.role);
    field->setFrame(false);
    field->setFont(editor.font);
    field->setPlaceholderText(editor.placeholder);
    field->setAccessibleName(editor.accessibleName);
    field->setTextMargins(editor.margin, 0, editor.margin, 0);
    connect(field, &QLineEdit::textEdited, this,
            [this, field] { Q_EMIT const_cast<InlineTextDelegate *>(this)->commitData(field); });
    return field;
}

void InlineTextDelegate::setEditorData(QWidget *widget, const QModelIndex &index) const
{
    auto *field = static_cast<QLineEdit *>(widget);
    const QString text = index.data(field->property(roleProperty).toInt()).toString();
    // Setting the same text again would move the cursor to the end.
    if (field->text() != text)
        field->setText(text);
}

void InlineTextDelegate::setModelData(QWidget *widget, QAbstractItemModel *model, const QModelIndex &index) const
{
    const QString text = static_cast<QLineEdit *>(widget)->text();
    const int role = widget->property(roleProperty).toInt();
    if (text != index.data(role).toString())
        model->setData(index, text, role);
}

} // namespace pigmentry
