// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_picker_desktop.h"
#include "picker/frozen_screen_source.h"
#include "picker/screen_picker.h"
#include "temp_settings.h"

#include <QSignalSpy>
#include <QTest>

using namespace pigmentry;
using test::FakeScreenSource;

namespace {

// A picker on fake screens; the timer never fires because the tests do not
// spin the event loop, so every pass is one the test asks for.
struct Fixture {
    test::TempSettings temp;
    FakeScreenSource source;
    test::FakeOverlay overlay;
    test::FakeSampler sampler;
    test::FakeAccess access;
    test::FakeAlerts alerts;
    ScreenPicker picker{temp.prefs(), {source, overlay, sampler, access, alerts}};
    QList<RGBA> picked;
    qint64 now = 1000;

    Fixture()
    {
        picker.clock = [this] { return now; };
    }

    void start()
    {
        picker.start([this](const RGBA &c) { picked.append(c); });
    }
    RGBA colorAt(const QPointF &p) const { return source.colorAt(source.screenList.first(), p); }
};

} // namespace

class TestScreenPicker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clickBeforeTheFirstSampleWaitsForIt()
    {
        Fixture f;
        f.start();
        QVERIFY(f.overlay.shown);
        QCOMPARE(f.source.pending.size(), size_t(1));
        f.overlay.click();
        QVERIFY(f.picker.isConfirmPending());
        QVERIFY(f.picked.isEmpty());

        QVERIFY(f.source.respond());

        QCOMPARE(f.picked, QList<RGBA>{f.colorAt({400, 300})});
        QVERIFY(!f.overlay.shown);
        QVERIFY(!f.picker.isRunning());
    }

    void clickAfterAMoveUsesASampleFromTheNewPosition()
    {
        Fixture f;
        f.start();
        f.source.respond(); // sample at (400, 300)
        f.picker.update(); // a capture of (400, 300) is in flight
        f.source.mouse = {410, 320};
        f.overlay.click();
        QVERIFY(f.picker.isConfirmPending());
        f.source.respond(); // the old position's answer does not complete
        QVERIFY(f.picked.isEmpty());
        f.picker.update();
        f.source.respond();
        QCOMPARE(f.picked, QList<RGBA>{f.colorAt({410, 320})});
    }

    void arrowsNudgeByDevicePixelsUntilThePointerMoves()
    {
        Fixture f;
        f.start();
        f.source.respond();
        for (int i = 0; i < 3; ++i)
            f.overlay.key(Qt::Key_Right);
        f.overlay.key(Qt::Key_Up, true);
        QCOMPARE(f.picker.position(), QPointF(403, 290));
        f.overlay.key(Qt::Key_Down, true);
        f.picker.update();
        f.source.respond();
        f.overlay.key(Qt::Key_Return);
        QCOMPARE(f.picked, QList<RGBA>{f.colorAt({403, 300})});

        // Any pointer motion discards the nudge.
        f.start();
        f.source.respond();
        f.overlay.key(Qt::Key_Left);
        f.source.mouse = {400.0, 301.0};
        f.picker.update();
        QCOMPARE(f.picker.position(), QPointF(400, 301));
    }

    void nudgesFollowTheScaleOfTheScreen()
    {
        Fixture f;
        f.source.screenList = {PickerScreen{QRectF(0, 0, 800, 600), 2.0}};
        f.start();
        f.overlay.key(Qt::Key_Right);
        QCOMPARE(f.picker.position(), QPointF(400.5, 300));
        f.overlay.key(Qt::Key_Left, true);
        QCOMPARE(f.picker.position(), QPointF(395.5, 300));
        f.source.respond();
        f.picker.update();
        QCOMPARE(f.source.regions.last(), QRect(791 - 7, 600 - 7, 15, 15));
        f.source.respond();
        f.overlay.click();
        QCOMPARE(f.picked, QList<RGBA>{f.colorAt({395.5, 300})});
    }

    void zoomStaysWithinItsLimitsAndIsKept()
    {
        Fixture f;
        f.start();
        QCOMPARE(f.picker.magnification(), 10);
        f.overlay.key(Qt::Key_Equal);
        f.overlay.key(Qt::Key_Plus, true);
        f.overlay.key(Qt::Key_Equal);
        QCOMPARE(f.picker.magnification(), 20);
        f.source.respond();
        QCOMPARE(f.overlay.presented.last().zoom, 20);
        QVERIFY(f.overlay.presented.last().hint().endsWith(QStringLiteral("· 20×")));
        f.overlay.key(Qt::Key_Escape);
        f.start();
        QCOMPARE(f.picker.magnification(), 20);
        for (int i = 0; i < 4; ++i)
            f.overlay.key(Qt::Key_Minus);
        QCOMPARE(f.picker.magnification(), 5);
    }

    void cancelNeverCompletes_data()
    {
        QTest::addColumn<bool>("rightClick");
        QTest::addColumn<bool>("whilePending");
        QTest::newRow("escape") << false << false;
        QTest::newRow("escape while confirming") << false << true;
        QTest::newRow("right click") << true << false;
        QTest::newRow("right click while confirming") << true << true;
    }

    void cancelNeverCompletes()
    {
        QFETCH(bool, rightClick);
        QFETCH(bool, whilePending);
        Fixture f;
        QSignalSpy ended(&f.picker, &ScreenPicker::ended);
        f.start();
        if (whilePending)
            f.overlay.click();
        if (rightClick)
            f.overlay.click(false);
        else
            f.overlay.key(Qt::Key_Escape);
        QVERIFY(!f.overlay.shown);
        QCOMPARE(ended.count(), 1);

        // The answer of the ended pick is dropped without a word.
        QVERIFY(f.source.respond());
        QVERIFY(f.picked.isEmpty());
        QVERIFY(f.overlay.presented.isEmpty());
        QVERIFY(!f.picker.isCaptureBusy());
        QVERIFY(f.alerts.messages.isEmpty());
    }

    // Shift with a click or Return picks and goes on; a plain click picks
    // a last colour and ends, Escape ends without another.
    void keepPickingTakesEachColourUntilTheEnd()
    {
        QFETCH(bool, endWithEscape);
        Fixture f;
        QSignalSpy ended(&f.picker, &ScreenPicker::ended);
        f.start();
        f.source.respond();
        f.overlay.click(true, true);
        QCOMPARE(f.picked, QList<RGBA>{f.colorAt({400, 300})});
        QVERIFY(f.overlay.shown);
        QCOMPARE(ended.count(), 0);
        QCOMPARE(f.picker.pickedCount(), 1);
        QVERIFY(f.overlay.presented.last().hint().startsWith(QStringLiteral("1 picked · ")));
        QVERIFY(f.overlay.presented.last().hint().endsWith(QStringLiteral(" · Esc to finish")));

        // The next colour waits for a sample where the mark now is.
        f.source.mouse = {420, 310};
        f.overlay.key(Qt::Key_Return, true);
        QCOMPARE(f.picked.size(), 1);
        f.picker.update();
        QVERIFY(f.source.respond());
        QCOMPARE(f.picked.size(), 2);
        QCOMPARE(f.picked.last(), f.colorAt({420, 310}));
        QVERIFY(f.overlay.shown);
        // A start meanwhile (the shortcut again) does nothing.
        f.start();
        QCOMPARE(f.overlay.showCount, 1);

        if (endWithEscape) {
            f.overlay.key(Qt::Key_Escape);
            QCOMPARE(f.picked.size(), 2);
        } else {
            f.overlay.click();
            QCOMPARE(f.picked.size(), 3);
        }
        QVERIFY(!f.overlay.shown);
        QCOMPARE(ended.count(), 1);
    }
    void keepPickingTakesEachColourUntilTheEnd_data()
    {
        QTest::addColumn<bool>("endWithEscape");
        QTest::newRow("Escape") << true;
        QTest::newRow("a plain click") << false;
    }

    // [ and ] step through the squares and keep the choice; a start may
    // override it for one pick.
    void sampleSizeStepsAndIsKept()
    {
        Fixture f;
        f.start();
        f.source.respond();
        QCOMPARE(f.picker.sampleSize(), 1);
        f.overlay.key(Qt::Key_BracketLeft);
        QCOMPARE(f.picker.sampleSize(), 1);
        for (const int side : {3, 5, 11, 11}) {
            f.overlay.key(Qt::Key_BracketRight);
            QCOMPARE(f.picker.sampleSize(), side);
        }
        f.overlay.key(Qt::Key_BracketLeft);
        QCOMPARE(f.temp.prefs().sampleSize(), 5);
        f.picker.update();
        QVERIFY(f.source.respond());
        QCOMPARE(f.overlay.presented.last().sample, 5);
        f.overlay.key(Qt::Key_Escape);

        f.picker.start([](const RGBA &) {}, 11);
        QCOMPARE(f.picker.sampleSize(), 11);
        f.overlay.key(Qt::Key_Escape);
        f.picker.start([](const RGBA &) {}, 4); // not a size: the preference's
        QCOMPARE(f.picker.sampleSize(), 5);
    }

    // The mean of each channel over the square, rounded; cut to the image
    // at its edges and corners.
    void averagedSamples()
    {
        // Red counts columns, green rows, blue is a checkerboard of 0 and 255.
        QImage board(15, 15, QImage::Format_RGB32);
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 15; ++x)
                board.setPixel(x, y, qRgb(x * 10, y * 10, (x + y) % 2 ? 255 : 0));
        auto channels = [](const RGBA &c) {
            return QList<int>{int(std::lround(c.r * 255)), int(std::lround(c.g * 255)), int(std::lround(c.b * 255))};
        };
        QCOMPARE(channels(averagedColor(board, {7, 7}, 1)), (QList<int>{70, 70, 0}));
        // 3 x 3 around (7, 7): 4 of 9 odd cells; 5 x 5: 12 of 25; 11 x 11: 60 of 121.
        QCOMPARE(channels(averagedColor(board, {7, 7}, 3)), (QList<int>{70, 70, 113}));
        QCOMPARE(channels(averagedColor(board, {7, 7}, 5)), (QList<int>{70, 70, 122}));
        QCOMPARE(channels(averagedColor(board, {7, 7}, 11)), (QList<int>{70, 70, 126}));
        // At the left edge the 3 x 3 square keeps its two columns inside.
        QCOMPARE(channels(averagedColor(board, {0, 7}, 3)), (QList<int>{5, 70, 128}));
        // In the corner, 6 x 6 of the 11 x 11 square: 18 of 36 odd cells.
        QCOMPARE(channels(averagedColor(board, {14.5, 14.5}, 11)), (QList<int>{115, 115, 128}));
        QCOMPARE(averagedColor(board, {7, 7}, 11).a, 1.0);
    }

    void doubleClickCompletesOnce()
    {
        Fixture f;
        f.start();
        f.overlay.click();
        f.overlay.click();
        f.source.respond();
        QCOMPARE(f.picked.size(), 1);

        f.start();
        f.source.respond();
        f.overlay.click();
        f.overlay.click(); // the overlay is gone: nothing reaches the picker
        QCOMPARE(f.picked.size(), 2);
    }

    void secondStartDuringAPickDoesNothing()
    {
        Fixture f;
        f.start();
        int second = 0;
        f.picker.start([&](const RGBA &) { ++second; });
        QCOMPARE(f.overlay.showCount, 1);
        f.source.respond();
        f.overlay.click();
        QCOMPARE(f.picked.size(), 1);
        QCOMPARE(second, 0);
    }

    void captureFailureEndsThePickWithAnAlert()
    {
        Fixture f;
        f.start();
        f.overlay.click();
        f.source.respond(QStringLiteral("BadMatch"));
        QVERIFY(!f.overlay.shown);
        QVERIFY(f.picked.isEmpty());
        QCOMPARE(f.alerts.messages, QStringList{"Color picking could not continue|Screen capture failed: BadMatch"});
    }

    void regionsAtTheDisplayEdges_data()
    {
        QTest::addColumn<QPointF>("mouse");
        QTest::addColumn<QRect>("region");
        QTest::addColumn<QPointF>("shift");
        QTest::newRow("middle") << QPointF(400, 300) << QRect(393, 293, 15, 15) << QPointF(0, 0);
        QTest::newRow("3 from the left") << QPointF(3, 300) << QRect(0, 293, 15, 15) << QPointF(40, 0);
        QTest::newRow("top row") << QPointF(400, 0) << QRect(393, 0, 15, 15) << QPointF(0, 70);
        QTest::newRow("last column") << QPointF(799, 300) << QRect(785, 293, 15, 15) << QPointF(-70, 0);
        QTest::newRow("bottom row") << QPointF(400, 599) << QRect(393, 585, 15, 15) << QPointF(0, -70);
        QTest::newRow("past the corner is clamped")
            << QPointF(799.9, 599.9) << QRect(785, 585, 15, 15) << QPointF(-70, -70);
    }

    void regionsAtTheDisplayEdges()
    {
        QFETCH(QPointF, mouse);
        QFETCH(QRect, region);
        QFETCH(QPointF, shift);
        Fixture f;
        f.source.mouse = mouse;
        f.start();
        QCOMPARE(f.source.regions.last(), region);
        f.source.respond();
        QCOMPARE(f.overlay.presented.last().shift(), shift);
        f.overlay.click();
        const QPointF clamped(std::min(mouse.x(), 799.0), std::min(mouse.y(), 599.0));
        QCOMPARE(f.picked, QList<RGBA>{f.colorAt(clamped)});
    }

    void picksOnTheSecondScreen()
    {
        Fixture f;
        const PickerScreen right{QRectF(800, 0, 640, 480), 1.5};
        f.source.screenList.append(right);
        f.source.mouse = {1000, 100};
        f.start();
        QCOMPARE(f.source.regions.last(), QRect(300 - 7, 150 - 7, 15, 15));
        f.source.respond();
        f.overlay.click();
        QCOMPARE(f.picked, QList<RGBA>{f.source.colorAt(right, {1000, 100})});
        // Nudged past the right-most column: the position stays on the last
        // device column, and a click picks there.
        f.source.mouse = {1439, 100};
        f.start();
        f.source.respond();
        f.overlay.key(Qt::Key_Right, true);
        QCOMPARE(f.picker.position(), QPointF(800 + 959 / 1.5, 100));
        f.overlay.click();
        f.picker.update();
        while (f.source.respond()) { }
        QCOMPARE(f.picked.size(), 2);
        QCOMPARE(f.picked.last(), f.source.colorAt(right, QPointF(800 + 959 / 1.5, 100)));
    }

    void panelPlacement_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QRectF>("screen");
        QTest::addColumn<QPointF>("topLeft");
        const QRectF big(0, 0, 1920, 1080);
        QTest::newRow("middle") << QPointF(500, 400) << big << QPointF(528, 416);
        QTest::newRow("100 from the right") << QPointF(1820, 400) << big << QPointF(1710, 416);
        QTest::newRow("50 above the bottom") << QPointF(500, 1030) << big << QPointF(528, 816);
        QTest::newRow("bottom-right corner covers the point") << QPointF(1910, 1070) << big << QPointF(1710, 816);
        QTest::newRow("second screen") << QPointF(2000, 100) << QRectF(1920, 0, 1280, 1024) << QPointF(2028, 116);
        QTest::newRow("screen smaller than the panel")
            << QPointF(150, 100) << QRectF(0, 0, 200, 200) << QPointF(-10, 0);
    }

    void panelPlacement()
    {
        QFETCH(QPointF, point);
        QFETCH(QRectF, screen);
        QFETCH(QPointF, topLeft);
        QCOMPARE(panelPosition(point, screen), topLeft);
    }

    // With a desktop that reports moves and changed pixels, a pick whose
    // pointer rests does nothing at all, and follows every report at once.
    void eventDrivenPickRestsAndFollowsReports()
    {
        Fixture f;
        f.source.reports = true;
        f.overlay.motion = true;
        f.start();
        QVERIFY(f.source.respond());
        const qsizetype captures = f.source.regions.size();
        const int queries = f.source.pointerQueries;
        const qsizetype frames = f.overlay.presented.size();
        for (int pass = 0; pass < 5; ++pass)
            f.picker.update();
        QCOMPARE(f.source.regions.size(), captures);
        QCOMPARE(f.source.pointerQueries, queries); // no round trip for the pointer
        QCOMPARE(f.source.watched.last(), f.source.regions.last());

        // A move: one capture where the pointer went, told by the report.
        f.overlay.move({420, 310});
        QCOMPARE(f.source.regions.size(), captures + 1);
        QVERIFY(f.source.respond());
        QCOMPARE(*f.picker.currentSample(), f.colorAt({420, 310}));

        // The screen changes under the still pointer: captured again, and
        // the pick is the new colour.
        f.source.pixel = [](const PickerScreen &, int, int) { return qRgb(1, 2, 3); };
        f.source.change();
        f.picker.update(); // the next pass of the timer, still running since the move
        QCOMPARE(f.source.regions.size(), captures + 2);
        QVERIFY(f.source.respond());
        // A zoom shows at once, a new frame.
        f.overlay.key(Qt::Key_Minus, true);
        f.picker.update();
        QVERIFY(f.source.respond());
        QCOMPARE(f.overlay.presented.last().zoom, 5);
        QVERIFY(f.overlay.presented.size() > frames);
        f.overlay.click();
        QCOMPARE(f.picked, (QList<RGBA>{RGBA{1 / 255.0, 2 / 255.0, 3 / 255.0, 1}}));
        QVERIFY(f.source.watched.isEmpty()); // watching ends with the pick
    }

    // A click, then the hand moves on before the sample of the clicked
    // position has come: the pick is the pixel that was clicked.
    // A frozen frame that does not know where the pointer is yet: Return
    // waits a moment for the desktop to say, and the pointer's first report
    // counts; keys placed the mark, it does not wait.
    void aConfirmationWaitsForThePointersPlace()
    {
        Fixture f;
        f.source.reports = true;
        f.source.pointerKnown = false;
        f.overlay.motion = true;
        f.start();
        QVERIFY(f.source.respond());
        f.overlay.key(Qt::Key_Return);
        QVERIFY(f.picker.isRunning());
        f.source.pointerKnown = true;
        f.overlay.move({123, 45});
        f.picker.update();
        while (f.source.respond()) { }
        QCOMPARE(f.picked, QList<RGBA>{f.colorAt({123, 45})});

        // Nothing comes: the mark is picked after the wait.
        Fixture g;
        g.source.reports = true;
        g.source.pointerKnown = false;
        g.overlay.motion = true;
        g.picker.pointerWaitMs = 10;
        g.start();
        QVERIFY(g.source.respond());
        const QPointF mark = g.picker.position();
        g.overlay.key(Qt::Key_Return);
        QVERIFY(g.picked.isEmpty());
        QTRY_VERIFY(!g.picker.isRunning() || g.picker.isConfirmPending());
        g.picker.update();
        while (g.source.respond()) { }
        QCOMPARE(g.picked, QList<RGBA>{g.colorAt(mark)});

        // An arrow placed the mark: Return confirms at once.
        Fixture h;
        h.source.reports = true;
        h.source.pointerKnown = false;
        h.overlay.motion = true;
        h.start();
        QVERIFY(h.source.respond());
        h.overlay.key(Qt::Key_Right);
        h.overlay.key(Qt::Key_Return);
        QVERIFY(h.picker.isConfirmPending() || !h.picked.isEmpty());
    }

    // A place seen before the shot (the pointer over a window of ours)
    // survives loading the frame; a new pick forgets it.
    void aFrozenFrameKeepsThePointerSeenBeforeIt()
    {
        const QList<PickerScreen> screens{{QRectF(0, 0, 400, 300), 1.0}};
        QImage shot(400, 300, QImage::Format_RGB32);
        shot.fill(Qt::gray);
        FrozenScreenSource source;
        source.setPointer({12, 34});
        QVERIFY(source.load(shot, screens));
        QVERIFY(source.knowsPointer());
        QCOMPARE(source.pointer(), QPointF(12, 34));
        source.clear();
        QVERIFY(source.load(shot, screens));
        QVERIFY(!source.knowsPointer());
        QCOMPARE(source.pointer(), QPointF(200, 150));
    }

    void motionAfterTheClickMovesNothing()
    {
        Fixture f;
        f.source.reports = true;
        f.overlay.motion = true;
        f.start();
        QVERIFY(f.source.respond());
        f.overlay.move({300, 200});
        f.overlay.click();
        QVERIFY(f.picker.isConfirmPending());
        f.overlay.move({320, 210});
        f.overlay.move({360, 230});
        f.picker.update();
        while (f.source.respond()) { }
        QCOMPARE(f.picked, QList<RGBA>{f.colorAt({300, 200})});
    }

    void panelOverThePointerGetsAHole()
    {
        Fixture f;
        f.source.mouse = {795, 595};
        f.start();
        f.source.respond();
        const QRectF hole = f.overlay.holes.last();
        const QPointF panel = f.overlay.panelPositions.last();
        QCOMPARE(panel, QPointF(590, 336));
        // Exactly the region the capture reads (pushed inside the display),
        // no larger.
        QCOMPARE(hole, QRectF(785, 585, 15, 15).translated(-panel));
        QCOMPARE(QRectF(f.source.regions.last()), QRectF(785, 585, 15, 15));
        f.source.mouse = {400, 300};
        f.picker.update();
        f.source.respond();
        QVERIFY(f.overlay.holes.last().isNull());
    }

    void panelMovesAsideBeforeACaptureUnderIt()
    {
        Fixture f;
        f.start();
        f.source.respond(); // the panel now hangs at (428, 316)
        QCOMPARE(f.overlay.panelPositions.last(), QPointF(428, 316));
        f.source.mouse = {450, 350}; // straight into the panel
        const auto captures = f.source.regions.size();
        f.picker.update();
        QCOMPARE(f.source.regions.size(), captures); // no capture of the panel
        QCOMPARE(f.overlay.panelPositions.last(), QPointF(478, 336));
        // What the panel uncovered is read only once the windows there have
        // had time to draw it again.
        f.picker.update();
        QCOMPARE(f.source.regions.size(), captures);
        f.now += ScreenPicker::settleMs;
        f.picker.update();
        QCOMPARE(f.source.regions.size(), captures + 1);
        f.source.respond();
        f.overlay.click();
        QCOMPARE(f.picked, QList<RGBA>{f.colorAt({450, 350})});
    }

    void desktopSamplerWhenChosen()
    {
        Fixture f;
        f.temp.prefs().setBoolean("useNativePicker", true);
        f.access.allowed = false;
        f.start();
        QCOMPARE(f.sampler.requests.size(), 1);
        QCOMPARE(f.access.requests, 0);
        QVERIFY(!f.overlay.shown);
        f.start(); // the shortcut again while the sampler is open
        QCOMPARE(f.sampler.requests.size(), 1);

        f.sampler.requests.takeFirst()(DesktopSampler::Outcome::Cancelled, {}, {});
        QVERIFY(!f.picker.isSamplerOpen());
        QVERIFY(f.picked.isEmpty());

        f.start();
        f.sampler.requests.takeFirst()(DesktopSampler::Outcome::Picked, RGBA{0.1, 0.2, 0.3, 0.5}, {});
        QCOMPARE(f.picked, (QList<RGBA>{RGBA{0.1, 0.2, 0.3, 0.5}}));

        f.start();
        f.sampler.requests.takeFirst()(DesktopSampler::Outcome::Unavailable, {}, QStringLiteral("no portal"));
        QCOMPARE(f.alerts.messages.last(),
                 QStringLiteral("Color picking could not continue|No desktop color picker is available: no portal"));
    }

    void missingAccessAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("use desktop picker") << 0;
        QTest::newRow("open settings") << 1;
        QTest::newRow("cancel") << 2;
    }

    void missingAccessAsks()
    {
        QFETCH(int, answer);
        Fixture f;
        f.access.allowed = false;
        f.alerts.answer = answer;
        f.start();
        QCOMPARE(f.access.requests, 1);
        QVERIFY(!f.overlay.shown);
        QCOMPARE(f.alerts.messages.size(), 1);
        QVERIFY(f.alerts.messages.first().startsWith(
            QLatin1String("Precision picker needs screen capture access|This desktop session does not let")));
        QVERIFY(f.alerts.messages.first().endsWith(QLatin1String("|Use Desktop Picker,Open Settings,Cancel")));
        QCOMPARE(f.sampler.requests.size(), answer == 0 ? 1 : 0);
        QCOMPARE(f.temp.prefs().useNativePicker(), answer == 0);
        QCOMPARE(f.access.settingsOpened, answer == 1 ? 1 : 0);
        // Access granted on request starts the precision pick.
        Fixture g;
        g.access.allowed = false;
        g.access.grantedOnRequest = true;
        g.start();
        QVERIFY(g.overlay.shown);
        QVERIFY(g.alerts.messages.isEmpty());
    }

    // A desktop that answers later (a screenshot portal): the pick waits,
    // a second start meanwhile does nothing, and a pick deleted while it
    // waits is not touched by the answer.
    void accessAnsweredLater()
    {
        Fixture f;
        f.access.allowed = false;
        f.access.deferred = true;
        f.start();
        QVERIFY(f.picker.isActive() && f.picker.isAccessPending() && !f.overlay.shown);
        f.start();
        QCOMPARE(f.access.requests, 1);
        f.access.answer(true);
        QVERIFY(f.overlay.shown && !f.picker.isAccessPending());

        auto gone = std::make_unique<Fixture>();
        gone->access.allowed = false;
        gone->access.deferred = true;
        gone->start();
        test::FakeAccess &access = gone->access;
        ScreenAccess::Granted late = std::exchange(access.pending, nullptr);
        gone.reset();
        late(true);
    }

    // The frozen frame of a desktop shot: each screen gets its part in its
    // own device pixels, whatever the shot's scale.
    void frozenFrameCutsTheShotPerScreen()
    {
        // Left at scale 2, right at 1, shot at the larger scale.
        const QList<PickerScreen> screens{{QRectF(0, 0, 400, 300), 2.0}, {QRectF(400, 0, 400, 300), 1.0}};
        QImage shot(1600, 600, QImage::Format_RGB32);
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                shot.setPixel(x, y, qRgb(x % 256, y % 256, x / 256 * 16 + y / 256));
        FrozenScreenSource source;
        QVERIFY(source.load(shot, screens));
        QCOMPARE(source.screens(), screens);
        QCOMPARE(source.frame(0).size(), QSize(800, 600));
        QCOMPARE(source.frame(1).size(), QSize(400, 300));
        QCOMPARE(source.frame(0).pixel(799, 599), shot.pixel(799, 599));
        QCOMPARE(source.frame(1).pixel(0, 0), shot.pixel(800, 0));
        QCOMPARE(source.frame(1).pixel(399, 299), shot.pixel(1598, 598));
        QCOMPARE(source.pointer(), QPointF(200, 150));

        // A screen left of the primary, and a shot at scale 1.
        const QList<PickerScreen> left{{QRectF(0, 0, 100, 50), 1.0}, {QRectF(-100, 0, 100, 50), 1.0}};
        QVERIFY(source.load(shot.copy(0, 0, 200, 50), left));
        QCOMPARE(source.frame(0).pixel(0, 0), shot.pixel(100, 0));
        QCOMPARE(source.frame(1).pixel(0, 0), shot.pixel(0, 0));

        // Captures read the frame later, never inside the call.
        QImage captured;
        source.capture(left.first(), QRect(10, 5, 15, 15),
                       [&captured](const QImage &image, const QString &) { captured = image; });
        QVERIFY(captured.isNull());
        QTRY_VERIFY(!captured.isNull());
        QCOMPARE(captured.pixel(0, 0), shot.pixel(110, 5));

        QVERIFY(!source.load(QImage(), screens));
        QVERIFY(source.screens().isEmpty());
    }

    void refusedOverlayIsReported()
    {
        Fixture f;
        f.overlay.refuse = QStringLiteral("another program holds the keyboard");
        f.start();
        QVERIFY(!f.picker.isRunning());
        QCOMPARE(f.alerts.messages,
                 QStringList{"Color picking could not continue|The desktop could not start "
                             "screen capture: another program holds the keyboard"});
    }

    // The shortcut repeats while the alert is open: nothing nests in it.
    // The overlay may also give up later, which ends the pick the same way.
    void noPickNestsInAnAlert()
    {
        Fixture f;
        f.overlay.refuse = QStringLiteral("another program holds the keyboard");
        int nested = 0;
        f.alerts.whileOpen = [&] {
            QVERIFY(f.picker.isActive());
            f.start();
            ++nested;
        };
        f.start();
        QCOMPARE(nested, 1);
        QCOMPARE(f.alerts.messages.size(), 1);
        QVERIFY(!f.picker.isActive());

        f.overlay.refuse.reset();
        f.start();
        QVERIFY(f.picker.isRunning());
        f.overlay.failed(QStringLiteral("another program holds the pointer or the keyboard."));
        QVERIFY(!f.picker.isRunning());
        QCOMPARE(f.alerts.messages.size(), 2);
        QVERIFY(f.picked.isEmpty());
    }
};

QTEST_MAIN(TestScreenPicker)
#include "test_screen_picker.moc"
