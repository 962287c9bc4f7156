#pragma once

#include "library.h"
#include "preferences.h"
#include "rgba.h"

#include <QObject>
#include <QString>
#include <QUuid>

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
    // empty. prefs must outlive the store.
    explicit Store(Preferences &prefs, const QString &url = QString(), QObject *parent = nullptr);

    const Library &library() const { return library_; }
    const RGBA &selected() const { return selected_; }
    const QString &notice() const { return notice_; }
    // The library file's path; fixed at construction.
    const QString &url() const { return url_; }

    // Records a picked colour: selects it, copies it unless autoCopy is false,
    // moves it to the front of the history as a new record, applies the
    // history limit and saves.
    void capture(const RGBA &color);
    // Puts the colour's code on the clipboard (format: the given one, else the
    // preference "format", else "HEX"); the notice shows the HEX code.
    void copy(const RGBA &color, const std::optional<QString> &format = std::nullopt);
    void save();

    void select(const RGBA &color);
    void setOpacity(double opacity);
    void addToPalette(const QUuid &palette);
    void createPalette(const QString &name);
    void appendPalette(const Palette &palette);
    void renamePalette(const QUuid &palette, const QString &name);
    void removeColor(qsizetype index, const QUuid &palette);
    void duplicatePalette(const Palette &palette);
    void deletePalette(const QUuid &palette);
    void setLabel(const QString &label, const QUuid &record);
    void toggleFavorite(const QUuid &record);
    void deleteRecord(const QUuid &record);
    void clearHistory();

    // For failures found outside the store (export and import, login item).
    void setNotice(const QString &notice);

Q_SIGNALS:
    void libraryChanged();
    void selectedChanged();
    void noticeChanged();

private:
    void setLibrary(Library library);
    void setSelected(const RGBA &color);
    qsizetype historyLimit() const;

    Preferences &prefs_;
    QString url_;
    Library library_;
    RGBA selected_ = initialSelection;
    QString notice_;
};

} // namespace pigmentry
