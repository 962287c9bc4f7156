#pragma once

#include <QByteArray>
#include <QObject>
#include <QSettings>
#include <QString>

#include <optional>

namespace pigmentry {

// Tells a view that a key was written through Preferences, so that what
// shows a preference follows a change made elsewhere at once.
class PreferenceChanges : public QObject {
    Q_OBJECT

Q_SIGNALS:
    void changed(const QString &key);
};

// Typed reads and writes of the user's preferences, read afresh from the file
// at every call and written to it at once.
// A stored value that is not of the key's type reads as absent. QSettings'
// native format on Linux keeps booleans and integers as text, so "true" and
// "false" count as booleans and decimal integers as integers.
class Preferences {
public:
    // The user's own store: ~/.config/Pigmentry/Pigmentry.conf.
    Preferences();
    // Any store, for instance a file in a temporary folder.
    explicit Preferences(QSettings *settings);
    Preferences(const Preferences &) = delete;
    Preferences &operator=(const Preferences &) = delete;
    ~Preferences();

    std::optional<bool> boolean(const QString &key) const;
    std::optional<qint64> integer(const QString &key) const;
    std::optional<QString> text(const QString &key) const;
    std::optional<QByteArray> data(const QString &key) const;

    void setBoolean(const QString &key, bool value);
    void setInteger(const QString &key, qint64 value);
    void setText(const QString &key, const QString &value);
    void setData(const QString &key, const QByteArray &value);
    void remove(const QString &key);

    // The program's keys with their defaults.
    bool showDock() const { return boolean(QStringLiteral("showDock")).value_or(false); }
    bool openAtLaunch() const { return boolean(QStringLiteral("openAtLaunch")).value_or(false); }
    bool useNativePicker() const { return boolean(QStringLiteral("useNativePicker")).value_or(false); }
    bool autoCopy() const { return boolean(QStringLiteral("autoCopy")).value_or(true); }
    // A desktop notification after a pick made with no window of ours showing.
    bool notifyAfterPick() const { return boolean(QStringLiteral("notifyAfterPick")).value_or(true); }
    // The raw stored limit: absent or not a number reads as 0.
    qint64 historyLimit() const { return integer(QStringLiteral("historyLimit")).value_or(0); }
    QString format() const { return text(QStringLiteral("format")).value_or(QStringLiteral("HEX")); }

    QSettings &settings() const { return *settings_; }
    // Every write and removal through this object is announced here.
    PreferenceChanges &changes() { return changes_; }

private:
    QVariant read(const QString &key) const;

    QSettings *settings_;
    bool owned_;
    PreferenceChanges changes_;
};

} // namespace pigmentry
