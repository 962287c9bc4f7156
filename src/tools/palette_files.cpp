// SPDX-License-Identifier: GPL-3.0-or-later
#include "palette_files.h"

#include "model/color/plain_text.h"
#include "model/library/library_file.h"
#include "model/library/store.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringConverter>

#include <algorithm>

namespace pigmentry {

namespace {

const QByteArray gimpHeader = QByteArrayLiteral("GIMP Palette");

QByteArray withoutByteOrderMark(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
}

// The first line, whatever ends it: LF, CR LF or a lone CR.
bool isGimpPalette(const QByteArray &bytes)
{
    const QByteArray text = withoutByteOrderMark(bytes);
    qsizetype end = 0;
    while (end < text.size() && text.at(end) != '\n' && text.at(end) != '\r')
        ++end;
    return text.left(end).trimmed() == gimpHeader;
}

// Text from a file: line breaks inside a name would break the GIMP format.
QString oneLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line) {
        if (c == u'\n' || c == u'\r')
            c = u' ';
    }
    return line;
}

} // namespace

std::optional<Palette> decodeGimpPalette(const QByteArray &bytes, const QString &fallbackName, QString *error)
{
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    auto toUtf16 = QStringDecoder(QStringDecoder::Utf8);
    const QString text = toUtf16(withoutByteOrderMark(bytes));
    if (toUtf16.hasError())
        return fail(QCoreApplication::translate("PaletteFiles", "the GIMP palette is not UTF-8 text"));
    // Lines end in LF, CR LF or a lone CR, as editors on any system left them.
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineEnd);
    if (lines.isEmpty() || lines.first().trimmed() != QLatin1String(gimpHeader))
        return fail(QCoreApplication::translate("PaletteFiles", "the file does not start with \"GIMP Palette\""));

    // "R G B" with an optional name after white space, as GIMP writes it.
    static const QRegularExpression colorLine(QStringLiteral(R"(^\s*(\d+)\s+(\d+)\s+(\d+)(?:\s+(.*))?$)"));
    Palette palette{QUuid::createUuid(), fallbackName, {}, QString(), {}};
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#') || trimmed.startsWith(QLatin1String("Columns:")))
            continue;
        if (trimmed.startsWith(QLatin1String("Name:"))) {
            palette.name = trimmed.mid(5).trimmed();
            continue;
        }
        const QRegularExpressionMatch match = colorLine.match(line);
        if (!match.hasMatch())
            return fail(QCoreApplication::translate("PaletteFiles", "line %1 is not a color: \"%2\"")
                            .arg(i + 1)
                            .arg(quotedText(trimmed)));
        int channels[3];
        for (int c = 0; c < 3; ++c) {
            bool ok = false;
            channels[c] = match.captured(c + 1).toInt(&ok);
            if (!ok || channels[c] > 255)
                return fail(QCoreApplication::translate("PaletteFiles", "line %1 has a value above 255: \"%2\"")
                                .arg(i + 1)
                                .arg(quotedText(trimmed)));
        }
        if (palette.colors.size() == mostPaletteColors)
            return fail(
                QCoreApplication::translate("PaletteFiles", "it has more than %1 colors").arg(mostPaletteColors));
        const RGBA color{channels[0] / 255.0, channels[1] / 255.0, channels[2] / 255.0, 1.0};
        // GIMP names an unnamed colour "Untitled", and files written before
        // names were kept named each colour by its code: neither is a name.
        QString name = match.captured(4).trimmed();
        if (name == QLatin1String("Untitled") || name.compare(color.hex(), Qt::CaseInsensitive) == 0)
            name.clear();
        palette.appendColor(color, name);
    }
    return palette;
}

