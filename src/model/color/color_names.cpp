// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/color/color_names.h"

#include "model/color/oklab.h"

#include <QHash>

#include <vector>

namespace pigmentry {

namespace {

RGBA fromRgb(unsigned rgb)
{
    return RGBA{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, 1.0};
}

struct Entry {
    Oklab lab;
    QString name;
};

// Every name with its place in OKLab, worked out once.
const std::vector<Entry> &entries()
{
    static const std::vector<Entry> all = [] {
        std::vector<Entry> list;
        list.reserve(color_name_data::css.size() + color_name_data::xkcd.size());
        for (const NamedColor &named : color_name_data::css)
            list.push_back({toOklab(fromRgb(named.rgb)), QString::fromLatin1(named.name)});
        for (const NamedColor &named : color_name_data::xkcd) {
            QString name = QString::fromUtf8(named.name);
            name[0] = name[0].toUpper();
            list.push_back({toOklab(fromRgb(named.rgb)), name});
        }
        return list;
    }();
    return all;
}

// The CSS names by their 0xRRGGBB, the first of aliases kept.
const QHash<unsigned, QString> &cssByValue()
{
    static const QHash<unsigned, QString> table = [] {
        QHash<unsigned, QString> byValue;
        for (const NamedColor &named : color_name_data::css) {
            if (!byValue.contains(named.rgb))
                byValue.insert(named.rgb, QString::fromLatin1(named.name));
        }
        return byValue;
    }();
    return table;
}

} // namespace

QString colorName(const RGBA &color)
{
    const unsigned rgb =
        unsigned(channelValue(color.r)) << 16 | unsigned(channelValue(color.g)) << 8 | unsigned(channelValue(color.b));
    if (const auto exact = cssByValue().constFind(rgb); exact != cssByValue().constEnd())
        return *exact;
    const Oklab lab = toOklab(RGBA{color.r, color.g, color.b, 1.0});
    const Entry *nearest = nullptr;
    double best = 0;
    for (const Entry &entry : entries()) {
        const double d = distance2(lab, entry.lab);
        if (!nearest || d < best) {
            nearest = &entry;
            best = d;
        }
    }
    return nearest->name;
}

std::optional<RGBA> cssNamedColor(const QString &name)
{
    const QString wanted = name.toLower();
    for (const NamedColor &named : color_name_data::css) {
        if (wanted == QLatin1String(named.name))
            return fromRgb(named.rgb);
    }
    return std::nullopt;
}

} // namespace pigmentry
