#include "inline_text_delegate.h"

#include <QLineEdit>

namespace pigmentry {

QWidget *InlineTextDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *field = new QLineEdit(parent);
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
    const QString text = index.data(editor.role).toString();
    // Setting the same text again would move the cursor to the end.
    if (field->text() != text)
        field->setText(text);
}

void InlineTextDelegate::setModelData(QWidget *widget, QAbstractItemModel *model, const QModelIndex &index) const
{
    const QString text = static_cast<QLineEdit *>(widget)->text();
    if (text != index.data(editor.role).toString())
        model->setData(index, text, editor.role);
}

} // namespace pigmentry
