// SPDX-License-Identifier: GPL-3.0-or-later
// The library file's writer. The reader, strict and checked key by key, is in
// library.cpp; what this writes always reads back to the same library.
#include "model/library/library.h"

#include "model/color/plain_text.h"

#include <QCoreApplication>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

namespace pigmentry {

namespace {

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
        // The shortest digits that read back as x, never with an exponent:
        // the longest such text (5e-324) takes 326 characters.
        char buffer[400];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed);
        raw(std::string_view(buffer, size_t(result.ptr - buffer)));
    }

    // UTF-8 with the escapes JSON requires. Room for the worst case is taken
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
            const bool pair = QChar::isHighSurrogate(u) && p != end && QChar::isLowSurrogate(*p);
            // The marks that reorder text stay escaped: exact JSON, and
            // nothing that turns the text around where it is shown. Half a
            // surrogate pair has no UTF-8 form, and Qt's reader drops a
            // U+FEFF written as UTF-8: escaped, each reads back as it was.
            if (reordersText(char16_t(u)) || u == 0xFEFF || (QChar::isSurrogate(u) && !pair)) {
                static const char lower[] = "0123456789abcdef";
                std::memcpy(out, "\\u", 2);
                out += 2;
                for (int shift = 12; shift >= 0; shift -= 4)
                    *out++ = lower[(u >> shift) & 0xF];
                continue;
            }
            if (pair)
                u = QChar::surrogateToUcs4(char16_t(u), *p++);
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
                const auto result = std::to_chars(buffer, buffer + sizeof buffer, n / 255.0, std::chars_format::fixed);
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
            *error =
                QCoreApplication::translate("LibraryFile", "A number that is not finite cannot be written as JSON.");
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

} // namespace pigmentry
