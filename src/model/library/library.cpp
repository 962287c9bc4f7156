// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/library/library.h"

#include "model/library/clock.h"
#include "model/color/plain_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QTimeZone>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

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
        const QString name = QLatin1String(key);
        if (failed_)
            return {};
        if (!object_.contains(name)) {
            fail(QStringLiteral("the key \"%1\" is missing").arg(name));
            return {};
        }
        return object_.value(name);
    }

    QString string(const char *key)
    {
        const QJsonValue v = value(key);
        if (!failed_ && !v.isString())
            fail(QStringLiteral("the value of \"%1\" is not a string").arg(QLatin1String(key)));
        return validText(v.toString());
    }

    double number(const char *key)
    {
        const QJsonValue v = value(key);
        if (!failed_ && !v.isDouble())
            fail(QStringLiteral("the value of \"%1\" is not a number").arg(QLatin1String(key)));
        return v.toDouble();
    }

    bool boolean(const char *key)
    {
        const QJsonValue v = value(key);
        if (!failed_ && !v.isBool())
            fail(QStringLiteral("the value of \"%1\" is not a boolean").arg(QLatin1String(key)));
        return v.toBool();
    }

    QJsonArray array(const char *key)
    {
        const QJsonValue v = value(key);
        if (!failed_ && !v.isArray())
            fail(QStringLiteral("the value of \"%1\" is not an array").arg(QLatin1String(key)));
        return v.toArray();
    }

    QUuid uuid(const char *key)
    {
        const QString text = string(key);
        if (failed_)
            return {};
        const QUuid id = parseUuid(text);
        if (id.isNull() && text != QLatin1String("00000000-0000-0000-0000-000000000000"))
            fail(QStringLiteral("\"%1\" is not a valid UUID").arg(quotedText(text)));
        return id;
    }

    RGBA color(const QJsonValue &value, const QString &where)
    {
        QString problem;
        const std::optional<RGBA> c = RGBA::fromJson(value, &problem);
        if (!c) {
            failAt(where, problem);
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
            *error_ = where.isEmpty() ? problem : problem + QLatin1String(" at ") + where;
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
        *error = QStringLiteral("expected an object at ") + where;
    return value.toObject();
}

// Writes compact JSON straight into a byte buffer: the library is rewritten
// after every change, so this is on the path of each capture and of each
// keystroke in a label field.
class Writer {
public:
    explicit Writer(qsizetype expected) { buffer_.resize(qMax<qsizetype>(expected, 256)); }

    bool finite = true;

    void raw(std::string_view text)
    {
        char *out = reserve(qsizetype(text.size()));
        std::memcpy(out, text.data(), text.size());
        used_ += qsizetype(text.size());
    }

    void push(char c)
    {
        *reserve(1) = c;
        ++used_;
    }

    void number(double x)
    {
        if (!std::isfinite(x)) {
            finite = false;
            return;
        }
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
        raw(std::string_view(buffer, size_t(result.ptr - buffer)));
    }

    // UTF-8 with the escapes JSON requires; an unpaired surrogate becomes
    // U+FFFD, as QString::toUtf8 does. Room for the worst case is taken
    // once (six bytes for an escape), then the bytes go straight in.
    void string(const QString &text)
    {
        static const char digits[] = "0123456789ABCDEF";
        char *const start = reserve(text.size() * 6 + 2);
        char *out = start;
        *out++ = '"';
        const auto *p = reinterpret_cast<const char16_t *>(text.utf16());
        const char16_t *end = p + text.size();
        while (p != end) {
            char32_t u = *p++;
            if (u < 0x80) {
                if (u == '"' || u == '\\') {
                    *out++ = '\\';
                    *out++ = char(u);
                } else if (u < 0x20) {
                    std::memcpy(out, "\\u00", 4);
                    out += 4;
                    *out++ = digits[u >> 4];
                    *out++ = digits[u & 0xF];
                } else {
                    *out++ = char(u);
                }
                continue;
            }
            // The marks that reorder text stay escaped: exact JSON, and
            // nothing that turns the text around where it is shown.
            if (reordersText(char16_t(u))) {
                static const char lower[] = "0123456789abcdef";
                std::memcpy(out, "\\u", 2);
                out += 2;
                for (int shift = 12; shift >= 0; shift -= 4)
                    *out++ = lower[(u >> shift) & 0xF];
                continue;
            }
            if (QChar::isHighSurrogate(u) && p != end && QChar::isLowSurrogate(*p))
                u = QChar::surrogateToUcs4(char16_t(u), *p++);
            else if (QChar::isSurrogate(u))
                u = 0xFFFD;
            if (u < 0x800) {
                *out++ = char(0xC0 | (u >> 6));
            } else if (u < 0x10000) {
                *out++ = char(0xE0 | (u >> 12));
                *out++ = char(0x80 | ((u >> 6) & 0x3F));
            } else {
                *out++ = char(0xF0 | (u >> 18));
                *out++ = char(0x80 | ((u >> 12) & 0x3F));
                *out++ = char(0x80 | ((u >> 6) & 0x3F));
            }
            *out++ = char(0x80 | (u & 0x3F));
        }
        *out++ = '"';
        used_ += out - start;
    }

    // The canonical 8-4-4-4-12 form in upper case.
    void uuid(const QUuid &id)
    {
        static const char digits[] = "0123456789ABCDEF";
        const unsigned char octets[16] = {
            uchar(id.data1 >> 24), uchar(id.data1 >> 16), uchar(id.data1 >> 8), uchar(id.data1),
            uchar(id.data2 >> 8),  uchar(id.data2),       uchar(id.data3 >> 8), uchar(id.data3),
            id.data4[0],           id.data4[1],           id.data4[2],          id.data4[3],
            id.data4[4],           id.data4[5],           id.data4[6],          id.data4[7]};
        char out[38];
        int n = 0;
        out[n++] = '"';
        for (int i = 0; i < 16; ++i) {
            if (i == 4 || i == 6 || i == 8 || i == 10)
                out[n++] = '-';
            out[n++] = digits[octets[i] >> 4];
            out[n++] = digits[octets[i] & 0xF];
        }
        out[n++] = '"';
        raw(std::string_view(out, size_t(n)));
    }

    // Most components are bytes (n / 255, from picks); their shortest texts
    // are made once. Any other value takes the general path, so the text is
    // the same either way.
    void component(double x)
    {
        static const auto texts = [] {
            std::array<std::string, 256> table;
            for (int n = 0; n < 256; ++n) {
                char buffer[32];
                const auto result = std::to_chars(buffer, buffer + sizeof buffer, n / 255.0);
                table[size_t(n)].assign(buffer, result.ptr);
            }
            return table;
        }();
        if (x >= 0.0 && x <= 1.0 && !std::signbit(x)) {
            const long n = std::lround(x * 255.0);
            if (n / 255.0 == x) {
                raw(texts[size_t(n)]);
                return;
            }
        }
        number(x);
    }

    void color(const RGBA &c)
    {
        raw("{\"r\":");
        component(c.r);
        raw(",\"g\":");
        component(c.g);
        raw(",\"b\":");
        component(c.b);
        raw(",\"a\":");
        component(c.a);
        raw("}");
    }

    void record(const ColorRecord &r)
    {
        raw("{\"id\":");
        uuid(r.id);
        raw(",\"color\":");
        color(r.color);
        raw(",\"date\":");
        number(r.date);
        raw(",\"label\":");
        string(r.label);
        raw(r.favorite ? ",\"favorite\":true" : ",\"favorite\":false");
        raw(",\"colorSpace\":");
        string(r.colorSpace);
        raw("}");
    }

    void palette(const Palette &p)
    {
        raw("{\"id\":");
        uuid(p.id);
        raw(",\"name\":");
        string(p.name);
        raw(",\"colors\":[");
        for (qsizetype i = 0; i < p.colors.size(); ++i) {
            if (i)
                raw(",");
            color(p.colors.at(i));
        }
        raw("],\"notes\":");
        string(p.notes);
        if (p.hasColorNames()) {
            raw(",\"colorNames\":[");
            for (qsizetype i = 0; i < p.colors.size(); ++i) {
                if (i)
                    raw(",");
                string(p.colorName(i));
            }
            raw("]");
        }
        raw("}");
    }

    std::optional<QByteArray> result(QString *error)
    {
        if (finite) {
            buffer_.truncate(used_);
            return buffer_;
        }
        if (error)
            *error = QStringLiteral("A number that is not finite cannot be written as JSON.");
        return std::nullopt;
    }

private:
    // Room for n more bytes; the buffer grows geometrically.
    char *reserve(qsizetype n)
    {
        if (used_ + n > buffer_.size())
            buffer_.resize(qMax(buffer_.size() * 2, used_ + n));
        return buffer_.data() + used_;
    }

    QByteArray buffer_;
    qsizetype used_ = 0;
};

} // namespace

