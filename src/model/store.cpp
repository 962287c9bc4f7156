#include "store.h"

#include "library_file.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

namespace pigmentry {

namespace {

template <typename List>
auto findById(List &list, const QUuid &id)
{
    return std::find_if(list.begin(), list.end(), [&id](const auto &item) { return item.id == id; });
}

} // namespace

Store::Store(Preferences &prefs, const QString &url, QObject *parent)
    : QObject(parent), prefs_(prefs), url_(url.isEmpty() ? defaultLibraryPath() : url)
{
    LoadedLibrary loaded = loadLibrary(url_);
    library_ = std::move(loaded.library);
    notice_ = loaded.notice;
}

void Store::setLibrary(Library library)
{
    library_ = std::move(library);
    Q_EMIT libraryChanged();
}

void Store::setSelected(const RGBA &color)
{
    selected_ = color;
    Q_EMIT selectedChanged();
}

void Store::setNotice(const QString &notice)
{
    notice_ = notice;
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

    Library next = library_;
    next.history.removeIf([&color](const ColorRecord &record) { return record.color == color; });
    setLibrary(std::move(next));

    next = library_;
    next.history.prepend(ColorRecord::captured(color));
    setLibrary(std::move(next));

    next = library_;
    const qsizetype limit = historyLimit();
    if (next.history.size() > limit)
        next.history.resize(limit);
    setLibrary(std::move(next));

    save();
}

void Store::copy(const RGBA &color, const std::optional<QString> &format)
{
    const QString name = format ? *format : prefs_.format();
    if (QClipboard *clipboard = QGuiApplication::clipboard()) {
        clipboard->clear();
        clipboard->setText(color.formatted(name));
    }
    setNotice(QLatin1String("Copied ") + color.hex());
}

void Store::save()
{
    if (const auto error = saveLibrary(url_, library_))
        setNotice(*error);
}

void Store::select(const RGBA &color)
{
    setSelected(color);
}

void Store::setOpacity(double opacity)
{
    RGBA color = selected_;
    color.a = opacity;
    setSelected(color);
}

void Store::addToPalette(const QUuid &palette)
{
    Library next = library_;
    const auto it = findById(next.palettes, palette);
    if (it == next.palettes.end())
        return;
    it->colors.append(selected_);
    setLibrary(std::move(next));
    save();
}

void Store::createPalette(const QString &name)
{
    Library next = library_;
    next.palettes.append(Palette{QUuid::createUuid(), name, {selected_}, QString()});
    setLibrary(std::move(next));
    save();
}

void Store::appendPalette(const Palette &palette)
{
    Library next = library_;
    next.palettes.append(palette);
    setLibrary(std::move(next));
    save();
}

void Store::renamePalette(const QUuid &palette, const QString &name)
{
    Library next = library_;
    const auto it = findById(next.palettes, palette);
    if (it == next.palettes.end())
        return;
    it->name = name;
    setLibrary(std::move(next));
    save();
}

void Store::removeColor(qsizetype index, const QUuid &palette)
{
    Library next = library_;
    const auto it = findById(next.palettes, palette);
    // The index comes from the list on screen; a stale one changes nothing.
    if (it == next.palettes.end() || index < 0 || index >= it->colors.size())
        return;
    it->colors.removeAt(index);
    setLibrary(std::move(next));
    save();
}

void Store::duplicatePalette(const Palette &palette)
{
    Library next = library_;
    next.palettes.append(
        Palette{QUuid::createUuid(), palette.name + QLatin1String(" Copy"), palette.colors, QString()});
    setLibrary(std::move(next));
    save();
}

void Store::deletePalette(const QUuid &palette)
{
    Library next = library_;
    next.palettes.removeIf([&palette](const Palette &p) { return p.id == palette; });
    setLibrary(std::move(next));
    save();
}

void Store::setLabel(const QString &label, const QUuid &record)
{
    Library next = library_;
    const auto it = findById(next.history, record);
    if (it == next.history.end())
        return;
    it->label = label;
    setLibrary(std::move(next));
    save();
}

void Store::toggleFavorite(const QUuid &record)
{
    Library next = library_;
    const auto it = findById(next.history, record);
    if (it == next.history.end())
        return;
    it->favorite = !it->favorite;
    setLibrary(std::move(next));
    save();
}

void Store::deleteRecord(const QUuid &record)
{
    Library next = library_;
    next.history.removeIf([&record](const ColorRecord &r) { return r.id == record; });
    setLibrary(std::move(next));
    save();
}

void Store::clearHistory()
{
    Library next = library_;
    next.history.clear();
    setLibrary(std::move(next));
    save();
}

} // namespace pigmentry
