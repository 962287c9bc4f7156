#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>

namespace pigmentry::test {

// org.freedesktop.portal.Desktop's Screenshot.PickColor on a connection of
// its own, answering as the test tells it.
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

    // Registers the service on a new connection to the session bus.
    bool registerOnBus();
    ~FakePortal() override;

public Q_SLOTS:
    QDBusObjectPath PickColor(const QString &parentWindow, const QVariantMap &options);

private:
    QString connectionName = QStringLiteral("fake-portal");
};

// The request object, for Close().
class FakePortalRequest : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")

public:
    explicit FakePortalRequest(FakePortal *portal) : QObject(portal), portal(portal) {}

public Q_SLOTS:
    void Close();

private:
    FakePortal *portal;
};

} // namespace pigmentry::test
