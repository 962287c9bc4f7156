// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/library/clipboard.h"
#include "model/library/clock.h"
#include "model/library/library.h"
#include "model/library/preferences.h"
#include "model/color/rgba.h"

#include <QObject>
#include <QString>
#include <QUuid>

#include <functional>
#include <optional>

namespace pigmentry {

// The application's model: the library, the selected colour and a one-line
// notice. Every assignment of one of the three emits its changed signal once;
// every change of the library is written to the library file at once.
// Failures never throw: they become the notice.
class Store : public QObject {
    Q_OBJECT

public:
    static constexpr RGBA initialSelection{0.23, 0.51, 0.96, 1.0};

    // Loads the library from url, or from the default location when url is
    // empty. prefs, clipboard and clock must outlive the store.
    Store(Preferences &prefs, Clipboard &clipboard, const QString &url = QString(), const Clock &clock = systemClock(),
          QObject *parent = nullptr);

    const Library &library() const { return library_; }
    const RGBA &selected() const { return selected_; }
    // The name the selected colour was chosen under (a palette colour's
    // own name); empty for a colour chosen otherwise.
    const QString &selectedName() const { return selectedName_; }
    const QString &notice() const { return notice_; }
    // What the notice reports: a thing done, a plain fact, or a failure,
    // which the views mark as an error.
    enum class NoticeKind { Done, Info, Failure };
    NoticeKind noticeKind() const { return noticeKind_; }
    // The library file's path; fixed at construction.
    const QString &url() const { return url_; }

    // Records a picked colour: selects it, copies it unless autoCopy is false,
    // moves it to the front of the history as a new record, applies the
    // history limit and saves. One change of the library.
    void capture(const RGBA &color);
    // Puts the colour's code on the clipboard (format: the given one, else the
    // preference "format", else "HEX"); the notice shows the HEX code.
    void copy(const RGBA &color, const std::optional<QString> &format = std::nullopt);
    // The colour's code in the default format, as copy() puts it.
    QString defaultCode(const RGBA &color) const;
    // The default format's name: the preference's, or HEX for a name that is
    // none of the formats.
    QString defaultFormat() const;
    void save();

    void select(const RGBA &color, const QString &name = QString());
    void setOpacity(double opacity);
    // The selected colour, with the name it was chosen under.
    void addToPalette(const QUuid &palette);
    void createPalette(const QString &name);
    void appendPalette(const Palette &palette);
    void renamePalette(const QUuid &palette, const QString &name);
    void removeColor(qsizetype index, const QUuid &palette);
    // The colours at these positions, in one change.
    void removeColors(const QList<qsizetype> &positions, const QUuid &palette);
    // Colours back at their positions (ascending), names with them.
    void insertColors(const QUuid &palette, const QList<std::pair<qsizetype, std::pair<RGBA, QString>>> &colors);
    void duplicatePalette(const Palette &palette);
    void deletePalette(const QUuid &palette);
    // A palette colour's own name; an empty one takes it away.
    void nameColor(const QUuid &palette, qsizetype index, const QString &name);
    void setPaletteNotes(const QUuid &palette, const QString &notes);
    void setLabel(const QString &label, const QUuid &record);
    void toggleFavorite(const QUuid &record);
    void deleteRecord(const QUuid &record);
    // Several colours at once, each one change: a selection's actions.
    void deleteRecords(const QList<QUuid> &records);
    void setFavorites(const QList<QUuid> &records, bool favorite);
    // The colours' codes in the default format, one a line.
    void copyColors(const QList<RGBA> &colors);
    // names by position, as the colours' own names ("" or none for none).
    void addColorsToPalette(const QUuid &palette, const QList<RGBA> &colors, const QStringList &names = {});
    // Moves a palette, or a colour within one, to another place.
    void movePalette(qsizetype from, qsizetype to);
    void moveColor(const QUuid &palette, qsizetype from, qsizetype to);
    void clearHistory();

    // The way back for the deletions above, for undo. A record or palette
    // whose id is already there is not put back twice; indexes beyond the
    // end append. The history limit holds as at capture: the oldest records
    // past it go.
    void insertRecord(qsizetype index, const ColorRecord &record);
    void insertPalette(qsizetype index, const Palette &palette);
    void insertColor(const QUuid &palette, qsizetype index, const RGBA &color, const QString &name = QString());
    // Records back at their places (ascending), in one change.
    void insertRecords(const QList<std::pair<qsizetype, ColorRecord>> &records);
    // After a clear: the records come back behind those picked since, less
    // any whose id or colour is there again.
    void restoreHistory(const QList<ColorRecord> &records);

    // For what is found outside the store (export and import, login item).
    void setNotice(const QString &notice, NoticeKind kind);
    // The library cannot be saved at all: changes are kept in memory, and
    // why is the notice, said once rather than at every change.
    void saveNothing(const QString &why);
    bool savesNothing() const { return savesNothing_; }
    // Why the last change is not on disk; empty when it is.
    const QString &unsaved() const { return unsaved_; }

    // One step of a change of the history or of the palettes.
    struct ListChange {
        enum Kind { Inserted, Removed, Edited, Reset };
        Kind kind;
        int first = 0;
        int last = 0;
    };

Q_SIGNALS:
    // Once per change of the library, after the item-level reports below.
    void libraryChanged();

    // What a change did to each list, step by step, sent when the library
    // already holds its new value. Rows count in the list as it stands after
    // the steps reported before: several removed runs come last run first,
    // and inserted rows stand where they stand in the new library. Edited
    // means the row's content changed (a label, the star, a palette's name or
    // colours); Reset that the list was replaced whole.
    void historyInserted(int first, int last);
    void historyRemoved(int first, int last);
    void historyEdited(int row);
    void historyReset();
    void palettesInserted(int first, int last);
    void palettesRemoved(int first, int last);
    void paletteEdited(int row);
    void palettesReset();

    void selectedChanged();
    void noticeChanged();

private:
    // Makes next the library, reports the steps that led there and saves.
    void commit(Library next, const QList<ListChange> &history, const QList<ListChange> &palettes);
    // Sends the steps of one list through that list's four signals.
    void report(const QList<ListChange> &steps, void (Store::*inserted)(int, int), void (Store::*removed)(int, int),
                void (Store::*edited)(int), void (Store::*reset)());
    // One change of the record or palette with that id, reported as an
    // edited row; nothing when there is none (or the palette's change says
    // it changed nothing).
    void editRecord(const QUuid &record, const std::function<void(ColorRecord &)> &change);
    void editPalette(const QUuid &palette, const std::function<bool(Palette &)> &change);
    // Writes the encoded library, unless the file on disk is kept out.
    void write(const QByteArray &bytes);
    void setSelected(const RGBA &color, const QString &name = QString());
    qsizetype historyLimit() const;

    Preferences &prefs_;
    Clipboard &clipboard_;
    const Clock &clock_;
    QString url_;
    Library library_;
    // The file on disk could not be read nor set aside: never written over.
    bool keepOut_ = false;
    bool savesNothing_ = false;
    QString unsaved_;
    RGBA selected_ = initialSelection;
    QString selectedName_;
    QString notice_;
    NoticeKind noticeKind_ = NoticeKind::Done;
};

} // namespace pigmentry
