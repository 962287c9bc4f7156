// SPDX-License-Identifier: GPL-3.0-or-later
// Image extraction: any file gives colours or "unreadable", within the decode
// bounds, never a crash, an abort or a hang. As the command and the Studio
// run it: with a GUI application object (an SVG with text needs fonts).
#include "tools/image_extractor.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

QTemporaryDir *folder()
{
    static QTemporaryDir dir;
    return &dir;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_extract";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!qGuiApp) {
        int argc = 0;
        LLVMFuzzerInitialize(&argc, nullptr);
    }
    // The file's name decides nothing: Qt tells the format by content.
    const QString path = folder()->filePath(QStringLiteral("input"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        __builtin_trap();
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    const pigmentry::Extraction result = pigmentry::ImageExtractor::extractFile(path, QSize(300, 300));
    if (!result.readable && !result.colors.isEmpty())
        __builtin_trap();
    return 0;
}
