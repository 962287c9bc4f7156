// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/magnifier.h"

#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cstdlib>

using namespace pigmentry;

namespace {

// A region whose every pixel has its own colour: red = 16 * column,
// green = 16 * row.
QImage region()
{
    QImage image(15, 15, QImage::Format_RGB32);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x)
            image.setPixel(x, y, qRgb(16 * x, 16 * y, 200));
    return image;
}

QImage render(const Magnifier &magnifier)
{
    QImage out(Magnifier::panelSize, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    magnifier.paint(painter);
    return out;
}

} // namespace

class TestMagnifier : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void enlargesWithoutSmoothingUnderAGrid()
    {
        const QImage out = render(Magnifier{region(), RGBA{1, 0.5, 0, 1}, 10, QPointF(7.5, 7.5), 1, {}});
        if (qEnvironmentVariableIsSet("PIGMENTRY_SAVE_RENDERS"))
            out.save(qEnvironmentVariable("PIGMENTRY_SAVE_RENDERS") + QLatin1String("/magnifier.png"));
        const QRectF loupe = Magnifier::loupe();
        QCOMPARE(loupe, QRectF(15, 12, 180, 180));
        // Pixel (c, r) of the region spans 10 x 10 starting at the loupe's
        // centre minus 75; its inside is exactly the captured colour.
        const QPoint origin = (loupe.center() - QPointF(75, 75)).toPoint();
        for (int c : {0, 6, 14}) {
            const QPoint inside = origin + QPoint(c * 10 + 5, 3 * 10 + 5);
            QCOMPARE(QColor(out.pixel(inside)), QColor(qRgb(16 * c, 48, 200)));
        }
        // Grid lines darken the block edges; 16 of them each way.
        const QPoint onLine = origin + QPoint(40, 35);
        QVERIFY(qBlue(out.pixel(onLine)) < 200);
        // The marker: a white square around the middle pixel.
        const QPointF markerEdge = loupe.center() - QPointF(5, 0);
        QVERIFY(QColor(out.pixel(markerEdge.toPoint())).lightness() > 240);
    }

    void shiftsAtADisplayEdge()
    {
        const Magnifier magnifier{region(), RGBA{0, 0, 0, 1}, 10, QPointF(3, 7), 1, {}};
        QCOMPARE(magnifier.shift(), QPointF(40, 0));
        const QImage out = render(magnifier);
        const QPointF left = Magnifier::loupe().topLeft();
        // The left 40 points of the enlargement's place show only the dim fill.
        const QRgb background = out.pixel((left + QPointF(5, 90)).toPoint());
        QCOMPARE(out.pixel((left + QPointF(50, 90)).toPoint()), background);
        // The sampled column 3 lies under the marker.
        const QPoint middle = Magnifier::loupe().center().toPoint() + QPoint(2, 2);
        QCOMPARE(QColor(out.pixel(middle)), QColor(qRgb(48, 112, 200)));
    }

    void codesDrawnIntoAnImageLookAsPainted_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("scale 1") << 1.0;
        QTest::newRow("scale 1.5") << 1.5;
        QTest::newRow("scale 2") << 2.0;
    }

    // The panel on X11 sets the codes from glyph images it blends itself;
    // they must look as QPainter draws them, and the swatch must be exact.
    void codesDrawnIntoAnImageLookAsPainted()
    {
        QFETCH(double, scale);
        const Magnifier magnifier{region(), RGBA{0.2, 0.6, 0.4, 1}, 10, QPointF(7, 7), 1, {}};
        QImage painted(Magnifier::panelSize * scale, QImage::Format_RGB32);
        painted.setDevicePixelRatio(scale);
        {
            QPainter painter(&painted);
            magnifier.paintBackground(painter);
        }
        QImage blended = painted.copy();
        {
            QPainter painter(&painted);
            magnifier.paintCodes(painter);
        }
        magnifier.paintCodes(blended);
        if (qEnvironmentVariableIsSet("PIGMENTRY_SAVE_RENDERS")) {
            painted.save(qEnvironmentVariable("PIGMENTRY_SAVE_RENDERS") + QLatin1String("/codes-painted.png"));
            blended.save(qEnvironmentVariable("PIGMENTRY_SAVE_RENDERS") + QLatin1String("/codes-blended.png"));
        }
        // The same ink overall, and only edges a fraction of a pixel apart.
        const QRect row = QRectF(Magnifier::row().topLeft() * scale, Magnifier::row().size() * scale).toAlignedRect();
        qint64 paintedInk = 0;
        qint64 blendedInk = 0;
        int apart = 0;
        for (int y = row.top(); y <= row.bottom(); ++y) {
            for (int x = row.left(); x <= row.right(); ++x) {
                const QRgb a = painted.pixel(x, y);
                const QRgb b = blended.pixel(x, y);
                paintedInk += 255 - qGray(a);
                blendedInk += 255 - qGray(b);
                apart += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                   std::abs(qBlue(a) - qBlue(b))})
                    > 96;
            }
        }
        QVERIFY(std::abs(double(blendedInk) / double(paintedInk) - 1) < 0.02);
        QVERIFY(apart < row.width() * row.height() / 50);
        // Inside the swatch, exactly the colour.
        const QPoint swatch = (QPointF(Magnifier::row().left() + 52, Magnifier::row().center().y()) * scale).toPoint();
        QCOMPARE(QColor(painted.pixel(swatch)), QColor(qRgb(51, 153, 102)));
        QCOMPARE(QColor(blended.pixel(swatch)), QColor(qRgb(51, 153, 102)));
    }

    void markerAndGridFollowTheZoom()
    {
        const Magnifier magnifier{region(), RGBA{0, 0, 0, 1}, 20, QPointF(7, 7), 1, {}};
        QCOMPARE(magnifier.hint(), QStringLiteral("Click to pick · Esc to cancel · 20×"));
        const QImage out = render(magnifier);
        const QPointF c = Magnifier::loupe().center();
        QVERIFY(QColor(out.pixel((c - QPointF(10, 0)).toPoint())).lightness() > 240);
        QCOMPARE(QColor(out.pixel((c - QPointF(5, 5)).toPoint())), QColor(qRgb(112, 112, 200)));
        QCOMPARE(Magnifier{}.hint(), QStringLiteral("Click to pick · Esc to cancel · 10×"));
    }
};

QTEST_MAIN(TestMagnifier)
#include "test_magnifier.moc"
