// SPDX-License-Identifier: GPL-3.0-or-later
// The palette formats as a whole, and those of them that are text: the hex
// list, and the style sheets and page that palettes are written to.
#include "palette_formats.h"

#include "model/color/plain_text.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSet>
#include <QStringConverter>

namespace pigmentry {

namespace {

// A colour line of the hex list: the code, then optionally a space and a name.
const QRegularExpression &hexLine()
{
    static const QRegularExpression line(QStringLiteral(R"(^#([0-9A-Fa-f]{6}|[0-9A-Fa-f]{8})(?:[ \t]+(.*))?$)"));
    return line;
}

// A comment of the hex list: "#" followed by a space, or alone.
bool isComment(const QString &line)
{
    return line == QLatin1String("#") || line.startsWith(QLatin1String("# ")) || line.startsWith(QLatin1String("#\t"));
}

QStringList textLines(const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineEnd);
}

// A name or a title as the text formats write it: valid text on one line
// (a line break would end a comment or break a format made of lines), with
// the other control characters and the marks that reorder text escaped as
// the command line shows them. The same for every way out, so that the Studio
// and the command write the same bytes.
QString exportedText(const QString &text)
{
    QString line = text;
    for (QChar &c : line) {
        if (c == u'\n' || c == u'\r')
            c = u' ';
    }
    return printable(line);
}

// Text for inside a style-sheet comment: nothing in it can end the comment,
// however its stars and slashes are nested ("**//" is "*/" once "*/" is
// taken out).
QString commentText(const QString &text)
{
    QString kept = exportedText(text);
    while (kept.contains(QLatin1String("*/")))
        kept.remove(QLatin1String("*/"));
    return kept;
}

QString escapedHtml(const QString &text)
{
    return exportedText(text).toHtmlEscaped().replace(u'\'', QLatin1String("&#39;"));
}

} // namespace

const QList<PaletteFormatInfo> &paletteFormats()
{
    static const QList<PaletteFormatInfo> formats = {
        {PaletteFormat::Json, QStringLiteral("json"), QStringLiteral("json"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("PaletteFiles", "JSON palette (*.json)")), true, true},
        {PaletteFormat::Gimp, QStringLiteral("gpl"), QStringLiteral("gpl"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("PaletteFiles", "GIMP palette, without transparency (*.gpl)")), true,
         true},
        {PaletteFormat::Ase, QStringLiteral("ase"), QStringLiteral("ase"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("PaletteFiles", "Adobe Swatch Exchange, without transparency (*.ase)")),
         true, true},
        {PaletteFormat::Aco, QStringLiteral("aco"), QStringLiteral("aco"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("PaletteFiles", "Photoshop swatches (*.aco)")), true, false},
        {PaletteFormat::Hex, QStringLiteral("hex"), QStringLiteral("txt"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("PaletteFiles", "Hex list (*.txt)")), true, true},
        {PaletteFormat::Css, QStringLiteral("css"), QStringLiteral("css"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("PaletteFiles", "CSS custom properties (*.css)")), false, true},
        {PaletteFormat::Scss, QStringLiteral("scss"), QStringLiteral("scss"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("PaletteFiles", "SCSS variables (*.scss)")), false, true},
        {PaletteFormat::Html, QStringLiteral("html"), QStringLiteral("html"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("PaletteFiles", "HTML sheet (*.html)")), false, true},
    };
    return formats;
}

const PaletteFormatInfo &formatInfo(PaletteFormat format)
{
    for (const PaletteFormatInfo &info : paletteFormats()) {
        if (info.format == format)
            return info;
    }
    return paletteFormats().first();
}

std::optional<PaletteFormat> paletteFormatNamed(const QString &keyOrSuffix)
{
    const QString name = keyOrSuffix.toLower();
    if (name == QLatin1String("htm"))
        return PaletteFormat::Html;
    for (const PaletteFormatInfo &info : paletteFormats()) {
        if (info.key == name || info.suffix == name)
            return info.format;
    }
    return std::nullopt;
}

