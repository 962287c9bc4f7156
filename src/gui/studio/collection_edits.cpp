// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection_edits.h"

#include "model/library/store.h"

#include <QCoreApplication>
#include <QSet>
#include <QUndoStack>

#include <algorithm>
#include <functional>

namespace pigmentry::undoable {

namespace {

// A deletion and its way back. Each says so in the notice, unless saving
// it failed, which the store has said instead.
class StoreEdit : public QUndoCommand {
public:
    // A move says nothing: what moved is in sight; nor does taking back a
    // pick's colours.
    enum class Kind { Deletion, Move };
    StoreEdit(Store &store, const QString &text, std::function<void()> forward, std::function<void()> back,
              Kind kind = Kind::Deletion)
        : QUndoCommand(text)
        , store_(store)
        , forward_(std::move(forward))
        , back_(std::move(back))
        , kind_(kind)
    { }
    void redo() override { apply(forward_, QCoreApplication::translate("CollectionEdits", "Deleted. Ctrl+Z to undo")); }
    void undo() override { apply(back_, QCoreApplication::translate("CollectionEdits", "Restored")); }

private:
    void apply(const std::function<void()> &change, const QString &said)
    {
        const QString before = store_.notice();
        change();
        if (kind_ == Kind::Move || (store_.noticeKind() == Store::NoticeKind::Failure && store_.notice() != before))
            return;
        store_.setNotice(said, Store::NoticeKind::Info);
    }

    Store &store_;
    std::function<void()> forward_, back_;
    Kind kind_;
};

template <typename List>
qsizetype indexOf(const List &list, const QUuid &id)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).id == id)
            return i;
    }
    return -1;
}

} // namespace

void deleteRecord(Store &store, QUndoStack &undo, const QUuid &record)
{
    const qsizetype index = indexOf(store.library().history, record);
    if (index < 0)
        return;
    const ColorRecord removed = store.library().history.at(index);
    undo.push(new StoreEdit(
        store, QCoreApplication::translate("CollectionEdits", "Remove Color"),
        [&store, record] { store.deleteRecord(record); },
        [&store, index, removed] { store.insertRecord(index, removed); }));
}

void deletePalette(Store &store, QUndoStack &undo, const QUuid &palette)
{
    const qsizetype index = indexOf(store.library().palettes, palette);
    if (index < 0)
        return;
    const Palette removed = store.library().palettes.at(index);
    undo.push(new StoreEdit(
        store, QCoreApplication::translate("CollectionEdits", "Delete Palette"),
        [&store, palette] { store.deletePalette(palette); },
        [&store, index, removed] { store.insertPalette(index, removed); }));
}

void removeColor(Store &store, QUndoStack &undo, const QUuid &palette, qsizetype index)
{
    const qsizetype row = indexOf(store.library().palettes, palette);
    if (row < 0 || index < 0 || index >= store.library().palettes.at(row).colors.size())
        return;
    const RGBA color = store.library().palettes.at(row).colors.at(index);
    const QString name = store.library().palettes.at(row).colorName(index);
    undo.push(new StoreEdit(
        store, QCoreApplication::translate("CollectionEdits", "Remove Color from Palette"),
        [&store, palette, index] { store.removeColor(index, palette); },
        [&store, palette, index, color, name] { store.insertColor(palette, index, color, name); }));
}

void deleteRecords(Store &store, QUndoStack &undo, const QList<QUuid> &records)
{
    if (records.size() == 1) {
        deleteRecord(store, undo, records.first());
        return;
    }
    QList<std::pair<qsizetype, ColorRecord>> removed;
    const QList<ColorRecord> &history = store.library().history;
    const QSet<QUuid> ids(records.cbegin(), records.cend());
    for (qsizetype i = 0; i < history.size(); ++i) {
        if (ids.contains(history.at(i).id))
            removed.append({i, history.at(i)});
    }
    if (removed.isEmpty())
        return;
    undo.push(new StoreEdit(
        store, QCoreApplication::translate("CollectionEdits", "Remove Colors"),
        [&store, records] { store.deleteRecords(records); }, [&store, removed] { store.insertRecords(removed); }));
}

