#pragma once

// What the benchmarks share: a clipboard that is not measured, and the
// largest history the library keeps, every record labelled.
#include "model/clipboard.h"
#include "model/library.h"

namespace pigmentry::bench {

class NoClipboard : public Clipboard {
public:
    void setText(const QString &) override {}
};

inline Library labelledHistory(int records = 5000)
{
    Library library;
    for (int i = 0; i < records; ++i) {
        ColorRecord record = ColorRecord::captured(RGBA{(i % 256) / 255.0, (i / 256) / 255.0, 0.5, 1.0}, i);
        record.label = QStringLiteral("Label number %1").arg(i);
        library.history.append(record);
    }
    return library;
}

} // namespace pigmentry::bench
