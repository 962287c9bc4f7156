// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/studio/page.h"

#include <QBasicTimer>
#include <QListWidget>

#include <optional>

namespace pigmentry {

// The Studio's page list: "LIBRARY" with the four collection pages, "DESIGN
// TOOLS" with the four tools, and Settings on its own. The selected row is an
// accent-filled rounded row with white icon and title; the keyboard's place
// is a ring. The selection can be cleared, which means no page. A colour
// dragged over a row opens that page after a moment, so that it can be
// dropped on a palette there.
class Sidebar : public QListWidget {
    Q_OBJECT

public:
    explicit Sidebar(QWidget *parent = nullptr);

    std::optional<Page> page() const;
    void setPage(std::optional<Page> page);

    QSize sizeHint() const override { return {210, 400}; }

Q_SIGNALS:
    void pageChanged(std::optional<Page> page);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;

private:
    QBasicTimer springTimer_;
    QPersistentModelIndex springTarget_;
};

} // namespace pigmentry
