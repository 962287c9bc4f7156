// SPDX-License-Identifier: GPL-3.0-or-later
// A precision pick against a real X server: a window of known colours, the
// pointer moved and clicked with xdotool, as a user would.
#include "model/library/preferences.h"
#include "picker/magnifier.h"
#include "picker/screen_picker.h"
#include "platform/desktop_factory.h"
#include "platform/x11/magnifier_panel.h"
#include "platform/x11/x11_overlay.h"
#include "temp_settings.h"
#include "x11_tools.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <xcb/xcb.h>

using namespace pigmentry;

using test::Board;
using test::keyboardHeldElsewhere;
using test::rootPixel;
using test::xdotool;

namespace {

RGBA expected(int x, int y)
{
    const QRgb c = test::boardColor(x, y);
    return RGBA{qRed(c) / 255.0, qGreen(c) / 255.0, qBlue(c) / 255.0, 1.0};
}

// Where a device pixel of the root window stands in Qt's logical
// coordinates: each monitor keeps its native origin.
QPointF logicalAt(int x, int y);

// The primary monitor's size in device pixels: the root window's, or its
// left half where the run splits the display into two monitors.
QSize primaryDevicePixels()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const xcb_screen_t *root = xcb_setup_roots_iterator(xcb_get_setup(x11->connection())).data;
    const int monitors = int(QGuiApplication::screens().size());
    return QSize(root->width_in_pixels / monitors, root->height_in_pixels);
}

double scale()
{
    return QGuiApplication::primaryScreen()->devicePixelRatio();
}

QPointF logicalAt(int x, int y)
{
    const int width = primaryDevicePixels().width();
    QList<QScreen *> screens = QGuiApplication::screens();
    std::sort(screens.begin(), screens.end(),
              [](QScreen *a, QScreen *b) { return a->geometry().x() < b->geometry().x(); });
    const int monitor = std::min(x / width, int(screens.size()) - 1);
    return screens.at(monitor)->geometry().topLeft() + QPointF(x - monitor * width, y) / scale();
}

bool windowExists(quint32 id)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_generic_error_t *error = nullptr;
    auto *reply =
        xcb_get_window_attributes_reply(x11->connection(), xcb_get_window_attributes(x11->connection(), id), &error);
    const bool exists = reply != nullptr;
    std::free(reply);
    std::free(error);
    return exists;
}

} // namespace

class TestX11Pick : public QObject {
    Q_OBJECT

    std::vector<std::unique_ptr<Board>> boards_;
    Board *board_ = nullptr;
    std::unique_ptr<DesktopServices> services_;
    std::unique_ptr<test::TempSettings> temp_;
    std::unique_ptr<ScreenPicker> picker_;
    QList<RGBA> picked_;

    // Moves the pointer to a device pixel of the root window and waits for
    // the pick to sample it; position is where the pick should stand.
    void moveAndWait(int x, int y, QPointF position = {})
    {
        if (position.isNull())
            position = QPointF(x, y) / scale();
        QVERIFY(xdotool({"mousemove", QString::number(x), QString::number(y)}));
        QTRY_VERIFY_WITH_TIMEOUT(picker_->position() == position && picker_->currentSample()
                                     && *picker_->currentSample() == expected(x, y),
                                 5000);
    }

    void start()
    {
        picker_->start([this](const RGBA &c) { picked_.append(c); });
        QVERIFY(picker_->isRunning());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY2(xdotool({"version"}), "xdotool is not installed");
        QCOMPARE(QGuiApplication::screens().size(),
                 std::max(qEnvironmentVariableIntValue("PIGMENTRY_EXPECT_SCREENS"), 1));
        for (QScreen *screen : QGuiApplication::screens()) {
            boards_.push_back(std::make_unique<Board>(screen));
            boards_.back()->show();
            QVERIFY(QTest::qWaitForWindowExposed(boards_.back().get()));
        }
        board_ = boards_.front().get();
        services_ = createDesktopServices();
        QVERIFY(dynamic_cast<X11Overlay *>(services_->overlay.get()));
        temp_ = std::make_unique<test::TempSettings>();
        picker_ = std::make_unique<ScreenPicker>(temp_->prefs(), services_->pickerDesktop());
    }

    void init() { picked_.clear(); }

