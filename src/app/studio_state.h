#pragma once

#include <QObject>
#include <QString>

namespace pigmentry {

// The Studio's view state that several pages share; it lives as long as the
// window (closing only hides it) and is never saved.
class StudioState : public QObject {
    Q_OBJECT

public:
    // The search of Recent Colors and Favorites, one text for both.
    const QString &search() const { return search_; }
    void setSearch(const QString &search)
    {
        if (search == search_)
            return;
        search_ = search;
        Q_EMIT searchChanged(search_);
    }
    // The name field for new palettes, kept as typed.
    QString paletteName = QStringLiteral("Untitled Palette");

Q_SIGNALS:
    void searchChanged(const QString &search);

private:
    QString search_;
};

} // namespace pigmentry
