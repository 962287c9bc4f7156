// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/library/preferences.h"

#include <QVariant>

#include <algorithm>
#include <cmath>

namespace pigmentry {

Preferences::Preferences()
    : ownSettings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                               QStringLiteral("Pigmentry"), QStringLiteral("Pigmentry")))
    , settings_(ownSettings_.get())
{ }

Preferences::Preferences(QSettings *settings)
    : settings_(settings)
{ }

Preferences::~Preferences() = default;

QVariant Preferences::read(const QString &key) const
{
    // Another process (a second pigmentry, a hand edit) may have written
    // the file since the last read: sync() reloads it when it changed.
    settings_->sync();
    return settings_->value(key);
}

std::optional<bool> Preferences::boolean(const QString &key) const
{
    const QVariant v = read(key);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        if (s == QLatin1String("true"))
            return true;
        if (s == QLatin1String("false"))
            return false;
    }
    return std::nullopt;
}

namespace {

// The whole part of x, within what an integer holds; nothing for what is
// not a number.
std::optional<qint64> wholePart(double x)
{
    if (!std::isfinite(x))
        return std::nullopt;
    return qint64(std::clamp(std::trunc(x), -9.2e18, 9.2e18));
}

} // namespace

std::optional<qint64> Preferences::integer(const QString &key) const
{
    const QVariant v = read(key);
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: return v.toLongLong();
    case QMetaType::Double: return wholePart(v.toDouble());
    case QMetaType::QString: {
        // A hand edit may give a fraction ("3.7"): a number reads as its
        // whole part, as a typed one does.
        const QString text = v.toString().trimmed();
        bool ok = false;
        if (const qint64 n = text.toLongLong(&ok); ok)
            return n;
        if (const double x = text.toDouble(&ok); ok)
            return wholePart(x);
        return std::nullopt;
    }
    default: return std::nullopt;
    }
}

std::optional<QString> Preferences::text(const QString &key) const
{
    const QVariant v = read(key);
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    return std::nullopt;
}

std::optional<QByteArray> Preferences::data(const QString &key) const
{
    const QVariant v = read(key);
    if (v.typeId() == QMetaType::QByteArray)
        return v.toByteArray();
    return std::nullopt;
}

void Preferences::setBoolean(const QString &key, bool value)
{
    settings_->setValue(key, value);
    settings_->sync();
    Q_EMIT changes_.changed(key);
}

void Preferences::setInteger(const QString &key, qint64 value)
{
    settings_->setValue(key, value);
    settings_->sync();
    Q_EMIT changes_.changed(key);
}

void Preferences::setText(const QString &key, const QString &value)
{
    settings_->setValue(key, value);
    settings_->sync();
    Q_EMIT changes_.changed(key);
}

void Preferences::setData(const QString &key, const QByteArray &value)
{
    settings_->setValue(key, value);
    settings_->sync();
    Q_EMIT changes_.changed(key);
}

void Preferences::remove(const QString &key)
{
    settings_->remove(key);
    settings_->sync();
    Q_EMIT changes_.changed(key);
}

int Preferences::sampleSize() const
{
    const qint64 side = value(preference::sampleSize);
    return isSampleSize(side) ? int(side) : 1;
}

} // namespace pigmentry
