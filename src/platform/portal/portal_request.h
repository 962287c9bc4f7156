// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

namespace pigmentry {

// The answer to one portal request. Success, Cancelled and Failed are the
// portal's own response codes 0, 1 and 2; Unreachable means that no portal
// took the call at all (no bus, no service, no such method), with the bus's
// message in error.
struct PortalResponse {
    enum class Status { Success, Cancelled, Failed, Unreachable };
    Status status = Status::Failed;
    QVariantMap results;
    QString error;

    // What went wrong, for a log or a reason shown to people: the bus's
    // message, or what the desktop's answer says when it gave none.
    QString describe() const;
};

// Calls a method of org.freedesktop.portal.Desktop whose last argument is
// the options map and whose answer comes as a Response signal on a request
// object. The request's path is derived from a handle_token added to the
// options, so that the subscription exists before the call and a fast answer
// is not lost; a different path returned by the portal is followed. done runs
// later on the GUI thread, exactly once; after timeoutMs the request is
// closed and answers Cancelled. context ends the request early when deleted.
void callPortal(const QDBusConnection &bus, const QString &interface, const QString &method, QVariantList arguments,
                int timeoutMs, QObject *context, std::function<void(const PortalResponse &)> done);

// A token for handle_token and session_handle_token: letters, digits and
// underscores only.
QString portalToken();

} // namespace pigmentry
