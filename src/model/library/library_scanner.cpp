// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/library/library_scanner.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace pigmentry {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Each known key at most once: which of two a JSON reader keeps is its own
// choice, so a repeated key is left to Qt's.
bool once(unsigned &seen, unsigned key)
{
    if (seen & key)
        return false;
    seen |= key;
    return true;
}

template <typename T>
bool append(QList<T> &list, std::optional<T> item)
{
    if (!item)
        return false;
    list.append(std::move(*item));
    return true;
}

class Scanner {
public:
    explicit Scanner(QByteArrayView bytes)
        : at_(bytes.data())
        , end_(bytes.data() + bytes.size())
    { }

    std::optional<Library> library()
    {
        Library library;
        unsigned seen = 0;
        const bool read = object([&](std::string_view key) {
            if (key == "history")
                return once(seen, 1) && array([&] { return append(library.history, record()); });
            if (key == "palettes")
                return once(seen, 2) && array([&] { return append(library.palettes, palette()); });
            return false;
        });
        space();
        if (!read || seen != 3 || at_ != end_)
            return std::nullopt;
        return library;
    }

private:
    std::optional<ColorRecord> record()
    {
        ColorRecord record;
        unsigned seen = 0;
        const bool read = object([&](std::string_view key) {
            if (key == "id")
                return once(seen, 1) && uuid(record.id);
            if (key == "color")
                return once(seen, 2) && color(record.color);
            if (key == "date")
                return once(seen, 4) && number(record.date);
            if (key == "label")
                return once(seen, 8) && string(record.label);
            if (key == "favorite")
                return once(seen, 16) && boolean(record.favorite);
            if (key == "colorSpace") {
                // The default's static text stands for the common "sRGB".
                QString space;
                if (!once(seen, 32) || !string(space))
                    return false;
                if (space != record.colorSpace)
                    record.colorSpace = space;
                return true;
            }
            return false;
        });
        if (!read || seen != 63)
            return std::nullopt;
        return record;
    }

    std::optional<Palette> palette()
    {
        Palette palette;
        QStringList names;
        unsigned seen = 0;
        const bool read = object([&](std::string_view key) {
            if (key == "id")
                return once(seen, 1) && uuid(palette.id);
            if (key == "name")
                return once(seen, 2) && string(palette.name);
            if (key == "colors")
                return once(seen, 4) && array([&] {
                           RGBA c;
                           if (!color(c))
                               return false;
                           palette.colors.append(c);
                           return true;
                       });
            if (key == "notes")
                return once(seen, 8) && string(palette.notes);
            if (key == "colorNames")
                return once(seen, 16) && array([&] {
                           QString name;
                           if (!string(name))
                               return false;
                           names.append(name);
                           return true;
                       });
            return false;
        });
        if (!read || (seen & 15) != 15 || names.size() > palette.colors.size())
            return std::nullopt;
        for (qsizetype i = 0; i < names.size(); ++i)
            palette.setColorName(i, names.at(i));
        return palette;
    }

    bool color(RGBA &color)
    {
        unsigned seen = 0;
        return object([&](std::string_view key) {
                   if (key == "r")
                       return once(seen, 1) && number(color.r);
                   if (key == "g")
                       return once(seen, 2) && number(color.g);
                   if (key == "b")
                       return once(seen, 4) && number(color.b);
                   if (key == "a")
                       return once(seen, 8) && number(color.a);
                   return false;
               })
            && seen == 15;
    }

    // JSON's white space, and nothing else.
    void space()
    {
        while (at_ != end_ && (*at_ == ' ' || *at_ == '\n' || *at_ == '\r' || *at_ == '\t'))
            ++at_;
    }

    bool take(char c)
    {
        space();
        if (at_ == end_ || *at_ != c)
            return false;
        ++at_;
        return true;
    }

    template <typename Member>
    bool object(Member member)
    {
        if (!take('{'))
            return false;
        if (take('}'))
            return true;
        do {
            const std::optional<std::string_view> name = key();
            if (!name || !take(':') || !member(*name))
                return false;
        } while (take(','));
        return take('}');
    }

    template <typename Element>
    bool array(Element element)
    {
        if (!take('['))
            return false;
        if (take(']'))
            return true;
        do {
            if (!element())
                return false;
        } while (take(','));
        return take(']');
    }

    // Plain letters, as every known key is.
    std::optional<std::string_view> key()
    {
        if (!take('"'))
            return std::nullopt;
        const char *start = at_;
        while (at_ != end_ && ((*at_ >= 'a' && *at_ <= 'z') || (*at_ >= 'A' && *at_ <= 'Z')))
            ++at_;
        if (at_ == end_ || *at_ != '"')
            return std::nullopt;
        return std::string_view(start, size_t(at_++ - start));
    }

    // Well-formed UTF-8 and JSON's escapes; a raw control character, a
    // noncharacter or U+FEFF (which Qt's reader may drop) is left to Qt's
    // reader.
    bool string(QString &text)
    {
        if (!take('"'))
            return false;
        const char *run = at_;
        std::string unescaped;
        bool escaped = false;
        bool ascii = true;
        while (at_ != end_ && *at_ != '"') {
            const auto byte = static_cast<unsigned char>(*at_);
            if (byte < 0x20 || byte == 0x7f)
                return false;
            if (byte >= 0x80) {
                ascii = false;
                if (!character())
                    return false;
                continue;
            }
            if (byte != '\\') {
                ++at_;
                continue;
            }
            unescaped.append(run, at_);
            escaped = true;
            if (!escape(unescaped))
                return false;
            run = at_;
        }
        if (at_ == end_)
            return false;
        if (escaped) {
            unescaped.append(run, at_);
            text = QString::fromUtf8(unescaped.data(), qsizetype(unescaped.size()));
        } else {
            text = ascii ? QString::fromLatin1(run, at_ - run) : QString::fromUtf8(run, at_ - run);
        }
        ++at_;
        return true;
    }

