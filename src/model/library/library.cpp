// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/library/library.h"

#include "model/color/plain_text.h"
#include "model/library/clock.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace pigmentry {

QString quotedText(const QString &text)
{
    constexpr qsizetype most = 80;
    return text.size() <= most ? text : text.left(most - 1) + QChar(0x2026);
}

namespace {

const QDateTime &referenceDate()
{
    static const QDateTime date(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());
    return date;
}

// Reading is strict: every listed key must be present with a value of the
// right type; the first problem rejects the whole document. The error text
// says what was wrong and where.
class Reader {
public:
    Reader(const QJsonObject &object, QString where, QString *error)
        : object_(object)
        , where_(std::move(where))
        , error_(error)
    { }

    bool failed() const { return failed_; }

    QJsonValue value(const char *key)
    {
        if (failed_)
            return {};
        const QLatin1StringView name(key);
        const auto found = object_.constFind(name);
        if (found == object_.constEnd()) {
            fail(QCoreApplication::translate("LibraryFile", "the key \"%1\" is missing").arg(name));
            return {};
        }
        return *found;
    }

    QString string(const char *key)
    {
        const QJsonValue v = value(key);
        if (!failed_ && !v.isString())
            fail(QCoreApplication::translate("LibraryFile", "the value of \"%1\" is not a string")
                     .arg(QLatin1String(key)));
        return validText(v.toString());
    }

    double number(const char *key)
    {
        const QJsonValue v = value(key);
        if (!failed_ && !v.isDouble())
            fail(QCoreApplication::translate("LibraryFile", "the value of \"%1\" is not a number")
                     .arg(QLatin1String(key)));
        return v.toDouble();
    }

    bool boolean(const char *key)
    {
        const QJsonValue v = value(key);
        if (!failed_ && !v.isBool())
            fail(QCoreApplication::translate("LibraryFile", "the value of \"%1\" is not a boolean")
                     .arg(QLatin1String(key)));
        return v.toBool();
    }

    QJsonArray array(const char *key)
    {
        const QJsonValue v = value(key);
        if (!failed_ && !v.isArray())
            fail(QCoreApplication::translate("LibraryFile", "the value of \"%1\" is not an array")
                     .arg(QLatin1String(key)));
        return v.toArray();
    }

    QUuid uuid(const char *key)
    {
        const QString text = string(key);
        if (failed_)
            return {};
        const QUuid id = parseUuid(text);
        if (id.isNull() && text != QLatin1String("00000000-0000-0000-0000-000000000000"))
            fail(QCoreApplication::translate("LibraryFile", "\"%1\" is not a valid UUID").arg(quotedText(text)));
        return id;
    }

    // where is asked for only when the colour is no colour: a library
    // reads thousands that are.
    template <typename Where>
    RGBA color(const QJsonValue &value, const Where &where)
    {
        QString problem;
        const std::optional<RGBA> c = RGBA::fromJson(value, &problem);
        if (!c) {
            failAt(where(), problem);
            return {};
        }
        return *c;
    }

    void fail(const QString &problem) { failAt(where_, problem); }

    void failAt(const QString &where, const QString &problem)
    {
        if (failed_)
            return;
        failed_ = true;
        if (error_)
            *error_ =
                where.isEmpty() ? problem : QCoreApplication::translate("LibraryFile", "%1 at %2").arg(problem, where);
    }

private:
    // Only the canonical 8-4-4-4-12 form, in either letter case.
    static QUuid parseUuid(const QString &text)
    {
        if (text.size() != 36)
            return {};
        for (int i = 0; i < 36; ++i) {
            const QChar c = text.at(i);
            const bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
            if (hyphen ? c != u'-' : !c.isLetterOrNumber() || c.unicode() > 0x7f)
                return {};
        }
        return QUuid::fromString(text);
    }

    QJsonObject object_;
    QString where_;
    QString *error_;
    bool failed_ = false;
};

QJsonObject objectOf(const QJsonValue &value, const QString &where, QString *error)
{
    if (!value.isObject() && error)
        *error = QCoreApplication::translate("LibraryFile", "expected an object at ") + where;
    return value.toObject();
}

} // namespace

double secondsSinceReferenceDate(const QDateTime &time)
{
    return double(referenceDate().msecsTo(time)) / 1000.0;
}

QDateTime dateFromReferenceSeconds(double seconds)
{
    return referenceDate().addMSecs(qint64(std::llround(seconds * 1000.0)));
}

const Clock &systemClock()
{
    struct SystemClock : Clock {
        QDateTime now() const override { return QDateTime::currentDateTimeUtc(); }
    };
    static const SystemClock clock;
    return clock;
}

QString uuidText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

ColorRecord ColorRecord::captured(const RGBA &color, double date)
{
    return ColorRecord{QUuid::createUuid(), color, date, QString(), false, QStringLiteral("sRGB")};
}

std::optional<ColorRecord> ColorRecord::fromJson(const QJsonValue &value, QString *error)
{
    return fromJsonAt(value, QString(), error);
}

std::optional<ColorRecord> ColorRecord::fromJsonAt(const QJsonValue &value, const QString &where, QString *error)
{
    if (!value.isObject()) {
        objectOf(value, where, error);
        return std::nullopt;
    }
    Reader read(value.toObject(), where, error);
    ColorRecord record;
    record.id = read.uuid("id");
    const QJsonValue color = read.value("color");
    if (!read.failed())
        record.color = read.color(color, [&where] { return where + QLatin1String(".color"); });
    record.date = read.number("date");
    record.label = read.string("label");
    record.favorite = read.boolean("favorite");
    // Nearly every record says "sRGB": the default's static text stands for
    // it, where thousands of copies would each take memory of their own.
    if (const QString space = read.string("colorSpace"); space != record.colorSpace)
        record.colorSpace = space;
    if (read.failed())
        return std::nullopt;
    return record;
}

