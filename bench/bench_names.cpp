// SPDX-License-Identifier: GPL-3.0-or-later
// The nearest name of a colour over the whole list (CSS and xkcd names), as
// the popover and the inspector ask for it on every change of selection:
// microseconds a colour, the first call (which prepares the list) apart.
#include "model/color/color_names.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pigmentry;

int main()
{
    QElapsedTimer timer;
    timer.start();
    (void)colorName(RGBA{0.1, 0.2, 0.3, 1.0});
    const double first = double(timer.nsecsElapsed()) / 1e3;
    std::vector<double> times;
    qsizetype characters = 0;
    for (int i = 0; i < 20000; ++i) {
        const RGBA color{(i * 37 % 256) / 255.0, (i * 91 % 256) / 255.0, (i * 53 % 256) / 255.0, 1.0};
        timer.start();
        characters += colorName(color).size();
        times.push_back(double(timer.nsecsElapsed()) / 1e3);
    }
    std::sort(times.begin(), times.end());
    std::printf("Nearest name: median %.1f us, p99 %.1f us a colour, first call %.0f us (%lld characters; goal: "
                "<= 50 us)\n",
                times[times.size() / 2], times[times.size() * 99 / 100], first, static_cast<long long>(characters));
    return 0;
}