std::optional<PaletteFormat> detectPaletteFormat(const QByteArray &bytes)
{
    if (bytes.startsWith("ASEF"))
        return PaletteFormat::Ase;
    if (bytes.size() >= 4 && bytes.at(0) == 0 && (bytes.at(1) == 1 || bytes.at(1) == 2))
        return PaletteFormat::Aco;
    const QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    const QByteArray start = text.left(64).trimmed();
    if (start.startsWith("GIMP Palette"))
        return PaletteFormat::Gimp;
    if (start.startsWith('{'))
        return PaletteFormat::Json;
    // The first line that is not blank or a comment is a colour.
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype end = from;
        while (end < text.size() && text.at(end) != '\n' && text.at(end) != '\r')
            ++end;
        const QString line = QString::fromUtf8(text.mid(from, std::min<qsizetype>(end - from, 4096))).trimmed();
        if (!line.isEmpty() && !isComment(line))
            return hexLine().match(line).hasMatch() ? std::optional(PaletteFormat::Hex) : std::nullopt;
        from = end + 1;
    }
    return std::nullopt;
}

std::optional<Palette> decodeHexList(const QByteArray &bytes, const QString &fallbackName, QString *error)
{
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    auto toUtf16 = QStringDecoder(QStringDecoder::Utf8);
    const QString text = toUtf16(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    if (toUtf16.hasError())
        return fail(QCoreApplication::translate("PaletteFiles", "the hex list is not UTF-8 text"));
    Palette palette{QUuid::createUuid(), fallbackName, {}, QString(), {}};
    const QStringList lines = textLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || isComment(line))
            continue;
        const QRegularExpressionMatch match = hexLine().match(line);
        if (!match.hasMatch())
            return fail(QCoreApplication::translate("PaletteFiles", "line %1 is not a color: \"%2\"")
                            .arg(i + 1)
                            .arg(quotedText(line.left(80))));
        if (palette.colors.size() == mostPaletteColors)
            return fail(
                QCoreApplication::translate("PaletteFiles", "it has more than %1 colors").arg(mostPaletteColors));
        const QString digits = match.captured(1);
        auto channel = [&digits](int at) { return digits.mid(at * 2, 2).toInt(nullptr, 16) / 255.0; };
        palette.appendColor(RGBA{channel(0), channel(1), channel(2), digits.size() == 8 ? channel(3) : 1.0},
                            match.captured(2).trimmed());
    }
    if (palette.colors.isEmpty())
        return fail(QCoreApplication::translate("PaletteFiles", "the hex list holds no color"));
    return palette;
}

QString paletteCode(const RGBA &color)
{
    return color.formatted(channelValue(color.a) < 255 ? QStringLiteral("HEX Alpha") : QStringLiteral("HEX"));
}

