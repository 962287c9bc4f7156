// SPDX-License-Identifier: GPL-3.0-or-later
#include "portal_hot_keys.h"

#include "portal_request.h"

#include "shortcut/key_symbols.h"

#include <QCoreApplication>
#include <QDBusMetaType>

#include <algorithm>

namespace pigmentry {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

} // namespace

QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

void registerPortalShortcutTypes()
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<PortalShortcuts>();
}

QString portalTrigger(quint32 key, quint32 modifiers)
{
    const QString name = keysymName(key);
    if (name.isEmpty())
        return QString();
    QStringList parts;
    if (modifiers & 0x100)
        parts << QStringLiteral("LOGO");
    if (modifiers & 0x1000)
        parts << QStringLiteral("CTRL");
    if (modifiers & 0x800)
        parts << QStringLiteral("ALT");
    if (modifiers & 0x200)
        parts << QStringLiteral("SHIFT");
    parts << name;
    return parts.join(u'+');
}

PortalHotKeys::PortalHotKeys(QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , bus_(std::move(bus))
{
    registerPortalShortcutTypes();
}

int PortalHotKeys::registerHotKey(quint32 key, quint32 modifiers, quint32 *handle)
{
    const QString trigger = portalTrigger(key, modifiers);
    if (trigger.isEmpty())
        return NoSuchKey;
    if (session_ == Session::Failed)
        return NoService;
    const quint32 id = nextHandle_++;
    registrations_[id] = trigger;
    wanted_ = trigger;
    if (handle)
        *handle = id;
    // Held already: the desktop said so before.
    if (session_ == Session::Open && !busy_ && bound_ == trigger)
        return 0;
    sync();
    return Pending;
}

void PortalHotKeys::unregisterHotKey(quint32 handle)
{
    // The desktop keeps the binding: there is no unbinding in the portal,
    // and the user's choice there should survive. Without a registration
    // its activations are ignored.
    registrations_.erase(handle);
    if (!registrations_.empty())
        wanted_ = registrations_.rbegin()->second;
}

void PortalHotKeys::activated(const QDBusObjectPath &sessionPath, const QString &id, qulonglong,
                              const QVariantMap &options)
{
    // The signal goes to every program on the bus: only our own session's
    // shortcut picks.
    if (sessionHandle_.isEmpty() || sessionPath.path() != sessionHandle_)
        return;
    if (id != shortcutId || registrations_.empty() || !pressed)
        return;
    // The press came from the desktop, not from a window of ours: without
    // its token a desktop that prevents focus stealing would not give the
    // pick's windows the keyboard. Qt's Wayland windows take the token from
    // the environment when they are made.
    const QString token = options.value(QStringLiteral("activation_token")).toString();
    if (!token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    pressed(registrations_.rbegin()->first);
}

void PortalHotKeys::fail(int status)
{
    std::vector<quint32> handles;
    for (const auto &registration : registrations_)
        handles.push_back(registration.first);
    for (const quint32 handle : handles) {
        if (lost)
            lost(handle, status);
    }
}

void PortalHotKeys::confirm()
{
    std::vector<quint32> handles;
    for (const auto &registration : registrations_) {
        if (registration.second == bound_)
            handles.push_back(registration.first);
    }
    for (const quint32 handle : handles) {
        if (confirmed)
            confirmed(handle);
    }
}

PortalShortcuts PortalHotKeys::wantedShortcuts() const
{
    return {{shortcutId,
             {{QStringLiteral("description"), tr("Pick Color")}, {QStringLiteral("preferred_trigger"), wanted_}}}};
}

bool PortalHotKeys::lists(const PortalResponse &response)
{
    PortalShortcuts shortcuts;
    const QVariant value = response.results.value(QStringLiteral("shortcuts"));
    if (value.userType() == qMetaTypeId<QDBusArgument>())
        value.value<QDBusArgument>() >> shortcuts;
    else if (value.userType() == qMetaTypeId<PortalShortcuts>())
        shortcuts = value.value<PortalShortcuts>();
    return std::any_of(shortcuts.cbegin(), shortcuts.cend(),
                       [](const PortalShortcut &shortcut) { return shortcut.id == shortcutId; });
}

void PortalHotKeys::sync()
{
    if (busy_ || registrations_.empty())
        return;
    if (session_ == Session::None) {
        busy_ = true;
        session_ = Session::Creating;
        // The shortcuts go with the session too: some desktops (KDE Plasma
        // 5.27) bind only those, and answer a later bind without binding.
        const QVariantMap options{{QStringLiteral("session_handle_token"), sessionToken},
                                  {QStringLiteral("shortcuts"), QVariant::fromValue(wantedShortcuts())}};
        callPortal(bus_, shortcutsInterface, QStringLiteral("CreateSession"), {options}, timeoutMs, this,
                   [this](const PortalResponse &response) {
                       busy_ = false;
                       // The handle is a string in the portal's answer, an
                       // object path in some versions.
                       const QVariant value = response.results.value(QStringLiteral("session_handle"));
                       sessionHandle_ = value.userType() == qMetaTypeId<QDBusObjectPath>()
                           ? value.value<QDBusObjectPath>().path()
                           : value.toString();
                       if (response.status != PortalResponse::Status::Success || sessionHandle_.isEmpty()) {
                           const QString why = response.status == PortalResponse::Status::Success
                               ? QStringLiteral("the desktop's answer holds no session")
                               : response.describe();
                           qInfo("No global shortcut session: %s", qPrintable(why));
                           sessionHandle_.clear();
                           const bool absent = response.status == PortalResponse::Status::Unreachable;
                           session_ = absent ? Session::Failed : Session::None;
                           fail(absent ? NoService : Refused);
                           return;
                       }
                       session_ = Session::Open;
                       // QDBusConnection offers only the string form for signal slots.
                       bus_.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Activated"), this,
                                    SLOT(activated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
                       busy_ = true;
                       callPortal(bus_, shortcutsInterface, QStringLiteral("ListShortcuts"),
                                  {QVariant::fromValue(QDBusObjectPath(sessionHandle_)), QVariantMap()}, timeoutMs,
                                  this, [this](const PortalResponse &listing) {
                                      busy_ = false;
                                      listed(listing.status == PortalResponse::Status::Success && lists(listing));
                                  });
                   });
        return;
    }
    if (session_ == Session::Open && wanted_ != bound_)
        bind();
}

void PortalHotKeys::listed(bool holdsOurs)
{
    // A binding the desktop already holds is the user's, perhaps changed
    // in the desktop's own settings: it stays as it is.
    if (holdsOurs) {
        bound_ = wanted_;
        confirm();
    }
    sync();
}

void PortalHotKeys::bind()
{
    busy_ = true;
    const QString trigger = wanted_;
    callPortal(bus_, shortcutsInterface, QStringLiteral("BindShortcuts"),
               {QVariant::fromValue(QDBusObjectPath(sessionHandle_)), QVariant::fromValue(wantedShortcuts()), QString(),
                QVariantMap()},
               timeoutMs, this, [this, trigger](const PortalResponse &response) {
                   busy_ = false;
                   // Success alone is no binding: the answer must list it.
                   const bool success = response.status == PortalResponse::Status::Success;
                   if (success && lists(response)) {
                       bound_ = trigger;
                       confirm();
                       sync();
                       return;
                   }
                   qInfo("The desktop did not bind the shortcut: %s",
                         success ? "its answer does not list it" : qPrintable(response.describe()));
                   // Turned down: the next registration tries again.
                   bound_.clear();
                   if (wanted_ != trigger)
                       sync();
                   else if (success)
                       fail(NotBound);
                   else
                       fail(response.status == PortalResponse::Status::Unreachable ? NoService : Refused);
               });
}

} // namespace pigmentry
