// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QUuid>

class QUndoStack;

namespace pigmentry {

class Store;

// The collection's deletions, each one click with no confirmation, as steps
// of the Studio's undo stack: the edit happens at once, Ctrl+Z puts back what
// it removed (saved at once), Ctrl+Shift+Z does it again. An edit of
// something that is already gone changes nothing and leaves no step.
namespace undoable {

void deleteRecord(Store &store, QUndoStack &undo, const QUuid &record);
// Several records as one step: one Ctrl+Z puts them all back in place.
void deleteRecords(Store &store, QUndoStack &undo, const QList<QUuid> &records);
void deletePalette(Store &store, QUndoStack &undo, const QUuid &palette);
// Removes the colour at index (a position, since a colour may repeat).
void removeColor(Store &store, QUndoStack &undo, const QUuid &palette, qsizetype index);
void removeColors(Store &store, QUndoStack &undo, const QUuid &palette, const QList<qsizetype> &positions);
void clearHistory(Store &store, QUndoStack &undo);
// Moves as steps too: a palette among the palettes, a colour in its palette.
void movePalette(Store &store, QUndoStack &undo, qsizetype from, qsizetype to);
void moveColor(Store &store, QUndoStack &undo, const QUuid &palette, qsizetype from, qsizetype to);
// The colours one pick put into a palette, at those positions, as a step
// that is already done: Ctrl+Z takes them all out again, and the palette too
// where the pick made it.
void pickedIntoPalette(Store &store, QUndoStack &undo, const QUuid &palette, const QList<qsizetype> &positions,
                       bool created);

} // namespace undoable

} // namespace pigmentry
