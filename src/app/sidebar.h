#pragma once

#include "page.h"

#include <QListWidget>

#include <optional>

namespace pigmentry {

// The Studio's page list: "LIBRARY" with the four collection pages, "DESIGN
// TOOLS" with the four tools, and Settings on its own. The selected row is an
// accent-filled rounded row with white icon and title; the keyboard's place
// is a ring. The selection can be cleared, which means no page.
class Sidebar : public QListWidget {
    Q_OBJECT

public:
    explicit Sidebar(QWidget *parent = nullptr);

    std::optional<Page> page() const;
    void setPage(std::optional<Page> page);

    QSize sizeHint() const override { return {210, 400}; }

Q_SIGNALS:
    void pageChanged(std::optional<Page> page);
};

} // namespace pigmentry