QStringList colorSlugs(const Palette &palette, const QString &beforeDigit)
{
    QStringList slugs;
    QSet<QString> used;
    for (qsizetype i = 0; i < palette.colors.size(); ++i) {
        // Only what is allowed is kept, so nothing else can reach a
        // declaration, whatever the name holds.
        QString base;
        bool gap = false;
        for (const QChar c : validText(palette.colorName(i)).toLower()) {
            const char16_t u = c.unicode();
            if ((u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9')) {
                if (gap && !base.isEmpty())
                    base += u'-';
                gap = false;
                base += c;
            } else {
                gap = true;
            }
        }
        if (base.isEmpty())
            base = QStringLiteral("color-%1").arg(i + 1);
        else if (base.front().isDigit())
            base.prepend(beforeDigit);
        QString slug = base;
        for (int n = 2; used.contains(slug); ++n)
            slug = base + u'-' + QString::number(n);
        used.insert(slug);
        slugs.append(slug);
    }
    return slugs;
}

QByteArray encodeHexList(const Palette &palette)
{
    QString text;
    for (qsizetype i = 0; i < palette.colors.size(); ++i) {
        text += paletteCode(palette.colors.at(i));
        const QString name = exportedText(palette.colorName(i)).trimmed();
        if (!name.isEmpty())
            text += u' ' + name;
        text += u'\n';
    }
    return text.toUtf8();
}

namespace {

// A style sheet: the palette's name in the head (without what would end a
// comment), then one line per colour made of its slug and code, then the tail.
QByteArray styleSheet(const Palette &palette, const QStringList &slugs, const QString &head, const QString &line,
                      const QString &tail)
{
    QString text = head.arg(commentText(palette.name));
    for (qsizetype i = 0; i < palette.colors.size(); ++i)
        text += line.arg(slugs.at(i), paletteCode(palette.colors.at(i)));
    return (text + tail).toUtf8();
}

} // namespace

QByteArray encodeCss(const Palette &palette)
{
    return styleSheet(palette, colorSlugs(palette), QStringLiteral("/* %1 */\n:root {\n"),
                      QStringLiteral("  --%1: %2;\n"), QStringLiteral("}\n"));
}

QByteArray encodeScss(const Palette &palette)
{
    // A Sass variable's name is an identifier, which cannot start with a
    // digit.
    return styleSheet(palette, colorSlugs(palette, QStringLiteral("color-")), QStringLiteral("// %1\n"),
                      QStringLiteral("$%1: %2;\n"), QString());
}

QByteArray encodeHtml(const Palette &palette)
{
    const QString title = escapedHtml(palette.name);
    QString html =
        QStringLiteral(
            "<!DOCTYPE html>\n"
            "<html lang=\"en\">\n"
            "<head>\n"
            "<meta charset=\"utf-8\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
            "<title>%1</title>\n"
            "<style>\n"
            "body { font-family: system-ui, sans-serif; margin: 2rem; background: #f5f5f7; color: #1d1d1f; }\n"
            "h1 { font-size: 1.5rem; }\n"
            "ul { list-style: none; padding: 0; display: grid; gap: 1rem;\n"
            "     grid-template-columns: repeat(auto-fill, minmax(10rem, 1fr)); }\n"
            "button { width: 100%; border: 1px solid rgba(0,0,0,.1); border-radius: .75rem; padding: 0;\n"
            "         background: #fff; cursor: pointer; text-align: left; font: inherit; overflow: hidden; }\n"
            ".swatch { height: 6rem; background-image: linear-gradient(45deg, #ccc 25%, transparent 25%),\n"
            "          linear-gradient(-45deg, #ccc 25%, transparent 25%); background-size: 1rem 1rem; }\n"
            ".swatch span { display: block; height: 100%; }\n"
            ".name, .code { display: block; padding: 0 .75rem; }\n"
            ".name { padding-top: .5rem; font-weight: 600; }\n"
            ".code { padding-bottom: .5rem; font-family: ui-monospace, monospace; }\n"
            "</style>\n"
            "</head>\n"
            "<body>\n"
            "<h1>%1</h1>\n"
            "<ul>\n")
            .arg(title);
    for (qsizetype i = 0; i < palette.colors.size(); ++i) {
        const QString code = paletteCode(palette.colors.at(i));
        const QString name = escapedHtml(palette.colorName(i));
        html += QStringLiteral(
                    "<li><button type=\"button\" data-code=\"%1\" title=\"Copy %1\">" // not shown: the sheet's markup
                    "<span class=\"swatch\"><span style=\"background: %1\"></span></span>"
                    "<span class=\"name\">%2</span><span class=\"code\">%1</span></button></li>\n")
                    .arg(code, name.isEmpty() ? QStringLiteral("&nbsp;") : name);
    }
    html += QStringLiteral("</ul>\n"
                           "<script>\n"
                           "for (const button of document.querySelectorAll('button[data-code]')) {\n"
                           "  button.addEventListener('click', () => {\n"
                           "    const code = button.dataset.code;\n"
                           "    const shown = button.querySelector('.code');\n"
                           "    navigator.clipboard.writeText(code).then(() => {\n"
                           "      shown.textContent = 'Copied';\n"
                           "      setTimeout(() => { shown.textContent = code; }, 1200);\n"
                           "    });\n"
                           "  });\n"
                           "}\n"
                           "</script>\n"
                           "</body>\n"
                           "</html>\n");
    return html.toUtf8();
}

} // namespace pigmentry
