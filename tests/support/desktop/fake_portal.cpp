#include "fake_portal.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QTimer>

namespace pigmentry::test {

bool FakePortal::registerOnBus()
{
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName);
    return bus.isConnected() && bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"))
        && bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), this,
                              QDBusConnection::ExportAllSlots);
}

FakePortal::~FakePortal()
{
    QDBusConnection::disconnectFromBus(connectionName);
}

QDBusObjectPath FakePortal::PickColor(const QString &, const QVariantMap &options)
{
    QString sender = message().service().mid(1);
    sender.replace(u'.', u'_');
    const QString token = otherHandle ? QStringLiteral("chosen_by_portal") : options.value("handle_token").toString();
    const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    QDBusConnection bus(connectionName);
    bus.registerObject(path, new FakePortalRequest(this), QDBusConnection::ExportAllSlots);
    if (answer == Answer::Never)
        return QDBusObjectPath(path);

    // Answer after the reply, as a real portal does once the user has clicked.
    QTimer::singleShot(10, this, [this, path] {
        QDBusMessage signal =
            QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        QVariantMap results;
        uint code = 1;
        if (answer == Answer::Color) {
            QDBusArgument color;
            color.beginStructure();
            color << r << g << b;
            color.endStructure();
            results.insert(QStringLiteral("color"), QVariant::fromValue(color));
            code = 0;
        } else if (answer == Answer::Fail) {
            code = 2;
        } else if (answer == Answer::TwoNumbers) {
            QDBusArgument color;
            color.beginStructure();
            color << r << g;
            color.endStructure();
            results.insert(QStringLiteral("color"), QVariant::fromValue(color));
            code = 0;
        } else if (answer == Answer::Text) {
            results.insert(QStringLiteral("color"), QStringLiteral("red"));
            code = 0;
        }
        signal << code << results;
        QDBusConnection(connectionName).send(signal);
    });
    return QDBusObjectPath(path);
}

void FakePortalRequest::Close()
{
    ++portal->closed;
}

} // namespace pigmentry::test
