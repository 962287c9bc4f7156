// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QSettings>
#include <QString>

#include <memory>
#include <optional>

namespace pigmentry {

// Tells a view that a key was written through Preferences, so that what
// shows a preference follows a change made elsewhere at once.
class PreferenceChanges : public QObject {
    Q_OBJECT

Q_SIGNALS:
    void changed(const QString &key);
};

// A preference of the program: its key in the file, and the value it has
// while none of its type is stored.
template <typename T>
struct Preference {
    const char *key;
    T fallback;
    QString name() const { return QLatin1String(key); }
};

// The program's preferences, each with its default.
namespace preference {
inline constexpr Preference<bool> showDock{"showDock", false};
inline constexpr Preference<bool> openAtLaunch{"openAtLaunch", false};
inline constexpr Preference<bool> useNativePicker{"useNativePicker", false};
inline constexpr Preference<bool> autoCopy{"autoCopy", true};
// A desktop notification after a pick made with no window of ours showing.
inline constexpr Preference<bool> notifyAfterPick{"notifyAfterPick", true};
// The first start's word on where Pigmentry went has been said.
inline constexpr Preference<bool> welcomed{"welcomed", false};
// The raw stored limit: absent or not a number reads as 0.
inline constexpr Preference<qint64> historyLimit{"historyLimit", 0};
// The default format's name.
inline constexpr Preference<const char *> format{"format", "HEX"};
// The side of the square of device pixels a pick averages: 1, 3, 5 or 11.
inline constexpr Preference<qint64> sampleSize{"sampleSize", 1};
} // namespace preference

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

    // The program's preferences, as stored or by default.
    bool value(const Preference<bool> &preference) const
    {
        return boolean(preference.name()).value_or(preference.fallback);
    }
    qint64 value(const Preference<qint64> &preference) const
    {
        return integer(preference.name()).value_or(preference.fallback);
    }
    QString value(const Preference<const char *> &preference) const
    {
        return text(preference.name()).value_or(QLatin1String(preference.fallback));
    }
    void set(const Preference<bool> &preference, bool value) { setBoolean(preference.name(), value); }
    void set(const Preference<qint64> &preference, qint64 value) { setInteger(preference.name(), value); }
    void set(const Preference<const char *> &preference, const QString &value) { setText(preference.name(), value); }

    bool showDock() const { return value(preference::showDock); }
    bool openAtLaunch() const { return value(preference::openAtLaunch); }
    bool useNativePicker() const { return value(preference::useNativePicker); }
    bool autoCopy() const { return value(preference::autoCopy); }
    bool notifyAfterPick() const { return value(preference::notifyAfterPick); }
    qint64 historyLimit() const { return value(preference::historyLimit); }
    QString format() const { return value(preference::format); }
    // The stored sample size, or 1 where it is not one of the sizes offered.
    int sampleSize() const;
    static bool isSampleSize(qint64 side) { return side == 1 || side == 3 || side == 5 || side == 11; }

    QSettings &settings() const { return *settings_; }
    // Every write and removal through this object is announced here.
    PreferenceChanges &changes() { return changes_; }

private:
    QVariant read(const QString &key) const;

    // Ours when made here; a test's otherwise, which it frees.
    std::unique_ptr<QSettings> ownSettings_;
    QSettings *settings_;
    PreferenceChanges changes_;
};

} // namespace pigmentry
