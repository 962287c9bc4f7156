// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/library/store.h"

#include "model/library/library_file.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>

namespace pigmentry {

namespace {

using ListChange = Store::ListChange;

template <typename List>
auto findById(List &list, const QUuid &id)
{
    return std::find_if(list.begin(), list.end(), [&id](const auto &item) { return item.id == id; });
}

// Removes the items that match and gives the removed runs of neighbours,
// last run first, so that each range is valid when it is reported in order.
template <typename List, typename Predicate>
QList<ListChange> removeMatching(List &list, Predicate matches)
{
    QList<ListChange> runs;
    for (qsizetype i = list.size() - 1; i >= 0; --i) {
        if (!matches(list.at(i)))
            continue;
        qsizetype first = i;
        while (first > 0 && matches(list.at(first - 1)))
            --first;
        runs.append({ListChange::Removed, int(first), int(i)});
        list.remove(first, i - first + 1);
        i = first;
    }
    return runs;
}

ListChange edited(qsizetype row)
{
    return {ListChange::Edited, int(row), int(row)};
}

} // namespace

Store::Store(Preferences &prefs, Clipboard &clipboard, const QString &url, const Clock &clock, QObject *parent)
    : QObject(parent)
    , prefs_(prefs)
    , clipboard_(clipboard)
    , clock_(clock)
    , url_(url.isEmpty() ? defaultLibraryPath() : url)
{
    LoadedLibrary loaded = loadLibrary(url_, clock_.now());
    library_ = std::move(loaded.library);
    notice_ = loaded.notice;
    noticeKind_ = loaded.notice.isEmpty() ? NoticeKind::Done : NoticeKind::Failure;
    keepOut_ = loaded.keepOut;
}

void Store::commit(Library next, const QList<ListChange> &history, const QList<ListChange> &palettes)
{
    // Nothing is written that the next start would refuse to read: a change
    // that takes the file past that size is not made at all.
    QString error;
    std::optional<QByteArray> bytes = encodeLibrary(next, &error);
    if (bytes && bytes->size() > largestLibrary) {
        setNotice(tr("Not changed: the library would grow past %1 MiB, more than Pigmentry reads back.")
                      .arg(largestLibrary / (1024 * 1024)),
                  NoticeKind::Failure);
        return;
    }
    library_ = std::move(next);
    report(history, &Store::historyInserted, &Store::historyRemoved, &Store::historyEdited, &Store::historyReset);
    report(palettes, &Store::palettesInserted, &Store::palettesRemoved, &Store::paletteEdited, &Store::palettesReset);
    Q_EMIT libraryChanged();
    if (bytes)
        write(*bytes);
    else
        setNotice(error, NoticeKind::Failure);
}

void Store::editRecord(const QUuid &record, const std::function<void(ColorRecord &)> &change)
{
    Library next = library_;
    const auto it = findById(next.history, record);
    if (it == next.history.end())
        return;
    change(*it);
    const ListChange step = edited(it - next.history.begin());
    commit(std::move(next), {step}, {});
}

void Store::editPalette(const QUuid &palette, const std::function<bool(Palette &)> &change)
{
    Library next = library_;
    const auto it = findById(next.palettes, palette);
    if (it == next.palettes.end() || !change(*it))
        return;
    const ListChange step = edited(it - next.palettes.begin());
    commit(std::move(next), {}, {step});
}

void Store::saveNothing(const QString &why)
{
    savesNothing_ = true;
    unsaved_ = why;
    setNotice(why, NoticeKind::Failure);
}

void Store::write(const QByteArray &bytes)
{
    if (savesNothing_)
        return;
    if (keepOut_) {
        unsaved_ = tr("Not saved: %1 could not be read and is kept as it is.").arg(url_);
        setNotice(unsaved_, NoticeKind::Failure);
        return;
    }
    if (const Result saved = writeLibraryBytes(url_, bytes); !saved) {
        unsaved_ = saved.error();
        setNotice(saved.error(), NoticeKind::Failure);
        return;
    }
    unsaved_.clear();
}

void Store::report(const QList<ListChange> &steps, void (Store::*inserted)(int, int), void (Store::*removed)(int, int),
                   void (Store::*edited)(int), void (Store::*reset)())
{
    for (const ListChange &change : steps) {
        switch (change.kind) {
        case ListChange::Inserted: Q_EMIT(this->*inserted)(change.first, change.last); break;
        case ListChange::Removed: Q_EMIT(this->*removed)(change.first, change.last); break;
        case ListChange::Edited: Q_EMIT(this->*edited)(change.first); break;
        case ListChange::Reset: Q_EMIT(this->*reset)(); break;
        }
    }
}

void Store::setSelected(const RGBA &color, const QString &name)
{
    selected_ = color;
    selectedName_ = name;
    Q_EMIT selectedChanged();
}

void Store::setNotice(const QString &notice, NoticeKind kind)
{
    notice_ = notice;
    noticeKind_ = kind;
    Q_EMIT noticeChanged();
}

qsizetype Store::historyLimit() const
{
    // 0 (also absent or not a number) means the default; below 1 means 1.
    const qint64 limit = prefs_.historyLimit();
    if (limit == 0)
        return 500;
    return qsizetype(std::max<qint64>(limit, 1));
}

void Store::capture(const RGBA &color)
{
    setSelected(color);
    if (prefs_.autoCopy())
        copy(color);

    // Equal colours leave, the new record goes first, the oldest beyond the
    // limit are dropped: one change of the library.
    Library next = library_;
    QList<ListChange> steps = removeMatching(next.history, [&color](const ColorRecord &r) { return r.color == color; });
    next.history.prepend(ColorRecord::captured(color, secondsSinceReferenceDate(clock_.now())));
    steps.append({ListChange::Inserted, 0, 0});
    const qsizetype limit = historyLimit();
    if (next.history.size() > limit) {
        steps.append({ListChange::Removed, int(limit), int(next.history.size() - 1)});
        next.history.resize(limit);
    }
    commit(std::move(next), steps, {});
}

void Store::copy(const RGBA &color, const std::optional<QString> &format)
{
    const QString name = format ? *format : prefs_.format();
    clipboard_.setText(color.formatted(name));
    setNotice(tr("Copied %1").arg(color.hex()), NoticeKind::Done);
}

QString Store::defaultCode(const RGBA &color) const
{
    return color.formatted(defaultFormat());
}

QString Store::defaultFormat() const
{
    const QString format = prefs_.format();
    return RGBA::formats().contains(format) ? format : QStringLiteral("HEX");
}

void Store::save()
{
    QString error;
    if (const std::optional<QByteArray> bytes = encodeLibrary(library_, &error))
        write(*bytes);
    else
        setNotice(error, NoticeKind::Failure);
}

void Store::select(const RGBA &color, const QString &name)
{
    setSelected(color, name);
}

void Store::setOpacity(double opacity)
{
    RGBA color = selected_;
    color.a = opacity;
    setSelected(color);
}

void Store::addToPalette(const QUuid &palette)
{
    addColorsToPalette(palette, {selected_}, {selectedName_});
}

void Store::createPalette(const QString &name)
{
    appendPalette(Palette{QUuid::createUuid(), name, {selected_}, QString(), {}});
}

void Store::appendPalette(const Palette &palette)
{
    Library next = library_;
    next.palettes.append(palette);
    const int row = int(next.palettes.size() - 1);
    commit(std::move(next), {}, {{ListChange::Inserted, row, row}});
}

void Store::renamePalette(const QUuid &palette, const QString &name)
{
    editPalette(palette, [&name](Palette &p) {
        p.name = name;
        return true;
    });
}

void Store::removeColor(qsizetype index, const QUuid &palette)
{
    // The index comes from the list on screen; a stale one changes nothing.
    removeColors({index}, palette);
}

void Store::removeColors(const QList<qsizetype> &positions, const QUuid &palette)
{
    QList<qsizetype> sorted = positions;
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    editPalette(palette, [&sorted](Palette &p) {
        bool removed = false;
        for (const qsizetype index : sorted) {
            if (index >= 0 && index < p.colors.size()) {
                p.removeColor(index);
                removed = true;
            }
        }
        return removed;
    });
}

void Store::insertColors(const QUuid &palette, const QList<std::pair<qsizetype, std::pair<RGBA, QString>>> &colors)
{
    editPalette(palette, [&colors](Palette &p) {
        for (const auto &[index, color] : colors)
            p.insertColor(index, color.first, color.second);
        return !colors.isEmpty();
    });
}

void Store::duplicatePalette(const Palette &palette)
{
    appendPalette(
        Palette{QUuid::createUuid(), tr("%1 Copy").arg(palette.name), palette.colors, QString(), palette.colorNames});
}

void Store::deletePalette(const QUuid &palette)
{
    Library next = library_;
    const QList<ListChange> steps =
        removeMatching(next.palettes, [&palette](const Palette &p) { return p.id == palette; });
    commit(std::move(next), {}, steps);
}

void Store::setLabel(const QString &label, const QUuid &record)
{
    editRecord(record, [&label](ColorRecord &r) { r.label = label; });
}

void Store::toggleFavorite(const QUuid &record)
{
    editRecord(record, [](ColorRecord &r) { r.favorite = !r.favorite; });
}

void Store::deleteRecord(const QUuid &record)
{
    Library next = library_;
    const QList<ListChange> steps =
        removeMatching(next.history, [&record](const ColorRecord &r) { return r.id == record; });
    commit(std::move(next), steps, {});
}

void Store::deleteRecords(const QList<QUuid> &records)
{
    const QSet<QUuid> ids(records.cbegin(), records.cend());
    Library next = library_;
    const QList<ListChange> steps =
        removeMatching(next.history, [&ids](const ColorRecord &r) { return ids.contains(r.id); });
    if (!steps.isEmpty())
        commit(std::move(next), steps, {});
}

void Store::insertRecords(const QList<std::pair<qsizetype, ColorRecord>> &records)
{
    Library next = library_;
    QList<ListChange> steps;
    for (const auto &[index, record] : records) {
        if (findById(next.history, record.id) != next.history.end() || next.history.size() >= historyLimit())
            continue;
        const int row = int(std::clamp<qsizetype>(index, 0, next.history.size()));
        next.history.insert(row, record);
        steps.append({ListChange::Inserted, row, row});
    }
    if (!steps.isEmpty())
        commit(std::move(next), steps, {});
}

void Store::setFavorites(const QList<QUuid> &records, bool favorite)
{
    const QSet<QUuid> ids(records.cbegin(), records.cend());
    Library next = library_;
    QList<ListChange> steps;
    for (qsizetype i = 0; i < next.history.size(); ++i) {
        ColorRecord &record = next.history[i];
        if (ids.contains(record.id) && record.favorite != favorite) {
            record.favorite = favorite;
            steps.append(edited(i));
        }
    }
    if (!steps.isEmpty())
        commit(std::move(next), steps, {});
}

void Store::copyColors(const QList<RGBA> &colors)
{
    if (colors.size() == 1) {
        copy(colors.first());
        return;
    }
    QStringList codes;
    for (const RGBA &color : colors)
        codes.append(color.formatted(prefs_.format()));
    clipboard_.setText(codes.join(u'\n'));
    setNotice(tr("Copied %n colors", nullptr, int(colors.size())), NoticeKind::Done);
}

void Store::addColorsToPalette(const QUuid &palette, const QList<RGBA> &colors, const QStringList &names)
{
    editPalette(palette, [&colors, &names](Palette &p) {
        for (qsizetype i = 0; i < colors.size(); ++i)
            p.appendColor(colors.at(i), names.value(i));
        return !colors.isEmpty();
    });
}

void Store::movePalette(qsizetype from, qsizetype to)
{
    const qsizetype count = library_.palettes.size();
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return;
    Library next = library_;
    next.palettes.move(from, to);
    commit(std::move(next), {},
           {{ListChange::Removed, int(from), int(from)}, {ListChange::Inserted, int(to), int(to)}});
}

void Store::moveColor(const QUuid &palette, qsizetype from, qsizetype to)
{
    editPalette(palette, [from, to](Palette &p) {
        if (from < 0 || from >= p.colors.size() || to < 0 || to >= p.colors.size() || from == to)
            return false;
        p.moveColor(from, to);
        return true;
    });
}

void Store::insertRecord(qsizetype index, const ColorRecord &record)
{
    if (findById(library_.history, record.id) != library_.history.cend())
        return;
    // What comes back obeys the history limit as a capture does: a record
    // that would stand past it stays gone, the oldest make room otherwise.
    const qsizetype limit = historyLimit();
    const int row = int(std::clamp<qsizetype>(index, 0, library_.history.size()));
    if (row >= limit)
        return;
    Library next = library_;
    next.history.insert(row, record);
    QList<ListChange> steps{{ListChange::Inserted, row, row}};
    if (next.history.size() > limit) {
        steps.append({ListChange::Removed, int(limit), int(next.history.size() - 1)});
        next.history.resize(limit);
    }
    commit(std::move(next), steps, {});
}

void Store::insertPalette(qsizetype index, const Palette &palette)
{
    if (findById(library_.palettes, palette.id) != library_.palettes.cend())
        return;
    Library next = library_;
    const int row = int(std::clamp<qsizetype>(index, 0, next.palettes.size()));
    next.palettes.insert(row, palette);
    commit(std::move(next), {}, {{ListChange::Inserted, row, row}});
}

void Store::insertColor(const QUuid &palette, qsizetype index, const RGBA &color, const QString &name)
{
    editPalette(palette, [index, &color, &name](Palette &p) {
        p.insertColor(index, color, name);
        return true;
    });
}

void Store::nameColor(const QUuid &palette, qsizetype index, const QString &name)
{
    editPalette(palette, [index, &name](Palette &p) {
        if (index < 0 || index >= p.colors.size() || p.colorName(index) == name)
            return false;
        p.setColorName(index, name);
        return true;
    });
}

void Store::setPaletteNotes(const QUuid &palette, const QString &notes)
{
    editPalette(palette, [&notes](Palette &p) {
        if (p.notes == notes)
            return false;
        p.notes = notes;
        return true;
    });
}

void Store::restoreHistory(const QList<ColorRecord> &records)
{
    Library next = library_;
    const qsizetype first = next.history.size();
    QSet<QUuid> ids;
    QSet<RGBA> colors;
    for (const ColorRecord &record : std::as_const(next.history)) {
        ids.insert(record.id);
        colors.insert(record.color);
    }
    const qsizetype limit = historyLimit();
    for (const ColorRecord &record : records) {
        if (next.history.size() >= limit)
            break;
        if (ids.contains(record.id) || colors.contains(record.color))
            continue;
        ids.insert(record.id);
        colors.insert(record.color);
        next.history.append(record);
    }
    if (next.history.size() == first)
        return;
    const int last = int(next.history.size() - 1);
    commit(std::move(next), {{ListChange::Inserted, int(first), last}}, {});
}

void Store::clearHistory()
{
    Library next = library_;
    next.history.clear();
    commit(std::move(next), {{ListChange::Reset}}, {});
}

} // namespace pigmentry
