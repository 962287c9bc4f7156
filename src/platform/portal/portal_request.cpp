// SPDX-License-Identifier: GPL-3.0-or-later
#include "portal_request.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>
#include <QTimer>

namespace pigmentry {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

// One request in flight: listens for its Response, answers once, and closes
// itself on a timeout.
class Request : public QObject {
    Q_OBJECT

public:
    Request(QDBusConnection bus, std::function<void(const PortalResponse &)> done, QObject *parent)
        : QObject(parent)
        , bus_(std::move(bus))
        , done_(std::move(done))
    { }

    void listen(const QString &path)
    {
        if (path == listening_)
            return;
        if (!listening_.isEmpty())
            bus_.disconnect(portalService, listening_, requestInterface, QStringLiteral("Response"), this,
                            SLOT(response(uint, QVariantMap)));
        listening_ = path;
        // QDBusConnection offers only the string form for signal slots.
        bus_.connect(portalService, path, requestInterface, QStringLiteral("Response"), this,
                     SLOT(response(uint, QVariantMap)));
    }

    void finish(PortalResponse::Status status, const QVariantMap &results = {}, const QString &error = {})
    {
        if (!done_)
            return;
        const auto answer = std::exchange(done_, nullptr);
        answer(PortalResponse{status, results, error});
        deleteLater();
    }

    void close()
    {
        if (!listening_.isEmpty())
            bus_.asyncCall(
                QDBusMessage::createMethodCall(portalService, listening_, requestInterface, QStringLiteral("Close")));
        finish(PortalResponse::Status::Cancelled, {}, QStringLiteral("the desktop did not answer in time"));
    }

public Q_SLOTS:
    void response(uint code, const QVariantMap &results)
    {
        finish(code == 0       ? PortalResponse::Status::Success
                   : code == 1 ? PortalResponse::Status::Cancelled
                               : PortalResponse::Status::Failed,
               results);
    }

private:
    QDBusConnection bus_;
    std::function<void(const PortalResponse &)> done_;
    QString listening_;
};

} // namespace

QString PortalResponse::describe() const
{
    if (!error.isEmpty())
        return error;
    switch (status) {
    case Status::Success: return QStringLiteral("the desktop answered that it succeeded");
    case Status::Cancelled: return QStringLiteral("the desktop answered that the request was cancelled");
    case Status::Failed: return QStringLiteral("the desktop answered that the request failed");
    case Status::Unreachable: return QStringLiteral("no desktop portal answered");
    }
    return QString();
}

QString portalToken()
{
    return QStringLiteral("pigmentry%1").arg(QRandomGenerator::global()->generate());
}

void callPortal(const QDBusConnection &bus, const QString &interface, const QString &method, QVariantList arguments,
                int timeoutMs, QObject *context, std::function<void(const PortalResponse &)> done)
{
    auto *request = new Request(bus, std::move(done), context);
    if (!bus.isConnected()) {
        QTimer::singleShot(0, request, [request, error = bus.lastError().message()] {
            request->finish(PortalResponse::Status::Unreachable, {},
                            error.isEmpty() ? QStringLiteral("no session bus") : error);
        });
        return;
    }

    const QString token = portalToken();
    QString sender = bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    request->listen(portalPath + QLatin1String("/request/") + sender + u'/' + token);

    QVariantMap options = arguments.isEmpty() ? QVariantMap() : arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments.append(options);
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, interface, method);
    call.setArguments(arguments);
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), request);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, request, [request, watcher] {
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        watcher->deleteLater();
        if (reply.isError()) {
            request->finish(PortalResponse::Status::Unreachable, {}, reply.error().message());
            return;
        }
        request->listen(reply.value().path());
    });
    QTimer::singleShot(timeoutMs, request, [request] { request->close(); });
}

} // namespace pigmentry

#include "portal_request.moc"
