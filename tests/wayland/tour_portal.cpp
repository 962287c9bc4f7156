// SPDX-License-Identifier: GPL-3.0-or-later
// The Screenshot portal of the Wayland tour: headless weston has no portal,
// so this one answers each Screenshot with what weston-screenshooter (weston
// started with --debug) sees. Runs until it is killed.
#include "fake_portal.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    // No window of its own: it only needs images.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir shots;
    pigmentry::test::FakePortal portal;
    portal.takeShot = [&shots] {
        QProcess screenshooter;
        screenshooter.setWorkingDirectory(shots.path());
        screenshooter.start(QStringLiteral("weston-screenshooter"), {});
        screenshooter.waitForFinished(10000);
        const QFileInfoList files =
            QDir(shots.path()).entryInfoList({QStringLiteral("*.png")}, QDir::Files, QDir::Time);
        QImage image = files.isEmpty() ? QImage() : QImage(files.first().filePath());
        for (const QFileInfo &file : files)
            QFile::remove(file.filePath());
        return image;
    };
    if (!portal.registerOnBus()) {
        std::fputs("tour_portal: cannot own org.freedesktop.portal.Desktop\n", stderr);
        return 1;
    }
    return app.exec();
}
