#include "portal_color_picker.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>
#include <QTimer>

#include <cmath>

namespace pigmentry {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");

// One PickColor request: listens for its Response, answers done once, and
// closes itself on a timeout.
class Request : public QObject {
    Q_OBJECT

public:
    Request(QDBusConnection bus, DesktopSampler::Done done, QObject *parent)
        : QObject(parent), bus(std::move(bus)), done(std::move(done))
    {
    }

    void listen(const QString &path)
    {
        if (path == listening)
            return;
        if (!listening.isEmpty())
            bus.disconnect(portalService, listening, QStringLiteral("org.freedesktop.portal.Request"),
                           QStringLiteral("Response"), this, SLOT(response(uint, QVariantMap)));
        listening = path;
        // QDBusConnection offers only the string form for signal slots.
        bus.connect(portalService, path, QStringLiteral("org.freedesktop.portal.Request"),
                    QStringLiteral("Response"), this, SLOT(response(uint, QVariantMap)));
    }

    void finish(DesktopSampler::Outcome outcome, const RGBA &color = {}, const QString &error = {})
    {
        if (!done)
            return;
        const DesktopSampler::Done answer = std::exchange(done, nullptr);
        answer(outcome, color, error);
        deleteLater();
    }

    void close()
    {
        if (!listening.isEmpty())
            bus.asyncCall(QDBusMessage::createMethodCall(portalService, listening,
                                                         QStringLiteral("org.freedesktop.portal.Request"),
                                                         QStringLiteral("Close")));
        finish(DesktopSampler::Outcome::Cancelled);
    }

public Q_SLOTS:
    // 0 success, 1 cancelled, 2 another failure: only success picks.
    void response(uint code, const QVariantMap &results)
    {
        if (code != 0 || !results.contains(QStringLiteral("color"))) {
            finish(DesktopSampler::Outcome::Cancelled);
            return;
        }
        // Anything but three finite numbers is no colour: nothing is picked,
        // as when the colour cannot be converted.
        const QVariant value = results.value(QStringLiteral("color"));
        if (value.userType() != qMetaTypeId<QDBusArgument>()) {
            finish(DesktopSampler::Outcome::Cancelled);
            return;
        }
        const QDBusArgument argument = value.value<QDBusArgument>();
        if (argument.currentSignature() != QLatin1String("(ddd)")) {
            finish(DesktopSampler::Outcome::Cancelled);
            return;
        }
        double r = 0, g = 0, b = 0;
        argument.beginStructure();
        argument >> r >> g >> b;
        argument.endStructure();
        if (!std::isfinite(r) || !std::isfinite(g) || !std::isfinite(b)) {
            finish(DesktopSampler::Outcome::Cancelled);
            return;
        }
        // Bytes, as every other pick gives; rounded, never truncated.
        auto byte = [](double c) { return std::round(std::clamp(c, 0.0, 1.0) * 255.0) / 255.0; };
        finish(DesktopSampler::Outcome::Picked, RGBA{byte(r), byte(g), byte(b), 1.0});
    }

private:
    QDBusConnection bus;
    DesktopSampler::Done done;
    QString listening;
};

} // namespace

PortalColorPicker::PortalColorPicker(QDBusConnection bus, QObject *parent) : QObject(parent), bus(std::move(bus)) {}

void PortalColorPicker::pickColor(Done done)
{
    auto *request = new Request(bus, std::move(done), this);
    if (!bus.isConnected()) {
        QTimer::singleShot(0, request, [request, error = bus.lastError().message()] {
            request->finish(Outcome::Unavailable, {}, error.isEmpty() ? QStringLiteral("no session bus") : error);
        });
        return;
    }

    const QString token = QStringLiteral("pigmentry%1").arg(QRandomGenerator::global()->generate());
    QString sender = bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    request->listen(portalPath + QLatin1String("/request/") + sender + u'/' + token);

    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath,
                                                       QStringLiteral("org.freedesktop.portal.Screenshot"),
                                                       QStringLiteral("PickColor"));
    call << parentWindow << QVariantMap{{QStringLiteral("handle_token"), token}};
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), request);
    connect(watcher, &QDBusPendingCallWatcher::finished, request, [request, watcher] {
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        watcher->deleteLater();
        if (reply.isError()) {
            request->finish(Outcome::Unavailable, {}, reply.error().message());
            return;
        }
        request->listen(reply.value().path());
    });
    QTimer::singleShot(timeoutMs, request, [request] { request->close(); });
}

} // namespace pigmentry

#include "portal_color_picker.moc"
