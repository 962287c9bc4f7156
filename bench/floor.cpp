// SPDX-License-Identifier: GPL-3.0-or-later
// The floor the start-up measurement compares Pigmentry with: the least a Qt
// program does to show a tray icon ("floor tray") or a window with a label
// and a button ("floor window").
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool tray = argc > 1 && qstrcmp(argv[1], "tray") == 0;
    QSystemTrayIcon icon(QIcon(QStringLiteral(":/io.github.pigmentry.Pigmentry.svg")));
    QWidget window;
    if (tray) {
        icon.show();
    } else {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(new QLabel(QStringLiteral("Pigmentry")));
        layout->addWidget(new QPushButton(QStringLiteral("Quit")));
        window.show();
    }
    return QApplication::exec();
}
