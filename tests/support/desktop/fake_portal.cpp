// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_portal.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QTimer>
#include <QUrl>

namespace pigmentry::test {

const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");

bool FakePortal::registerOnBus()
{
    registerPortalShortcutTypes();
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_);
    if (!bus.isConnected()
        || !bus.registerObject(portalPath, this, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAdaptors))
        return false;
    // The name last, once every interface answers.
    return bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
}

namespace {

// The caller's unique name as request and session paths spell it.
QString senderPart(const QDBusMessage &call)
{
    QString sender = call.service().mid(1);
    sender.replace(u'.', u'_');
    return sender;
}

} // namespace

QDBusObjectPath FakePortal::request(const QDBusMessage &call, const QVariantMap &options, int code,
                                    const QVariantMap &results)
{
    const QString path =
        QStringLiteral("%1/request/%2/%3").arg(portalPath, senderPart(call), options.value("handle_token").toString());
    connection().registerObject(path, new FakePortalRequest(this), QDBusConnection::ExportAllSlots);
    if (code >= 0) {
        QTimer::singleShot(10, this, [this, path, code, results] {
            QDBusMessage signal = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"),
                                                             QStringLiteral("Response"));
            signal << uint(code) << results;
            connection().send(signal);
        });
    }
    return QDBusObjectPath(path);
}

QDBusObjectPath FakePortal::Screenshot(const QString &, const QVariantMap &options)
{
    screenshotOptions = options;
    if (takeShot)
        shot = takeShot();
    if (cancelScreenshot)
        return request(message(), options, 1, {});
    if (refuseScreenshot || shot.isNull())
        return request(message(), options, 2, {});
    const QString file = files_.filePath(QStringLiteral("shot-%1.png").arg(screenshotFiles.size()));
    shot.save(file);
    screenshotFiles.append(file);
    return request(message(), options, 0, {{QStringLiteral("uri"), QUrl::fromLocalFile(file).toString()}});
}

FakePortal::~FakePortal()
{
    QDBusConnection::disconnectFromBus(connectionName_);
}

QDBusObjectPath FakePortal::PickColor(const QString &, const QVariantMap &options)
{
    QString sender = message().service().mid(1);
    sender.replace(u'.', u'_');
    const QString token = otherHandle ? QStringLiteral("chosen_by_portal") : options.value("handle_token").toString();
    const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    QDBusConnection bus(connectionName_);
    bus.registerObject(path, new FakePortalRequest(this), QDBusConnection::ExportAllSlots);
    if (answer == Answer::Never)
        return QDBusObjectPath(path);

    // Answer after the reply, as a real portal does once the user has clicked.
    QTimer::singleShot(10, this, [this, path] {
        QDBusMessage signal = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"),
                                                         QStringLiteral("Response"));
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
        QDBusConnection(connectionName_).send(signal);
    });
    return QDBusObjectPath(path);
}

QDBusObjectPath FakeGlobalShortcuts::CreateSession(const QVariantMap &options)
{
    const QString token = options.value(QStringLiteral("session_handle_token")).toString();
    sessionTokens.append(token);
    session_ = QStringLiteral("%1/session/%2/%3").arg(portalPath, senderPart(portal_.currentCall()), token);
    if (likePlasma) {
        PortalShortcuts shortcuts;
        const QVariant value = options.value(QStringLiteral("shortcuts"));
        if (value.userType() == qMetaTypeId<QDBusArgument>())
            value.value<QDBusArgument>() >> shortcuts;
        for (const PortalShortcut &shortcut : std::as_const(shortcuts))
            bound.insert(shortcut.id, shortcut.properties.value(QStringLiteral("preferred_trigger")));
    }
    if (sessionAnswer != 0)
        return portal_.request(portal_.currentCall(), options, sessionAnswer, {});
    // The handle comes as a string, as the portal sends it.
    return portal_.request(portal_.currentCall(), options, 0, {{QStringLiteral("session_handle"), session_}});
}

QDBusObjectPath FakeGlobalShortcuts::ListShortcuts(const QDBusObjectPath &, const QVariantMap &options)
{
    ++lists;
    PortalShortcuts shortcuts;
    for (auto it = bound.cbegin(); it != bound.cend(); ++it)
        shortcuts.append({it.key(), {{QStringLiteral("trigger_description"), it.value()}}});
    return portal_.request(portal_.currentCall(), options, 0,
                           {{QStringLiteral("shortcuts"), QVariant::fromValue(shortcuts)}});
}

QDBusObjectPath FakeGlobalShortcuts::BindShortcuts(const QDBusObjectPath &, const QList<PortalShortcut> &shortcuts,
                                                   const QString &, const QVariantMap &options)
{
    for (const PortalShortcut &shortcut : shortcuts) {
        const QString trigger = shortcut.properties.value(QStringLiteral("preferred_trigger")).toString();
        boundTriggers.append(trigger);
        if (!refuseBind && !likePlasma)
            bound.insert(shortcut.id, trigger);
    }
    return portal_.request(
        portal_.currentCall(), options, refuseBind ? 1 : 0,
        {{QStringLiteral("shortcuts"), QVariant::fromValue(likePlasma ? PortalShortcuts() : shortcuts)}});
}

void FakeGlobalShortcuts::activate(const QString &id, const QVariantMap &options)
{
    QDBusMessage signal = QDBusMessage::createSignal(
        portalPath, QStringLiteral("org.freedesktop.portal.GlobalShortcuts"), QStringLiteral("Activated"));
    signal << QVariant::fromValue(QDBusObjectPath(session_)) << id << qulonglong(0) << options;
    portal_.connection().send(signal);
}

void FakeGlobalShortcuts::activateElsewhere(const QString &id, const QVariantMap &options)
{
    QDBusMessage signal = QDBusMessage::createSignal(
        portalPath, QStringLiteral("org.freedesktop.portal.GlobalShortcuts"), QStringLiteral("Activated"));
    signal << QVariant::fromValue(QDBusObjectPath(portalPath + QLatin1String("/session/1_99/other"))) << id
           << qulonglong(0) << options;
    portal_.connection().send(signal);
}

void FakePortalRequest::Close()
{
    ++portal_->closed;
}

} // namespace pigmentry::test
