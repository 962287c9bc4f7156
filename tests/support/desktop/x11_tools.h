// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QProcessEnvironment>
#include <QStringList>
#include <QWidget>

class QScreen;

namespace pigmentry::test {

// Every device pixel of a board has its own colour, so a pick tells exactly
// which pixel it read.
QRgb boardColor(int x, int y);

// A window over a screen showing the board, one image pixel per device pixel.
class Board : public QWidget {
public:
    explicit Board(const QScreen *screen);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage image_;
};

// The pixel the X server shows at a device position of the root window, as
// any screenshot would read it.
QRgb rootPixel(const QPoint &device);

// Runs xdotool while this process goes on drawing its windows; true when it
// succeeded.
bool xdotool(const QStringList &arguments);
// True while another client holds the keyboard, as a pick's overlay does.
// window is a window of this process to try the grab on.
bool keyboardHeldElsewhere(quint32 window);
// The sockets a process holds that are not Unix sockets (network ones), as
// "socket:[inode]"; empty when it holds none.
QStringList nonUnixSockets(qint64 pid);
// Whether an XEmbed tray host (trayer) owns the tray selection of screen 0.
bool traySelectionOwned();
// The windows whose name contains text (visible ones only, by default), by
// xdotool.
QStringList windowsNamed(const QString &text, bool visibleOnly = true);
// The environment of a user whose home is the folder: configuration, data
// and a private runtime folder (made, mode 700) inside it, and the
// platform Qt picks by itself. A desk suffix gives another session.
QProcessEnvironment userEnvironment(const QString &home, const QString &desk = QString());
// A text file's content; empty when it cannot be read.
QString readFileText(const QString &path);
// Asks a top-level window to close, as a window manager's close button does.
void requestClose(quint32 window);

} // namespace pigmentry::test