    void clickPicksThePixelUnderThePointer()
    {
        QVERIFY(xdotool({"mousemove", "10", "10"}));
        start();
        moveAndWait(123, 45);
        QVERIFY(xdotool({"click", "1"}));
        QTRY_COMPARE_WITH_TIMEOUT(picked_, QList<RGBA>{expected(123, 45)}, 5000);
        QVERIFY(!picker_->isRunning());
    }

    // Five pixels in one pick: Shift and a click, or Shift and Return, each
    // take one and keep the magnifier; Escape ends without another.
    void keepPickingTakesFivePixels()
    {
        start();
        const QList<QPoint> points{{40, 40}, {300, 60}, {130, 200}, {260, 220}, {90, 330}};
        QList<RGBA> wanted;
        for (qsizetype i = 0; i < points.size(); ++i) {
            const QPoint at = points.at(i);
            moveAndWait(at.x(), at.y());
            if (i % 2 == 0)
                QVERIFY(xdotool({"keydown", "shift", "click", "1", "keyup", "shift"}));
            else
                QVERIFY(xdotool({"key", "shift+Return"}));
            wanted.append(expected(at.x(), at.y()));
            QTRY_COMPARE_WITH_TIMEOUT(picked_, wanted, 5000);
            QVERIFY(picker_->isRunning());
        }
        QCOMPARE(picker_->pickedCount(), 5);
        QVERIFY(xdotool({"key", "Escape"}));
        QTRY_VERIFY_WITH_TIMEOUT(!picker_->isRunning(), 5000);
        QCOMPARE(picked_, wanted);
    }

