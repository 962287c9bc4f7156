// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop sampler's portal client against a fake portal on a private
// session bus (the test runs under its own dbus-daemon).
#include "fake_portal.h"
#include "platform/portal/portal_color_picker.h"

#include <QDBusConnectionInterface>
#include <QTest>

using namespace pigmentry;
using Outcome = DesktopSampler::Outcome;

namespace {

struct Answer {
    int calls = 0;
    Outcome outcome = Outcome::Cancelled;
    RGBA color;
    QString error;
};

DesktopSampler::Done recordInto(Answer &answer)
{
    return [&answer](Outcome outcome, const RGBA &color, const QString &error) {
        ++answer.calls;
        answer.outcome = outcome;
        answer.color = color;
        answer.error = error;
    };
}

} // namespace

class TestPortalColorPicker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "no private session bus");
        QVERIFY2(!qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").isEmpty(), "not on a private bus");
    }

    void noPortalIsUnavailable()
    {
        PortalColorPicker picker;
        Answer answer;
        picker.pickColor(recordInto(answer));
        QTRY_COMPARE(answer.calls, 1);
        QCOMPARE(answer.outcome, Outcome::Unavailable);
        QVERIFY(!answer.error.isEmpty());
    }

    void colourAnswersInSrgbBytes_data()
    {
        QTest::addColumn<bool>("otherHandle");
        QTest::newRow("on the expected request path") << false;
        QTest::newRow("on the path the portal returned") << true;
    }

    void colourAnswersInSrgbBytes()
    {
        QFETCH(bool, otherHandle);
        test::FakePortal portal;
        portal.otherHandle = otherHandle;
        portal.r = 0.2;
        portal.g = 0.50196; // a hair above 128/255 rounds to 128, not down to 127
        portal.b = 1.0;
        QVERIFY(portal.registerOnBus());
        PortalColorPicker picker;
        Answer answer;
        picker.pickColor(recordInto(answer));
        QTRY_COMPARE(answer.calls, 1);
        QCOMPARE(answer.outcome, Outcome::Picked);
        QCOMPARE(answer.color, (RGBA{51 / 255.0, 128 / 255.0, 1.0, 1.0}));
        // A second request's answer comes after any late repeat of the first.
        Answer second;
        picker.pickColor(recordInto(second));
        QTRY_COMPARE(second.calls, 1);
        QCOMPARE(answer.calls, 1);
    }

    void cancelAndFailurePickNothing_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("cancelled") << int(test::FakePortal::Answer::Cancel);
        QTest::newRow("other failure") << int(test::FakePortal::Answer::Fail);
        // A success whose colour is not three numbers is no pick of black.
        QTest::newRow("color of two numbers") << int(test::FakePortal::Answer::TwoNumbers);
        QTest::newRow("color as text") << int(test::FakePortal::Answer::Text);
    }

    void cancelAndFailurePickNothing()
    {
        QFETCH(int, answer);
        test::FakePortal portal;
        portal.answer = test::FakePortal::Answer(answer);
        QVERIFY(portal.registerOnBus());
        PortalColorPicker picker;
        Answer result;
        picker.pickColor(recordInto(result));
        QTRY_COMPARE(result.calls, 1);
        QCOMPARE(result.outcome, Outcome::Cancelled);
    }

    void unansweredRequestIsClosed()
    {
        test::FakePortal portal;
        portal.answer = test::FakePortal::Answer::Never;
        QVERIFY(portal.registerOnBus());
        PortalColorPicker picker;
        picker.timeoutMs = 200;
        Answer result;
        picker.pickColor(recordInto(result));
        QTRY_COMPARE(result.calls, 1);
        QCOMPARE(result.outcome, Outcome::Cancelled);
        QTRY_COMPARE(portal.closed, 1);
    }
};

QTEST_MAIN(TestPortalColorPicker)
#include "test_portal_color_picker.moc"
