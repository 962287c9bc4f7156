// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/magnifier.h"
#include "picker/picker_desktop.h"

#include <QList>
#include <QStringList>

#include <deque>

namespace pigmentry::test {

// Screens whose pixels come from a function of the device-pixel position
// (global device pixels: the screen's frame origin times its scale, plus the
// position in the screen). Captures wait until the test answers them.
class FakeScreenSource : public ScreenSource {
public:
    QList<PickerScreen> screenList{PickerScreen{QRectF(0, 0, 800, 600), 1.0}};
    QPointF mouse{400, 300};
    std::function<QRgb(const PickerScreen &, int x, int y)> pixel = [](const PickerScreen &, int x, int y) {
        return qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256);
    };

    struct Request {
        PickerScreen screen;
        QRect region;
        CaptureDone done;
    };
    std::deque<Request> pending;
    QList<QRect> regions;

    // Set to report changes of watched regions, as a desktop with the X
    // Damage extension does.
    bool reports = false;
    QList<QRect> watched;
    mutable int pointerQueries = 0;

    QList<PickerScreen> screens() const override { return screenList; }
    QPointF pointer() const override
    {
        ++pointerQueries;
        return mouse;
    }
    bool reportsChanges() const override { return reports; }
    // Like a frozen frame that has not seen the pointer yet when false.
    bool knowsPointer() const override { return pointerKnown; }
    bool pointerKnown = true;
    void watch(const PickerScreen &, const QRect &region) override { watched.append(region); }
    void stopWatching() override { watched.clear(); }
    // Pixels under a watched region changed.
    void change()
    {
        if (changed)
            changed();
    }
    void capture(const PickerScreen &screen, const QRect &region, CaptureDone done) override
    {
        regions.append(region);
        pending.push_back({screen, region, std::move(done)});
    }

    // Answers the oldest capture with the screen's pixels, or with an error.
    bool respond(const QString &error = QString())
    {
        if (pending.empty())
            return false;
        Request request = std::move(pending.front());
        pending.pop_front();
        QImage image(request.region.size(), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, pixel(request.screen, request.region.x() + x, request.region.y() + y));
        request.done(error.isEmpty() ? image : QImage(), error);
        return true;
    }

    // The colour the pick should give for a logical position on a screen.
    RGBA colorAt(const PickerScreen &screen, const QPointF &position) const
    {
        const QRgb p = pixel(screen, int((position.x() - screen.frame.left()) * screen.scale + 1e-9),
                             int((position.y() - screen.frame.top()) * screen.scale + 1e-9));
        return RGBA{qRed(p) / 255.0, qGreen(p) / 255.0, qBlue(p) / 255.0, 1.0};
    }
};

class FakeOverlay : public PickerOverlay {
public:
    bool shown = false;
    int showCount = 0;
    std::optional<QString> refuse;
    QList<Magnifier> presented;
    QList<QPointF> panelPositions;
    QList<QRectF> holes;

    Result show(const QList<PickerScreen> &) override
    {
        if (refuse)
            return Result::failure(*refuse);
        shown = true;
        ++showCount;
        return {};
    }
    void hide() override { shown = false; }
    bool reportsMotion() const override { return motion; }
    bool motion = false;
    // The pointer moves to a logical position.
    void move(const QPointF &position)
    {
        if (input)
            input({PickerInput::Kind::Motion, 0, false, position});
    }
    void present(const Magnifier &magnifier, const QPointF &topLeft, const QRectF &hole) override
    {
        presented.append(magnifier);
        panelPositions.append(topLeft);
        holes.append(hole);
    }

    void click(bool left = true, bool shift = false)
    {
        if (input)
            input({left ? PickerInput::Kind::LeftClick : PickerInput::Kind::RightClick, 0, shift, {}});
    }
    void key(int key, bool shift = false)
    {
        if (input)
            input({PickerInput::Kind::Key, key, shift, {}});
    }
};

class FakeSampler : public DesktopSampler {
public:
    QList<Done> requests;
    void pickColor(Done done) override { requests.append(std::move(done)); }
};

class FakeAccess : public ScreenAccess {
public:
    bool allowed = true;
    bool grantedOnRequest = false;
    int requests = 0;
    int settingsOpened = 0;
    bool preflight() override { return allowed; }
    // Answered at once unless deferred; then the test answers through
    // answer().
    bool deferred = false;
    Granted pending;
    void request(Granted done) override
    {
        ++requests;
        if (deferred)
            pending = std::move(done);
        else
            done(grantedOnRequest);
    }
    void answer(bool granted) { std::exchange(pending, nullptr)(granted); }
    void openSettings() override { ++settingsOpened; }
};

class FakeAlerts : public Alerts {
public:
    int answer = -1;
    QStringList messages; // "message|informative|buttons"
    int ask(const QString &message, const QString &informative, const QStringList &buttons) override
    {
        messages.append(message + u'|' + informative + u'|' + buttons.join(u','));
        return answer;
    }
    void inform(const QString &message, const QString &informative) override
    {
        messages.append(message + u'|' + informative);
        // What happens while the alert is open, as its event loop would run it.
        if (whileOpen)
            std::exchange(whileOpen, nullptr)();
    }
    std::function<void()> whileOpen;
};

} // namespace pigmentry::test