    // An escape, appended as UTF-8. A \\u escape of a surrogate, of a
    // noncharacter, of U+FEFF or of U+0000 is left to Qt's reader.
    bool escape(std::string &out)
    {
        if (end_ - at_ < 2)
            return false;
        const char letter = at_[1];
        at_ += 2;
        switch (letter) {
        case '"': out += '"'; return true;
        case '\\': out += '\\'; return true;
        case '/': out += '/'; return true;
        case 'b': out += '\b'; return true;
        case 'f': out += '\f'; return true;
        case 'n': out += '\n'; return true;
        case 'r': out += '\r'; return true;
        case 't': out += '\t'; return true;
        case 'u': break;
        default: return false;
        }
        if (end_ - at_ < 4)
            return false;
        char16_t u = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = at_[i];
            const int digit = isDigit(c) ? c - '0'
                : c >= 'a' && c <= 'f'   ? c - 'a' + 10
                : c >= 'A' && c <= 'F'   ? c - 'A' + 10
                                         : -1;
            if (digit < 0)
                return false;
            u = char16_t(u << 4 | digit);
        }
        at_ += 4;
        if (u == 0 || QChar::isSurrogate(u) || (u >= 0xFDD0 && u <= 0xFDEF) || u >= 0xFFFE || u == 0xFEFF)
            return false;
        out += QStringView(&u, 1).toUtf8().toStdString();
        return true;
    }

    // One character of two to four bytes: no overlong form, no surrogate,
    // nothing past U+10FFFF, no noncharacter, no U+FEFF.
    bool character()
    {
        const auto *p = reinterpret_cast<const unsigned char *>(at_);
        int length = 0;
        char32_t c = 0;
        if (p[0] >= 0xC2 && p[0] <= 0xDF) {
            length = 2;
            c = p[0] & 0x1F;
        } else if (p[0] >= 0xE0 && p[0] <= 0xEF) {
            length = 3;
            c = p[0] & 0x0F;
        } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
            length = 4;
            c = p[0] & 0x07;
        } else {
            return false;
        }
        if (end_ - at_ < length)
            return false;
        for (int i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (p[i] & 0x3F);
        }
        static constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) || (c >= 0xFDD0 && c <= 0xFDEF)
            || (c & 0xFFFE) == 0xFFFE || c == 0xFEFF)
            return false;
        at_ += length;
        return true;
    }

    // JSON's number grammar. An integer of up to 15 digits is exact both as
    // Qt's reader keeps it (a 64-bit integer) and as a double; any other
    // number is read correctly rounded, as Qt's reader does, unless it would
    // be a negative zero, subnormal or out of range.
    bool number(double &value)
    {
        space();
        const char *start = at_;
        if (at_ != end_ && *at_ == '-')
            ++at_;
        const char *digits = at_;
        if (at_ == end_ || !isDigit(*at_))
            return false;
        if (*at_ == '0')
            ++at_;
        else
            while (at_ != end_ && isDigit(*at_))
                ++at_;
        const char *integerEnd = at_;
        bool integer = true;
        if (at_ != end_ && *at_ == '.') {
            integer = false;
            const char *fraction = ++at_;
            while (at_ != end_ && isDigit(*at_))
                ++at_;
            if (at_ == fraction)
                return false;
        }
        if (at_ != end_ && (*at_ == 'e' || *at_ == 'E')) {
            integer = false;
            ++at_;
            if (at_ != end_ && (*at_ == '+' || *at_ == '-'))
                ++at_;
            const char *exponent = at_;
            while (at_ != end_ && isDigit(*at_))
                ++at_;
            if (at_ == exponent)
                return false;
        }
        if (integer) {
            if (integerEnd - digits > 15)
                return false;
            qint64 n = 0;
            for (const char *p = digits; p != integerEnd; ++p)
                n = n * 10 + (*p - '0');
            value = double(start == digits ? n : -n);
            return true;
        }
        const auto [end, error] = std::from_chars(start, at_, value);
        return error == std::errc() && end == at_ && (std::isnormal(value) || (value == 0 && !std::signbit(value)));
    }

    bool boolean(bool &value)
    {
        space();
        for (const std::string_view word : {std::string_view("true"), std::string_view("false")}) {
            if (std::string_view(at_, size_t(end_ - at_)).starts_with(word)) {
                at_ += word.size();
                value = word.size() == 4;
                return true;
            }
        }
        return false;
    }

    // The canonical 8-4-4-4-12 form, in either letter case, as a string
    // without escapes.
    bool uuid(QUuid &id)
    {
        static constexpr std::string_view nil = "00000000-0000-0000-0000-000000000000";
        if (!take('"') || end_ - at_ < qsizetype(nil.size()) + 1 || at_[nil.size()] != '"')
            return false;
        for (int i = 0; i < int(nil.size()); ++i) {
            const char c = at_[i];
            const bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
            const bool letterOrDigit = isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            if (hyphen ? c != '-' : !letterOrDigit)
                return false;
        }
        const std::string_view text(at_, nil.size());
        id = QUuid::fromString(QLatin1StringView(text.data(), qsizetype(text.size())));
        if (id.isNull() && text != nil)
            return false;
        at_ += nil.size() + 1;
        return true;
    }

    const char *at_;
    const char *const end_;
};

} // namespace

std::optional<Library> scanLibrary(QByteArrayView bytes)
{
    return Scanner(bytes).library();
}

} // namespace pigmentry