void movePalette(Store &store, QUndoStack &undo, qsizetype from, qsizetype to)
{
    const qsizetype count = store.library().palettes.size();
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return;
    undo.push(new StoreEdit(
        store, QCoreApplication::translate("CollectionEdits", "Move Palette"),
        [&store, from, to] { store.movePalette(from, to); }, [&store, from, to] { store.movePalette(to, from); },
        StoreEdit::Kind::Move));
}

void moveColor(Store &store, QUndoStack &undo, const QUuid &palette, qsizetype from, qsizetype to)
{
    const qsizetype row = indexOf(store.library().palettes, palette);
    const qsizetype count = row < 0 ? 0 : store.library().palettes.at(row).colors.size();
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return;
    undo.push(new StoreEdit(
        store, QCoreApplication::translate("CollectionEdits", "Move Color"),
        [&store, palette, from, to] { store.moveColor(palette, from, to); },
        [&store, palette, from, to] { store.moveColor(palette, to, from); }, StoreEdit::Kind::Move));
}

void removeColors(Store &store, QUndoStack &undo, const QUuid &palette, const QList<qsizetype> &positions)
{
    if (positions.size() == 1) {
        removeColor(store, undo, palette, positions.first());
        return;
    }
    const qsizetype row = indexOf(store.library().palettes, palette);
    if (row < 0)
        return;
    const Palette &p = store.library().palettes.at(row);
    QList<qsizetype> sorted = positions;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    QList<std::pair<qsizetype, std::pair<RGBA, QString>>> removed;
    for (const qsizetype index : std::as_const(sorted)) {
        if (index >= 0 && index < p.colors.size())
            removed.append({index, {p.colors.at(index), p.colorName(index)}});
    }
    if (removed.isEmpty())
        return;
    undo.push(new StoreEdit(
        store, QCoreApplication::translate("CollectionEdits", "Remove Colors from Palette"),
        [&store, palette, sorted] { store.removeColors(sorted, palette); },
        [&store, palette, removed] { store.insertColors(palette, removed); }));
}

void clearHistory(Store &store, QUndoStack &undo)
{
    const QList<ColorRecord> cleared = store.library().history;
    undo.push(new StoreEdit(
        store, QCoreApplication::translate("CollectionEdits", "Clear History"), [&store] { store.clearHistory(); },
        [&store, cleared] { store.restoreHistory(cleared); }));
}

namespace {

// A step whose change was made before it was pushed: the push does nothing.
class DoneEdit : public StoreEdit {
public:
    using StoreEdit::StoreEdit;
    void redo() override
    {
        if (!std::exchange(first_, false))
            StoreEdit::redo();
    }

private:
    bool first_ = true;
};

} // namespace

void pickedIntoPalette(Store &store, QUndoStack &undo, const QUuid &palette, const QList<qsizetype> &positions,
                       bool created)
{
    const qsizetype row = indexOf(store.library().palettes, palette);
    if (row < 0 || positions.isEmpty())
        return;
    const QString text = QCoreApplication::translate("CollectionEdits", "Pick into Palette");
    if (created) {
        const Palette made = store.library().palettes.at(row);
        undo.push(new DoneEdit(
            store, text, [&store, row, made] { store.insertPalette(row, made); },
            [&store, palette] { store.deletePalette(palette); }, StoreEdit::Kind::Move));
        return;
    }
    QList<std::pair<qsizetype, std::pair<RGBA, QString>>> added;
    const Palette &target = store.library().palettes.at(row);
    for (const qsizetype at : positions) {
        if (at >= 0 && at < target.colors.size())
            added.append({at, {target.colors.at(at), target.colorName(at)}});
    }
    undo.push(new DoneEdit(
        store, text, [&store, palette, added] { store.insertColors(palette, added); },
        [&store, palette, added] {
            // Only what is still where the pick put it goes.
            const qsizetype at = indexOf(store.library().palettes, palette);
            if (at < 0)
                return;
            const Palette &now = store.library().palettes.at(at);
            QList<qsizetype> still;
            for (const auto &[position, color] : added) {
                if (position < now.colors.size() && now.colors.at(position) == color.first)
                    still.append(position);
            }
            store.removeColors(still, palette);
        },
        StoreEdit::Kind::Move));
}

} // namespace pigmentry::undoable