std::optional<Palette> decodePaletteFile(const QByteArray &bytes, const QString &fallbackName, QString *error)
{
    if (withoutByteOrderMark(bytes).trimmed().isEmpty()) {
        if (error)
            *error = QCoreApplication::translate("PaletteFiles", "the file is empty");
        return std::nullopt;
    }
    if (bytes.size() > largestPaletteFile) {
        if (error)
            *error = QCoreApplication::translate("PaletteFiles", "it is larger than %1 MiB")
                         .arg(largestPaletteFile / 1024 / 1024);
        return std::nullopt;
    }
    const std::optional<PaletteFormat> format = detectPaletteFormat(bytes);
    // What the first bytes tell of a file that is not a palette at all.
    if (!format) {
        static const std::pair<const char *, const char *> kinds[] = {
            {"\xFF\xD8\xFF", "a JPEG image"}, {"\x89PNG\r\n\x1A\n", "a PNG image"}, {"GIF87a", "a GIF image"},
            {"GIF89a", "a GIF image"},        {"%PDF-", "a PDF document"},
        };
        for (const auto &[magic, kind] : kinds) {
            if (bytes.startsWith(magic)) {
                if (error)
                    *error = QCoreApplication::translate("PaletteFiles", "the file is not a palette: it is %1")
                                 .arg(QLatin1String(kind));
                return std::nullopt;
            }
        }
    }
    switch (format.value_or(PaletteFormat::Json)) {
    case PaletteFormat::Gimp: return decodeGimpPalette(bytes, fallbackName, error);
    case PaletteFormat::Ase: return decodeAse(bytes, fallbackName, error);
    case PaletteFormat::Aco: return decodeAco(bytes, fallbackName, error);
    case PaletteFormat::Hex: return decodeHexList(bytes, fallbackName, error);
    default: break;
    }
    const auto object = parseJsonObject(bytes, error);
    if (!object)
        return std::nullopt;
    std::optional<Palette> palette = Palette::fromJson(*object, error);
    if (palette && palette->colors.size() > mostPaletteColors) {
        if (error)
            *error = QCoreApplication::translate("PaletteFiles", "it has more than %1 colors").arg(mostPaletteColors);
        return std::nullopt;
    }
    // Colours from elsewhere come in within 0…1, so that every code made of
    // them is well-formed (a component of 1e300 would print 300 digits).
    if (palette) {
        for (RGBA &color : palette->colors) {
            for (double *component : {&color.r, &color.g, &color.b, &color.a})
                *component = std::clamp(*component, 0.0, 1.0);
        }
    }
    return palette;
}

std::optional<Palette> readPaletteFile(const QString &path, QString *error)
{
    const std::optional<QByteArray> bytes = readRegularFile(path, largestPaletteFile, error);
    if (!bytes)
        return std::nullopt;
    const QString fallbackName = QFileInfo(path).completeBaseName();
    std::optional<Palette> palette = decodePaletteFile(*bytes, fallbackName, error);
    // Content decides; but a file named as a GIMP palette that is neither
    // is told why it is no GIMP palette, not that it is no JSON.
    if (!palette && error && !isGimpPalette(*bytes) && !withoutByteOrderMark(*bytes).trimmed().isEmpty()
        && QFileInfo(path).suffix().compare(QLatin1String("gpl"), Qt::CaseInsensitive) == 0) {
        decodeGimpPalette(*bytes, fallbackName, error);
        *error = QCoreApplication::translate("PaletteFiles", "not a GIMP palette: %1").arg(*error);
    }
    return palette;
}

std::optional<Palette> decodeImportedPalette(const QByteArray &bytes, QString *error)
{
    std::optional<Palette> palette = decodePaletteFile(bytes, QString(), error);
    if (palette)
        palette->id = QUuid::createUuid();
    return palette;
}

QByteArray encodeGimpPalette(const Palette &palette)
{
    // Names as every text format writes them: a tab or a line break would
    // break the format, and what a terminal reads as a command is escaped.
    QString text = QStringLiteral("GIMP Palette\nName: %1\nColumns: 0\n#\n").arg(printable(oneLine(palette.name)));
    for (qsizetype i = 0; i < palette.colors.size(); ++i) {
        const RGBA &color = palette.colors.at(i);
        const QString name = printable(oneLine(palette.colorName(i))).trimmed();
        text += QStringLiteral("%1 %2 %3\t%4\n")
                    .arg(channelValue(color.r), 3)
                    .arg(channelValue(color.g), 3)
                    .arg(channelValue(color.b), 3)
                    .arg(name.isEmpty() ? color.hex() : name);
    }
    return text.toUtf8();
}

std::optional<QByteArray> encodePaletteAs(const Palette &palette, PaletteFormat format, QString *error)
{
    switch (format) {
    case PaletteFormat::Gimp: return encodeGimpPalette(palette);
    case PaletteFormat::Ase: return encodeAse(palette);
    case PaletteFormat::Hex: return encodeHexList(palette);
    case PaletteFormat::Css: return encodeCss(palette);
    case PaletteFormat::Scss: return encodeScss(palette);
    case PaletteFormat::Html: return encodeHtml(palette);
    case PaletteFormat::Aco:
        if (error)
            *error = QCoreApplication::translate("PaletteFiles", "Photoshop swatches are read, not written");
        return std::nullopt;
    case PaletteFormat::Json: break;
    }
    return encodePalette(palette, error);
}

