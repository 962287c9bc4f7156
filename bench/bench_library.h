// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the benchmarks share: a clipboard that is not measured, and the
// largest history the library keeps, every record labelled.
#include "model/library/clipboard.h"
#include "model/library/library.h"
#include "model/library/preferences.h"

#include <QEvent>
#include <QObject>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace pigmentry::bench {

// Counts the paint events a widget receives, as an event filter on it.
class PaintWatch : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class NoClipboard : public Clipboard {
public:
    void setText(const QString &) override { }
};

// Where there is no display the views are measured off screen.
inline void offscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// A scratch folder with preferences in it: the history keeps its 5,000
// records and nothing goes to the clipboard.
struct Scratch {
    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("prefs.conf")), QSettings::IniFormat};
    Preferences prefs{&settings};

    Scratch()
    {
        prefs.setInteger(QStringLiteral("historyLimit"), 5000);
        prefs.setBoolean(QStringLiteral("autoCopy"), false);
    }
    QString path(const QString &name) const { return dir.filePath(name); }
};

// Prints the median and 90th percentile of times in milliseconds.
inline void report(const char *what, std::vector<double> times, const char *goal)
{
    std::sort(times.begin(), times.end());
    std::printf("%s: median %.3f ms, p90 %.3f ms (goal: %s)\n", what, times[times.size() / 2],
                times[times.size() * 9 / 10], goal);
}

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
