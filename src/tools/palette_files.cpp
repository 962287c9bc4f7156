#include "palette_files.h"

#include "model/library_file.h"
#include "model/store.h"

#include <QStringConverter>

namespace pigmentry {

std::optional<Palette> decodeImportedPalette(const QByteArray &bytes, QString *error)
{
    const auto object = parseJsonObject(bytes, error);
    if (!object)
        return std::nullopt;
    std::optional<Palette> palette = Palette::fromJson(*object, error);
    if (palette)
        palette->id = QUuid::createUuid();
    return palette;
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
    if (const auto error = writeFileAtomically(*path, text.toUtf8()))
        store_.setNotice(*error);
}

void PaletteFiles::exportPalette(const Palette &palette)
{
    const std::optional<QByteArray> bytes = encodePalette(palette, nullptr);
    if (!bytes)
        return;
    auto toUtf16 = QStringDecoder(QStringDecoder::Utf8);
    const QString text = toUtf16(*bytes);
    if (toUtf16.hasError())
        return;
    exportText(text, QStringLiteral("json"));
}

void PaletteFiles::exportHistory()
{
    exportText(historyText(store_.library()), QStringLiteral("txt"));
}

void PaletteFiles::importPalette()
{
    const std::optional<QString> path = dialogs_.openFile();
    if (!path || path->isEmpty())
        return;
    QString error;
    const std::optional<QByteArray> bytes = readRegularFile(*path, largestPaletteFile, &error);
    if (!bytes) {
        store_.setNotice(QLatin1String("Invalid palette: ") + error);
        return;
    }
    const std::optional<Palette> palette = decodeImportedPalette(*bytes, &error);
    if (!palette) {
        store_.setNotice(QLatin1String("Invalid palette: ") + error);
        return;
    }
    store_.appendPalette(*palette);
}

} // namespace pigmentry
