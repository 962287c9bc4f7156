// SPDX-License-Identifier: GPL-3.0-or-later
// A full-screen test pattern whose every pixel tells its own place: red is
// x mod 256, green y mod 256, blue the high bits of x (upper half) and y
// (lower half). Says "shown" on standard output once its first frame is
// painted, and "pointer X Y" (device pixels) for each motion it receives.
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QRasterWindow>
#include <QScreen>

#include <cstdio>

namespace {

class Pattern : public QRasterWindow {
protected:
    void paintEvent(QPaintEvent *) override
    {
        const QSize size = (QSizeF(this->size()) * devicePixelRatio()).toSize();
        if (image_.size() != size) {
            image_ = QImage(size, QImage::Format_RGB32);
            for (int y = 0; y < size.height(); ++y) {
                auto *line = reinterpret_cast<QRgb *>(image_.scanLine(y));
                for (int x = 0; x < size.width(); ++x)
                    line[x] = qRgb(x & 0xff, y & 0xff, ((x >> 8) << 4 | (y >> 8)) & 0xff);
            }
            image_.setDevicePixelRatio(devicePixelRatio());
        }
        QPainter painter(this);
        painter.drawImage(QPointF(0, 0), image_);
        if (!said_ && this->size() == screen()->size()) {
            said_ = true;
            std::printf("shown %dx%d\n", size.width(), size.height());
            std::fflush(stdout);
        }
    }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        const QPointF at = event->position() * devicePixelRatio();
        std::printf("pointer %d %d\n", int(at.x()), int(at.y()));
        std::fflush(stdout);
    }

private:
    QImage image_;
    bool said_ = false;
};

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    Pattern pattern;
    pattern.setTitle(QStringLiteral("Test pattern"));
    pattern.setCursor(Qt::ArrowCursor);
    pattern.showFullScreen();
    return app.exec();
}