std::optional<QByteArray> encodeLibrary(const Library &library, QString *error)
{
    Writer w(64 + library.history.size() * 200);
    w.raw("{\"history\":[");
    for (qsizetype i = 0; i < library.history.size(); ++i) {
        if (i)
            w.raw(",");
        w.record(library.history.at(i));
    }
    w.raw("],\"palettes\":[");
    for (qsizetype i = 0; i < library.palettes.size(); ++i) {
        if (i)
            w.raw(",");
        w.palette(library.palettes.at(i));
    }
    w.raw("]}");
    return w.result(error);
}

std::optional<QByteArray> encodePalette(const Palette &palette, QString *error)
{
    Writer w(64 + palette.colors.size() * 80);
    w.palette(palette);
    return w.result(error);
}

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
        record.color = read.color(color, where + QLatin1String(".color"));
    record.date = read.number("date");
    record.label = read.string("label");
    record.favorite = read.boolean("favorite");
    record.colorSpace = read.string("colorSpace");
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
        objectOf(value, where.isEmpty() ? QStringLiteral("the top level") : where, error);
        return std::nullopt;
    }
    Reader read(value.toObject(), where, error);
    Palette palette;
    palette.id = read.uuid("id");
    palette.name = read.string("name");
    const QJsonArray colors = read.array("colors");
    for (qsizetype i = 0; i < colors.size() && !read.failed(); ++i) {
        const QString at = (where.isEmpty() ? QString() : where + u'.') + QStringLiteral("colors[%1]").arg(i);
        palette.colors.append(read.color(colors.at(i), at));
    }
    palette.notes = read.string("notes");
    // Names came later: a palette without any has no key for them.
    if (!read.failed() && value.toObject().contains(QLatin1String("colorNames"))) {
        const QJsonArray names = read.array("colorNames");
        // A name belongs to a colour: more names than colours is no palette.
        if (!read.failed() && names.size() > palette.colors.size())
            read.failAt((where.isEmpty() ? QString() : where + u'.') + QStringLiteral("colorNames"),
                        QStringLiteral("%1 names for %2 colours").arg(names.size()).arg(palette.colors.size()));
        for (qsizetype i = 0; i < names.size() && !read.failed(); ++i) {
            const QString at = (where.isEmpty() ? QString() : where + u'.') + QStringLiteral("colorNames[%1]").arg(i);
            if (!names.at(i).isString())
                read.failAt(at, QStringLiteral("a colour's name is not a string"));
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
        objectOf(value, QStringLiteral("the top level"), error);
        return std::nullopt;
    }
    Reader read(value.toObject(), QString(), error);
    const QJsonArray history = read.array("history");
    const QJsonArray palettes = read.array("palettes");
    if (read.failed())
        return std::nullopt;

    Library library;
    library.history.reserve(history.size());
    for (qsizetype i = 0; i < history.size(); ++i) {
        auto record = ColorRecord::fromJsonAt(history.at(i), QStringLiteral("history[%1]").arg(i), error);
        if (!record)
            return std::nullopt;
        library.history.append(std::move(*record));
    }
    library.palettes.reserve(palettes.size());
    for (qsizetype i = 0; i < palettes.size(); ++i) {
        auto palette = Palette::fromJsonAt(palettes.at(i), QStringLiteral("palettes[%1]").arg(i), error);
        if (!palette)
            return std::nullopt;
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
            *error = QStringLiteral("the data is not valid JSON (%1 at offset %2)")
                         .arg(parseError.errorString())
                         .arg(parseError.offset);
        return std::nullopt;
    }
    if (!document.isObject()) {
        if (error)
            *error = QStringLiteral("the data is not a JSON object");
        return std::nullopt;
    }
    return document.object();
}

} // namespace pigmentry
