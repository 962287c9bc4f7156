// SPDX-License-Identifier: GPL-3.0-or-later
// The library as Qt's own JSON writer puts it: the yardstick for the library's
// hand-written writer, in the unit test and in the fuzz target.
#pragma once

#include "model/library/library.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <bit>

namespace pigmentry::reference {

inline QJsonObject colorJson(const RGBA &c)
{
    return {{"r", c.r}, {"g", c.g}, {"b", c.b}, {"a", c.a}};
}

inline QJsonObject paletteJson(const Palette &p)
{
    QJsonArray colors;
    for (const RGBA &c : p.colors)
        colors.append(colorJson(c));
    QJsonObject object{{"id", uuidText(p.id)}, {"name", p.name}, {"colors", colors}, {"notes", p.notes}};
    if (p.hasColorNames()) {
        QJsonArray names;
        for (qsizetype i = 0; i < p.colors.size(); ++i)
            names.append(p.colorName(i));
        object.insert("colorNames", names);
    }
    return object;
}

inline QByteArray libraryJson(const Library &library)
{
    QJsonArray history;
    for (const ColorRecord &r : library.history)
        history.append(QJsonObject{{"id", uuidText(r.id)},
                                   {"color", colorJson(r.color)},
                                   {"date", r.date},
                                   {"label", r.label},
                                   {"favorite", r.favorite},
                                   {"colorSpace", r.colorSpace}});
    QJsonArray palettes;
    for (const Palette &p : library.palettes)
        palettes.append(paletteJson(p));
    return QJsonDocument(QJsonObject{{"history", history}, {"palettes", palettes}}).toJson(QJsonDocument::Compact);
}

// Every number as the double it stands for. Qt's reader keeps a whole
// number as a 64-bit integer, and Qt's writer puts a whole double past 2^53
// down in its shortest digits ("818000000817998800" for 818000000817998848):
// both texts stand for the same double, as different integers.
inline QJsonValue numbersAsDoubles(const QJsonValue &value)
{
    if (value.isDouble())
        return value.toDouble();
    if (value.isArray()) {
        QJsonArray array;
        for (const QJsonValue &item : value.toArray())
            array.append(numbersAsDoubles(item));
        return array;
    }
    if (value.isObject()) {
        QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            *it = numbersAsDoubles(*it);
        return object;
    }
    return value;
}

// Equal to the bit: a number's zero sign and every digit count.
inline bool identical(const Library &x, const Library &y)
{
    auto bits = [](const RGBA &c) {
        return std::array{std::bit_cast<quint64>(c.r), std::bit_cast<quint64>(c.g), std::bit_cast<quint64>(c.b),
                          std::bit_cast<quint64>(c.a)};
    };
    if (x != y)
        return false;
    for (qsizetype i = 0; i < x.history.size(); ++i) {
        if (bits(x.history.at(i).color) != bits(y.history.at(i).color)
            || std::bit_cast<quint64>(x.history.at(i).date) != std::bit_cast<quint64>(y.history.at(i).date))
            return false;
    }
    for (qsizetype i = 0; i < x.palettes.size(); ++i) {
        for (qsizetype c = 0; c < x.palettes.at(i).colors.size(); ++c) {
            if (bits(x.palettes.at(i).colors.at(c)) != bits(y.palettes.at(i).colors.at(c)))
                return false;
        }
    }
    return true;
}

} // namespace pigmentry::reference
