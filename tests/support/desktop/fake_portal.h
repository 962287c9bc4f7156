// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/portal/portal_hot_keys.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QImage>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

#include <functional>

namespace pigmentry::test {

class FakeGlobalShortcuts;

// org.freedesktop.portal.Desktop's Screenshot interface (PickColor and
// Screenshot) on a connection of its own, answering as the test tells it;
// with globalShortcuts set before registering, the GlobalShortcuts
// interface too.
class FakePortal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")

public:
    // TwoNumbers and Text succeed with a colour that is not (ddd).
    enum class Answer { Color, Cancel, Fail, Never, TwoNumbers, Text };
    Answer answer = Answer::Color;
    double r = 0.2, g = 0.4, b = 0.6;
    bool otherHandle = false; // answer on a request path of its own choosing
    int closed = 0;

    // Screenshot answers with this image, written as a PNG, unless
    // refuseScreenshot; every file it wrote is listed.
    QImage shot;
    // When set, asked for the image at each call instead.
    std::function<QImage()> takeShot;
    bool refuseScreenshot = false; // answered 2, as the portal does when screenshots are not allowed
    bool cancelScreenshot = false; // answered 1, as KDE's does when it cannot save the shot
    QStringList screenshotFiles;
    QVariantMap screenshotOptions;

    // Registers the service on a new connection to the session bus.
    bool registerOnBus();
    ~FakePortal() override;

    // A request object for the caller of a method call, answered with code
    // and results after the reply unless code is negative.
    QDBusObjectPath request(const QDBusMessage &call, const QVariantMap &options, int code, const QVariantMap &results);
    QDBusConnection connection() const { return QDBusConnection(connectionName_); }
    // The call being answered, also for its adaptors' methods: Qt keeps the
    // context on the object, not on the adaptor.
    QDBusMessage currentCall() const { return message(); }

public Q_SLOTS:
    QDBusObjectPath PickColor(const QString &parentWindow, const QVariantMap &options);
    QDBusObjectPath Screenshot(const QString &parentWindow, const QVariantMap &options);

private:
    friend class FakeGlobalShortcuts;
    QString connectionName_ = QStringLiteral("fake-portal");
    QTemporaryDir files_;
};

// GlobalShortcuts: sessions, listing and binding as a desktop answers them,
// and the Activated signal when the test presses the shortcut.
// An adaptor of the portal object, since one path holds both interfaces.
class FakeGlobalShortcuts : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")

public:
    // Before the portal registers; the portal exports it from then on.
    explicit FakeGlobalShortcuts(FakePortal &portal)
        : QDBusAbstractAdaptor(&portal)
        , portal_(portal)
    { }

    // What the desktop holds: shortcut id to trigger.
    QVariantMap bound;
    bool refuseBind = false;
    // As KDE Plasma 5.27 answers: the shortcuts passed to CreateSession are
    // bound, and BindShortcuts succeeds with an empty list, binding nothing.
    bool likePlasma = false;
    // CreateSession's answer code (0 success, 1 cancelled, 2 failed).
    int sessionAnswer = 0;
    QStringList sessionTokens;
    int lists = 0;
    QStringList boundTriggers; // every preferred trigger asked for, in order

    // The user presses the shortcut bound as id.
    void activate(const QString &id, const QVariantMap &options = {});
    // Another program's session has a shortcut of the same id pressed.
    void activateElsewhere(const QString &id, const QVariantMap &options = {});

public Q_SLOTS:
    QDBusObjectPath CreateSession(const QVariantMap &options);
    QDBusObjectPath ListShortcuts(const QDBusObjectPath &session, const QVariantMap &options);
    QDBusObjectPath BindShortcuts(const QDBusObjectPath &session, const QList<pigmentry::PortalShortcut> &shortcuts,
                                  const QString &parentWindow, const QVariantMap &options);

private:
    FakePortal &portal_;
    QString session_;
};

// The request object, for Close().
class FakePortalRequest : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")

public:
    explicit FakePortalRequest(FakePortal *portal)
        : QObject(portal)
        , portal_(portal)
    { }

public Q_SLOTS:
    void Close();

private:
    FakePortal *portal_;
};

} // namespace pigmentry::test
