// SPDX-License-Identifier: GPL-3.0-or-later
#include "shortcut_configuration.h"

#include "model/library/preferences.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTextBoundaryFinder>

#include <cmath>

namespace pigmentry {

namespace {

const QString preferenceKey = QStringLiteral("pickerShortcut");

} // namespace

bool isModifierOrLockKey(quint32 key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Mode_switch: return true;
    default: return false;
    }
}

namespace {

qsizetype graphemeCount(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

// A JSON number that is a whole number and fits an unsigned 32-bit value.
std::optional<quint32> unsigned32(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (!(d >= 0.0 && d <= 4294967295.0) || std::trunc(d) != d)
        return std::nullopt;
    return quint32(d);
}

} // namespace

ShortcutConfiguration ShortcutConfiguration::defaultConfiguration()
{
    return {quint32(Qt::Key_P), Shift | Super, QStringLiteral("P")};
}

bool ShortcutConfiguration::isValid() const
{
    if (keyCode == 0 || keyCode == quint32(Qt::Key_unknown) || isModifierOrLockKey(keyCode))
        return false;
    if ((modifiers & ~AllModifiers) != 0 || (modifiers & (Super | Alt | Ctrl)) == 0)
        return false;
    const qsizetype length = graphemeCount(keyLabel);
    return length >= 1 && length <= 20;
}

QString ShortcutConfiguration::display() const
{
    QString text;
    if (modifiers & Ctrl)
        text += QLatin1String("Ctrl+");
    if (modifiers & Alt)
        text += QLatin1String("Alt+");
    if (modifiers & Shift)
        text += QLatin1String("Shift+");
    if (modifiers & Super)
        text += QLatin1String("Super+");
    return text + keyLabel;
}

QByteArray ShortcutConfiguration::toJson() const
{
    const QJsonObject object{
        {QStringLiteral("keyCode"), qint64(keyCode)},
        {QStringLiteral("modifiers"), qint64(modifiers)},
        {QStringLiteral("keyLabel"), keyLabel},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<ShortcutConfiguration> ShortcutConfiguration::fromJson(const QByteArray &json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const auto keyCode = unsigned32(object.value(QLatin1String("keyCode")));
    const auto modifiers = unsigned32(object.value(QLatin1String("modifiers")));
    const QJsonValue label = object.value(QLatin1String("keyLabel"));
    if (!keyCode || !modifiers || !label.isString())
        return std::nullopt;
    return ShortcutConfiguration{*keyCode, *modifiers, label.toString()};
}

void ShortcutConfiguration::save(Preferences &prefs) const
{
    prefs.setData(preferenceKey, toJson());
}

ShortcutConfiguration ShortcutConfiguration::load(const Preferences &prefs)
{
    const std::optional<QByteArray> data = prefs.data(preferenceKey);
    if (!data)
        return defaultConfiguration();
    const std::optional<ShortcutConfiguration> stored = fromJson(*data);
    if (!stored || !stored->isValid())
        return defaultConfiguration();
    return *stored;
}

} // namespace pigmentry