namespace {

// Names past the last one given say nothing.
void trimNames(QStringList &names)
{
    while (!names.isEmpty() && names.last().isEmpty())
        names.removeLast();
}

} // namespace

void Palette::setColorName(qsizetype index, const QString &name)
{
    if (index < 0 || index >= colors.size())
        return;
    if (colorNames.size() <= index) {
        if (name.isEmpty())
            return;
        colorNames.resize(index + 1);
    }
    colorNames[index] = name;
    trimNames(colorNames);
}

void Palette::appendColor(const RGBA &color, const QString &name)
{
    insertColor(colors.size(), color, name);
}

void Palette::insertColor(qsizetype index, const RGBA &color, const QString &name)
{
    index = std::clamp<qsizetype>(index, 0, colors.size());
    colors.insert(index, color);
    if (index < colorNames.size())
        colorNames.insert(index, QString());
    setColorName(index, name);
}

void Palette::removeColor(qsizetype index)
{
    if (index < 0 || index >= colors.size())
        return;
    colors.removeAt(index);
    if (index < colorNames.size())
        colorNames.removeAt(index);
    trimNames(colorNames);
}

void Palette::moveColor(qsizetype from, qsizetype to)
{
    if (from < 0 || from >= colors.size() || to < 0 || to >= colors.size() || from == to)
        return;
    const RGBA color = colors.at(from);
    const QString name = colorName(from);
    removeColor(from);
    insertColor(to, color, name);
}

std::optional<Palette> Palette::fromJson(const QJsonValue &value, QString *error)
{
    return fromJsonAt(value, QString(), error);
}

std::optional<Palette> Palette::fromJsonAt(const QJsonValue &value, const QString &where, QString *error)
{
    if (!value.isObject()) {
        objectOf(value, where.isEmpty() ? QCoreApplication::translate("LibraryFile", "the top level") : where, error);
        return std::nullopt;
    }
    Reader read(value.toObject(), where, error);
    Palette palette;
    palette.id = read.uuid("id");
    palette.name = read.string("name");
    const QJsonArray colors = read.array("colors");
    palette.colors.reserve(colors.size());
    for (qsizetype i = 0; i < colors.size() && !read.failed(); ++i) {
        palette.colors.append(read.color(colors.at(i), [&where, i] {
            return (where.isEmpty() ? QString() : where + u'.') + QStringLiteral("colors[%1]").arg(i);
        }));
    }
    palette.notes = read.string("notes");
    // Names came later: a palette without any has no key for them.
    if (!read.failed() && value.toObject().contains(QLatin1String("colorNames"))) {
        const QJsonArray names = read.array("colorNames");
        // A name belongs to a colour: more names than colours is no palette.
        if (!read.failed() && names.size() > palette.colors.size())
            read.failAt((where.isEmpty() ? QString() : where + u'.') + QStringLiteral("colorNames"),
                        QCoreApplication::translate("LibraryFile", "%1 names for %2 colors")
                            .arg(names.size())
                            .arg(palette.colors.size()));
        for (qsizetype i = 0; i < names.size() && !read.failed(); ++i) {
            if (!names.at(i).isString())
                read.failAt((where.isEmpty() ? QString() : where + u'.') + QStringLiteral("colorNames[%1]").arg(i),
                            QCoreApplication::translate("LibraryFile", "a color's name is not a string"));
            else
                palette.setColorName(i, validText(names.at(i).toString()));
        }
    }
    if (read.failed())
        return std::nullopt;
    return palette;
}

std::optional<Library> Library::fromJson(const QJsonValue &value, QString *error)
{
    if (!value.isObject()) {
        objectOf(value, QCoreApplication::translate("LibraryFile", "the top level"), error);
        return std::nullopt;
    }
    Reader read(value.toObject(), QString(), error);
    const QJsonArray history = read.array("history");
    const QJsonArray palettes = read.array("palettes");
    if (read.failed())
        return std::nullopt;

    Library library;
    library.history.reserve(history.size());
    // Each entry is read without its place in the document, which is named
    // only when the entry is read again to say what is wrong with it.
    for (qsizetype i = 0; i < history.size(); ++i) {
        auto record = ColorRecord::fromJsonAt(history.at(i), QString(), nullptr);
        if (!record) {
            ColorRecord::fromJsonAt(history.at(i), QStringLiteral("history[%1]").arg(i), error);
            return std::nullopt;
        }
        library.history.append(std::move(*record));
    }
    library.palettes.reserve(palettes.size());
    for (qsizetype i = 0; i < palettes.size(); ++i) {
        auto palette = Palette::fromJsonAt(palettes.at(i), QString(), nullptr);
        if (!palette) {
            Palette::fromJsonAt(palettes.at(i), QStringLiteral("palettes[%1]").arg(i), error);
            return std::nullopt;
        }
        library.palettes.append(std::move(*palette));
    }
    return library;
}

std::optional<QJsonObject> parseJsonObject(const QByteArray &bytes, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error)
            *error = QCoreApplication::translate("LibraryFile", "the data is not valid JSON (%1 at offset %2)")
                         .arg(parseError.errorString())
                         .arg(parseError.offset);
        return std::nullopt;
    }
    if (!document.isObject()) {
        if (error)
            *error = QCoreApplication::translate("LibraryFile", "the data is not a JSON object");
        return std::nullopt;
    }
    return document.object();
}

} // namespace pigmentry