QString paletteFormatLoss(const Palette &palette, PaletteFormat format)
{
    if (format != PaletteFormat::Gimp && format != PaletteFormat::Ase)
        return QString();
    const bool translucent = std::any_of(palette.colors.cbegin(), palette.colors.cend(),
                                         [](const RGBA &color) { return channelValue(color.a) < 255; });
    if (!translucent)
        return QString();
    return format == PaletteFormat::Ase
        ? QCoreApplication::translate("PaletteFiles", "ASE holds no transparency: the colors were saved opaque.")
        : QCoreApplication::translate("PaletteFiles",
                                      "A GIMP palette holds no transparency: the colors were saved opaque.");
}

QString historyText(const Library &library)
{
    QStringList lines;
    lines.reserve(library.history.size());
    for (const ColorRecord &record : library.history)
        lines.append(record.color.hex());
    return lines.join(u'\n');
}

void PaletteFiles::exportText(const QString &text, const QString &ext)
{
    const std::optional<QString> path = dialogs_.saveFile(QLatin1String("Pigmentry.") + ext);
    if (!path || path->isEmpty())
        return;
    if (const Result written = writeFileAtomically(*path, text.toUtf8()); !written)
        store_.setNotice(written.error(), Store::NoticeKind::Failure);
}

void PaletteFiles::exportPalette(const Palette &palette)
{
    QStringList filters;
    for (const PaletteFormatInfo &info : paletteFormats()) {
        if (info.writes)
            filters.append(QCoreApplication::translate("PaletteFiles", info.filter.toUtf8().constData()));
    }
    // The palette's name as the file's, without what would make it a path.
    QString base = oneLine(palette.name).trimmed();
    base.replace(u'/', u'-');
    if (base.isEmpty() || base.startsWith(u'.'))
        base = QStringLiteral("Pigmentry") + base;
    QString filter;
    const std::optional<QString> path = dialogs_.saveFile(base + QLatin1String(".json"), filters, &filter);
    if (!path || path->isEmpty())
        return;
    std::optional<PaletteFormat> format = paletteFormatNamed(QFileInfo(*path).suffix());
    if (!format || !formatInfo(*format).writes) {
        format = PaletteFormat::Json;
        for (const PaletteFormatInfo &info : paletteFormats()) {
            if (QCoreApplication::translate("PaletteFiles", info.filter.toUtf8().constData()) == filter)
                format = info.format;
        }
    }
    QString error;
    std::optional<QByteArray> bytes = encodePaletteAs(palette, *format, &error);
    if (!bytes) {
        store_.setNotice(error, Store::NoticeKind::Failure);
        return;
    }
    if (const Result written = writeFileAtomically(*path, *bytes); !written) {
        store_.setNotice(written.error(), Store::NoticeKind::Failure);
        return;
    }
    const int count = int(palette.colors.size());
    const QString exported =
        (count == 1 ? QCoreApplication::translate("PaletteFiles", "Exported 1 color to %1")
                    : QCoreApplication::translate("PaletteFiles", "Exported %n colors to %1", nullptr, count))
            .arg(QFileInfo(*path).fileName());
    if (const QString loss = paletteFormatLoss(palette, *format); !loss.isEmpty())
        store_.setNotice(exported + QLatin1String(". ") + loss, Store::NoticeKind::Info);
    else
        store_.setNotice(exported, Store::NoticeKind::Done);
}

void PaletteFiles::exportHistory()
{
    exportText(historyText(store_.library()), QStringLiteral("txt"));
}

void PaletteFiles::importPalette()
{
    QStringList suffixes;
    for (const PaletteFormatInfo &info : paletteFormats()) {
        if (info.reads)
            suffixes.append(QLatin1String("*.") + info.suffix);
    }
    const std::optional<QString> path =
        dialogs_.openFile({QCoreApplication::translate("PaletteFiles", "Palettes (%1)").arg(suffixes.join(u' ')),
                           QCoreApplication::translate("PaletteFiles", "All files (*)")});
    if (!path || path->isEmpty())
        return;
    QString error;
    std::optional<Palette> palette = readPaletteFile(*path, &error);
    if (!palette) {
        store_.setNotice(QCoreApplication::translate("PaletteFiles", "Invalid palette: %1").arg(error),
                         Store::NoticeKind::Failure);
        return;
    }
    palette->id = QUuid::createUuid();
    const QString before = store_.notice();
    store_.appendPalette(*palette);
    // A failure to save it is what the store said instead.
    if (store_.noticeKind() == Store::NoticeKind::Failure && store_.notice() != before)
        return;
    const int count = int(palette->colors.size());
    store_.setNotice((count == 1
                          ? QCoreApplication::translate("PaletteFiles", "Imported “%1” (1 color)")
                          : QCoreApplication::translate("PaletteFiles", "Imported “%1” (%n colors)", nullptr, count))
                         .arg(quotedText(palette->name)),
                     Store::NoticeKind::Done);
}

} // namespace pigmentry
