// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace pigmentry {

struct PageContext;

// Settings: the shortcut, picking and clipboard, general, and local storage
// cards over the footer. Every control writes its preference at once.
class SettingsPage : public QWidget {
    Q_OBJECT

public:
    explicit SettingsPage(PageContext &context, QWidget *parent = nullptr);

private:
    QWidget *pickingCard();
    // The averaged square, and what the desktop's picker does instead.
    void addSampleRow(QVBoxLayout *card);
    QWidget *generalCard();
    QWidget *storageCard();
    void updateLoginState();

    PageContext &context_;
    QLabel *loginState_ = nullptr;
};

} // namespace pigmentry
