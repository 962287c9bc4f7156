// SPDX-License-Identifier: GPL-3.0-or-later
// formatted() over all thirteen formats: codes per second.
#include "model/color/rgba.h"

#include <QElapsedTimer>

#include <cstdio>

using namespace pigmentry;

int main()
{
    const QStringList &formats = RGBA::formats();
    QElapsedTimer timer;
    timer.start();
    qsizetype total = 0;
    long long codes = 0;
    for (int i = 0; i < 100000; ++i) {
        const RGBA color{(i % 256) / 255.0, ((i / 7) % 256) / 255.0, ((i / 13) % 256) / 255.0, (i % 100) / 100.0};
        for (const QString &name : formats) {
            total += color.formatted(name).size();
            ++codes;
        }
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("formatted: %.2f million codes a second (%lld codes, %lld characters; goal: >= 1 million)\n",
                double(codes) / seconds / 1e6, codes, static_cast<long long>(total));
    return 0;
}
