// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shortcut/hot_key_service.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QVariantMap>

#include <map>

namespace pigmentry {

struct PortalResponse;

// One entry of the GlobalShortcuts portal's a(sa{sv}) lists.
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};
using PortalShortcuts = QList<PortalShortcut>;
QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut);
const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut);
// Registers the types with Qt D-Bus; safe to call more than once.
void registerPortalShortcutTypes();

// The trigger the portal expects for a combination ("LOGO+SHIFT+p" for
// Shift+Super+P): modifier names, then the key's XKB keysym name. Empty for
// a key that has no such name.
QString portalTrigger(quint32 key, quint32 modifiers);

// Hot keys through the org.freedesktop.portal.GlobalShortcuts portal, the way
// in on Wayland. The portal answers later, so a registration is accepted at
// once and the binding follows: one session with a fixed token, so that the
// desktop finds the user's binding again; the existing shortcuts listed
// before binding, because some desktops show a dialog at every bind; and a
// bind only for a combination the desktop does not hold yet. A registration
// is Pending until the desktop's answer lists the shortcut (confirmed()); a
// desktop without the portal, one that refuses, or one whose answer leaves
// it out is reported through lost(). Only our own session's activations
// pick.
class PortalHotKeys : public QObject, public HotKeyService {
    Q_OBJECT

public:
    explicit PortalHotKeys(QDBusConnection bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);

    int registerHotKey(quint32 key, quint32 modifiers, quint32 *handle) override;
    void unregisterHotKey(quint32 handle) override;

    static inline const QString shortcutId = QStringLiteral("pick");
    static inline const QString sessionToken = QStringLiteral("pigmentry");
    int timeoutMs = 120000;

private Q_SLOTS:
    void activated(const QDBusObjectPath &session, const QString &id, qulonglong timestamp, const QVariantMap &options);

private:
    // Brings the desktop's binding to the latest registration's trigger.
    void sync();
    void listed(bool holdsOurs);
    void bind();
    // Every registration learns that its combination does not work.
    void fail(int status);
    // Every registration of the bound trigger learns that it works.
    void confirm();
    PortalShortcuts wantedShortcuts() const;
    // Whether an answer's "shortcuts" names ours.
    static bool lists(const PortalResponse &response);

    QDBusConnection bus_;
    enum class Session { None, Creating, Open, Failed };
    Session session_ = Session::None;
    QString sessionHandle_;
    bool busy_ = false;
    // Registrations by handle, with their triggers; the latest one decides.
    std::map<quint32, QString> registrations_;
    quint32 nextHandle_ = 1;
    QString wanted_;
    QString bound_; // the trigger the desktop holds for us, as far as known
};

} // namespace pigmentry

Q_DECLARE_METATYPE(pigmentry::PortalShortcut)
