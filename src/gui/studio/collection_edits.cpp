#include "collection_edits.h"

#include "model/store.h"

#include <QCoreApplication>
#include <QUndoStack>

#include <functional>

namespace pigmentry::undoable {

namespace {

// A deletion and its way back. Each says so in the notice, unless saving
// it failed, which the store has said instead.
class StoreEdit : public QUndoCommand {
public:
    StoreEdit(Store &store, const QString &text, std::function<void()> forward, std::function<void()> back)
        : QUndoCommand(text)
        , store(store)
        , forward(std::move(forward))
        , back(std::move(back))
    { }
    void redo() override { apply(forward, QCoreApplication::translate("CollectionEdits", "Deleted. Ctrl+Z to undo")); }
    void undo() override { apply(back, QCoreApplication::translate("CollectionEdits", "Restored")); }

private:
    void apply(const std::function<void()> &change, const QString &said)
    {
        const QString before = store.notice();
        change();
        if (store.noticeKind() == Store::NoticeKind::Failure && store.notice() != before)
            return;
        store.setNotice(said, Store::NoticeKind::Info);
    }

    Store &store;
    std::function<void()> forward, back;
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

void clearHistory(Store &store, QUndoStack &undo)
{
    const QList<ColorRecord> cleared = store.library().history;
    undo.push(new StoreEdit(
        store, QCoreApplication::translate("CollectionEdits", "Clear History"), [&store] { store.clearHistory(); },
        [&store, cleared] { store.restoreHistory(cleared); }));
}

} // namespace pigmentry::undoable