    // The averaged square over the board, as the pick reads it live.
    void averagedSampleOverTheBoard()
    {
        temp_->prefs().set(preference::sampleSize, 11);
        start();
        QCOMPARE(picker_->sampleSize(), 11);
        QVERIFY(xdotool({"mousemove", "200", "150"}));
        QTRY_VERIFY_WITH_TIMEOUT(picker_->position() == QPointF(200, 150) / scale() && picker_->currentSample(), 5000);
        QImage square(11, 11, QImage::Format_RGB32);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 11; ++x)
                square.setPixel(x, y, test::boardColor(195 + x, 145 + y));
        QTRY_COMPARE_WITH_TIMEOUT(*picker_->currentSample(), averagedColor(square, {5, 5}, 11), 5000);
        QVERIFY(xdotool({"key", "Escape"}));
        QTRY_VERIFY_WITH_TIMEOUT(!picker_->isRunning(), 5000);
        temp_->prefs().set(preference::sampleSize, 1);
    }

    void arrowNudgePicksTheNeighbour()
    {
        start();
        moveAndWait(255, 300); // the next column starts another block of blue
        QVERIFY(xdotool({"key", "Right"})); // one device pixel
        QTRY_VERIFY_WITH_TIMEOUT(picker_->position() == QPointF(256, 300) / scale(), 5000);
        QVERIFY(xdotool({"key", "Return"}));
        QTRY_COMPARE_WITH_TIMEOUT(picked_, QList<RGBA>{expected(256, 300)}, 5000);
    }

    // At any scale and on odd sizes, the last device pixel of the screen is
    // reached by the pointer and by the arrows, and the capture stays on the
    // display.
    void everyDevicePixelIsReachable()
    {
        // The right and bottom edges of the display: on the right-most
        // monitor where there are two.
        const QSize device = primaryDevicePixels();
        const int monitors = int(QGuiApplication::screens().size());
        const int w = device.width() * monitors, h = device.height();
        start();
        moveAndWait(w - 1, h - 1, logicalAt(w - 1, h - 1));
        QVERIFY(xdotool({"click", "1"}));
        QTRY_COMPARE_WITH_TIMEOUT(picked_, QList<RGBA>{expected(w - 1, h - 1)}, 5000);

        picked_.clear();
        start();
        moveAndWait(w - 3, 100, logicalAt(w - 3, 100));
        for (int i = 0; i < 4; ++i)
            QVERIFY(xdotool({"key", "Right"}));
        QTRY_VERIFY_WITH_TIMEOUT(picker_->position() == logicalAt(w - 1, 100), 5000);
        QVERIFY(xdotool({"key", "Return"}));
        QTRY_COMPARE_WITH_TIMEOUT(picked_, QList<RGBA>{expected(w - 1, 100)}, 5000);

        picked_.clear();
        start();
        moveAndWait(100, h - 3);
        for (int i = 0; i < 4; ++i)
            QVERIFY(xdotool({"key", "Down"}));
        QTRY_VERIFY_WITH_TIMEOUT(picker_->position() == QPointF(100, h - 1) / scale(), 5000);
        QVERIFY(xdotool({"key", "Return"}));
        QTRY_COMPARE_WITH_TIMEOUT(picked_, QList<RGBA>{expected(100, h - 1)}, 5000);
    }

    // Two monitors side by side: one press moves one device pixel across
    // the edge, whatever the scale.
    void arrowsCrossMonitors()
    {
        if (QGuiApplication::screens().size() < 2)
            return; // the runs with one monitor have no edge to cross
        const int edge = primaryDevicePixels().width();
        const QScreen *right = QGuiApplication::screens().at(1);
        start();
        moveAndWait(edge - 1, 200);
        QVERIFY(xdotool({"key", "Right"}));
        QTRY_VERIFY_WITH_TIMEOUT(picker_->position() == right->geometry().topLeft() + QPointF(0, 200) / scale(), 5000);
        QVERIFY(xdotool({"key", "Left"}));
        QTRY_VERIFY_WITH_TIMEOUT(picker_->position() == QPointF(edge - 1, 200) / scale(), 5000);
        QVERIFY(xdotool({"key", "Right"}));
        QVERIFY(xdotool({"key", "Return"}));
        QTRY_COMPARE_WITH_TIMEOUT(picked_, QList<RGBA>{expected(edge, 200)}, 5000);
    }

    void zoomKeysWhateverModifiersAreHeld()
    {
        start();
        moveAndWait(200, 200);
        QCOMPARE(picker_->magnification(), 10);
        QVERIFY(xdotool({"key", "shift+minus"})); // the symbol is "_"
        QTRY_COMPARE_WITH_TIMEOUT(picker_->magnification(), 5, 5000);
        QVERIFY(xdotool({"key", "shift+equal"})); // "+"
        QTRY_COMPARE_WITH_TIMEOUT(picker_->magnification(), 10, 5000);
        QVERIFY(xdotool({"key", "equal"}));
        QTRY_COMPARE_WITH_TIMEOUT(picker_->magnification(), 15, 5000);
        QVERIFY(xdotool({"key", "minus"}));
        QTRY_COMPARE_WITH_TIMEOUT(picker_->magnification(), 10, 5000);
        QVERIFY(xdotool({"key", "Escape"}));
        QTRY_VERIFY_WITH_TIMEOUT(!picker_->isRunning(), 5000);
    }

    void aChangeUnderTheStillPointerIsPicked()
    {
        start();
        moveAndWait(300, 300);
        // Another window appears under the pointer, which does not move.
        QWidget patch(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
        patch.setAttribute(Qt::WA_ShowWithoutActivating);
        QPalette red = patch.palette();
        red.setColor(QPalette::Window, QColor(200, 10, 20));
        patch.setPalette(red);
        patch.setAutoFillBackground(true);
        patch.setGeometry(QRect((QPointF(300, 300) / scale()).toPoint() - QPoint(10, 10), QSize(20, 20)));
        patch.show();
        const RGBA now{200 / 255.0, 10 / 255.0, 20 / 255.0, 1};
        QTRY_VERIFY_WITH_TIMEOUT(picker_->currentSample() && *picker_->currentSample() == now, 5000);
        QVERIFY(xdotool({"click", "1"}));
        QTRY_COMPARE_WITH_TIMEOUT(picked_, QList<RGBA>{now}, 5000);
    }

    void magnifierShowsTheSampleBesideThePointer()
    {
        start();
        moveAndWait(300, 200);
        const QPointF position = QPointF(300, 200) / scale();
        const QPoint panel =
            (panelPosition(position, QGuiApplication::primaryScreen()->geometry()) * scale()).toPoint();
        // Under the marker in the loupe's middle, the sampled pixel, and one
        // cell to the right its neighbour on the screen.
        const QPoint middle = panel + (Magnifier::loupe().center() * scale()).toPoint();
        QTRY_COMPARE_WITH_TIMEOUT(rootPixel(middle), test::boardColor(300, 200), 5000);
        QCOMPARE(rootPixel(middle + QPoint(qRound(10 * scale()), 0)), test::boardColor(301, 200));
        // The rounded corner is cut away: the board shows through it.
        QCOMPARE(rootPixel(panel + QPoint(4, 1)), test::boardColor(panel.x() + 4, panel.y() + 1));

        // The panel follows the pointer.
        moveAndWait(420, 260);
        const QPoint moved =
            (panelPosition(QPointF(420, 260) / scale(), QGuiApplication::primaryScreen()->geometry()) * scale())
                .toPoint();
        QTRY_COMPARE_WITH_TIMEOUT(rootPixel(moved + (Magnifier::loupe().center() * scale()).toPoint()),
                                  test::boardColor(420, 260), 5000);
        QVERIFY(xdotool({"key", "Escape"}));
        QTRY_VERIFY_WITH_TIMEOUT(!picker_->isRunning(), 5000);
    }

    void escapePicksNothingAndRemovesTheOverlay()
    {
        start();
        moveAndWait(200, 200);
        QList<quint32> windows = static_cast<X11Overlay *>(services_->overlay.get())->windowIds();
        QVERIFY(!windows.isEmpty());
        windows << static_cast<X11Overlay *>(services_->overlay.get())->magnifierPanel()->windowId();
        QVERIFY(windows.last());
        QVERIFY(xdotool({"key", "Escape"}));
        QTRY_VERIFY_WITH_TIMEOUT(!picker_->isRunning(), 5000);
        QVERIFY(picked_.isEmpty());
        for (const quint32 id : windows)
            QVERIFY(!windowExists(id));
        QVERIFY(!keyboardHeldElsewhere(quint32(board_->winId())));
    }

    void magnifierOverThePointerDoesNotChangeThePick()
    {
        const QSize pixels = QGuiApplication::primaryScreen()->geometry().size() * scale();
        const int x = pixels.width() - 3, y = pixels.height() - 3;
        start();
        moveAndWait(x, y);
        // A few more passes with the panel in place over the pointer.
        const int before = int(picked_.size());
        for (int pass = 0; pass < 3; ++pass) {
            QTRY_VERIFY_WITH_TIMEOUT(!picker_->isCaptureBusy(), 5000);
            picker_->update();
            QTRY_VERIFY_WITH_TIMEOUT(!picker_->isCaptureBusy(), 5000);
        }
        QCOMPARE(*picker_->currentSample(), expected(x, y));
        QVERIFY(xdotool({"click", "1"}));
        QTRY_COMPARE_WITH_TIMEOUT(picked_.size(), before + 1, 5000);
        QCOMPARE(picked_.last(), expected(x, y));
    }

    void picksOnTheLastScreen()
    {
        const QScreen *last = QGuiApplication::screens().last();
        const QPoint device = last->geometry().topLeft() + QPoint(40, 50);
        start();
        moveAndWait(device.x(), device.y(), last->geometry().topLeft() + QPointF(40, 50) / last->devicePixelRatio());
        QVERIFY(xdotool({"click", "1"}));
        QTRY_COMPARE_WITH_TIMEOUT(picked_, QList<RGBA>{expected(device.x(), device.y())}, 5000);
    }

    void pickCommandPrintsTheColour()
    {
        QProcess pick;
        pick.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"pick", "--no-save", "--format", "HEX"});
        QVERIFY(pick.waitForStarted());
        const quint32 window = quint32(board_->winId());
        QTRY_VERIFY_WITH_TIMEOUT(keyboardHeldElsewhere(window), 10000);
        QVERIFY(xdotool({"mousemove", "77", "88"}));
        QVERIFY(xdotool({"click", "1"}));
        // The board must keep drawing while the other process picks.
        QTRY_COMPARE_WITH_TIMEOUT(pick.state(), QProcess::NotRunning, 10000);
        QCOMPARE(pick.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(pick.readAllStandardOutput()), expected(77, 88).hex() + u'\n');

        pick.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"pick", "--no-save"});
        QVERIFY(pick.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(keyboardHeldElsewhere(window), 10000);
        QVERIFY(xdotool({"key", "Escape"}));
        QTRY_COMPARE_WITH_TIMEOUT(pick.state(), QProcess::NotRunning, 10000);
        QCOMPARE(pick.exitCode(), 1);
        QVERIFY(pick.readAllStandardOutput().isEmpty());
    }
};

QTEST_MAIN(TestX11Pick)
#include "test_x11_pick.moc"
