// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace pigmentry {

// The container of a Studio page's blocks: a vertical stack (spacing 16,
// margins 20) on the control background, rounded by 14, with a faint border.
class StudioCard : public QFrame {
public:
    explicit StudioCard(QWidget *parent = nullptr);
    QVBoxLayout *content() const { return layout_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVBoxLayout *layout_;
};

// A collection's empty state in a card: the symbol (32, light, secondary),
// the title (16, semibold) and the detail (12, secondary, centred, wrapped),
// spaced by 12 and padded by 30 above and below.
class EmptyState : public StudioCard {
public:
    EmptyState(const QString &symbol, const QString &title, const QString &detail, QWidget *parent = nullptr);
    void setDetail(const QString &detail);
    QString detail() const;

private:
    QLabel *detail_;
};

} // namespace pigmentry
