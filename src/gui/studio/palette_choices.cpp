// SPDX-License-Identifier: GPL-3.0-or-later
#include "palette_choices.h"

#include <QCoreApplication>
#include <QHash>

namespace pigmentry {

QList<std::pair<QUuid, QString>> paletteChoices(const Library &library)
{
    auto shownName = [](const Palette &p) {
        return p.name.trimmed().isEmpty() ? QCoreApplication::translate("PaletteChoices", "Untitled Palette") : p.name;
    };
    QHash<QString, int> uses;
    for (const Palette &p : library.palettes)
        ++uses[shownName(p)];
    QHash<QString, int> seen;
    QList<std::pair<QUuid, QString>> choices;
    for (const Palette &p : library.palettes) {
        const QString name = shownName(p);
        QString shown = name;
        if (uses.value(name) > 1)
            shown = QCoreApplication::translate("PaletteChoices", "%1 (%2, %n colors)", nullptr, int(p.colors.size()))
                        .arg(name)
                        .arg(++seen[name]);
        choices.append({p.id, shown});
    }
    return choices;
}

} // namespace pigmentry
