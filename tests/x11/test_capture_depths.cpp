// SPDX-License-Identifier: GPL-3.0-or-later
// Capture from displays of every depth: the pixels the X server sends in its
// own layout, read as the colours on screen. Run on a 16-bit and a 30-bit
// Xvfb as well as the usual 24-bit one.
#include "platform/x11/x11_screen_source.h"
#include "platform/x11/z_pixmap.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

using namespace pigmentry;

class TestCaptureDepths : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Layouts as servers send them, including the other byte order.
    void readsEveryLayout()
    {
        // 5-6-5 in two bytes, least significant first: pure red, then a grey
        // in the middle of each channel's range.
        const uchar sixteen[] = {0x00, 0xF8, 0xEF, 0x7B};
        const QImage a =
            imageFromZPixmap(sixteen, sizeof sixteen, {2, 1}, {16, 32, false, 0xF800, 0x07E0, 0x001F}, nullptr);
        QCOMPARE(a.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(a.pixel(1, 0), qRgb(123, 125, 123));
        // 10 bits a channel in 32, most significant byte first.
        const quint32 blue = 0x3FF, orange = (0x3FFu << 20) | (0x200u << 10);
        const uchar thirty[] = {uchar(blue >> 24),   uchar(blue >> 16),   uchar(blue >> 8),   uchar(blue),
                                uchar(orange >> 24), uchar(orange >> 16), uchar(orange >> 8), uchar(orange)};
        const QImage b = imageFromZPixmap(thirty, sizeof thirty, {2, 1},
                                          {32, 32, true, 0x3FF00000, 0x000FFC00, 0x000003FF}, nullptr);
        QCOMPARE(b.pixel(0, 0), qRgb(0, 0, 255));
        QCOMPARE(b.pixel(1, 0), qRgb(255, 128, 0));
        // Three bytes a pixel, rows padded to 32 bits.
        const uchar packed[] = {0x10, 0x20, 0x30, 0x00, 0x40, 0x50, 0x60, 0x00};
        const QImage c =
            imageFromZPixmap(packed, sizeof packed, {1, 2}, {24, 32, false, 0xFF0000, 0xFF00, 0xFF}, nullptr);
        QCOMPARE(c.pixel(0, 1), qRgb(0x60, 0x50, 0x40));
        // What cannot be read says so.
        QString error;
        QVERIFY(imageFromZPixmap(packed, sizeof packed, {1, 2}, {4, 32, false, 0x8, 0x4, 0x2}, &error).isNull());
        QVERIFY(error.contains(QLatin1String("cannot be read")));
        QVERIFY(imageFromZPixmap(packed, 4, {1, 2}, {24, 32, false, 0xFF0000, 0xFF00, 0xFF}, &error).isNull());
    }

    // A window of colours exact at every depth, read back from the root.
    void capturesTheScreenAtItsDepth()
    {
        auto source = X11ScreenSource::create();
        QVERIFY(source);
        QWidget window;
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, QColor(0, 0, 255));
        window.setPalette(palette);
        window.setGeometry(100, 100, 60, 60);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QString error;
        QTRY_COMPARE(source->grab(QRect(120, 120, 4, 4), &error).pixel(2, 2), qRgb(0, 0, 255));
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
};

QTEST_MAIN(TestCaptureDepths)
#include "test_capture_depths.moc"
