// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QStyledItemDelegate>

namespace pigmentry {

// A delegate for painted cells with a text edited in place (a label, a
// name): a frameless line editor on one role that commits every keystroke,
// so each one is saved, and keeps its cursor when the store echoes it back.
// A cell with more than one such text says which one an edit is for.
class InlineTextDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    struct Editor {
        int role;
        QFont font;
        QString placeholder;
        QString accessibleName;
        int margin;
    };

    InlineTextDelegate(Editor editor, QObject *parent)
        : QStyledItemDelegate(parent)
        , editor_(std::move(editor))
    { }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

protected:
    // The text the edit that starts now is for.
    virtual Editor editorFor(const QModelIndex &) const { return editor_; }

private:
    Editor editor_;
};

} // namespace pigmentry
