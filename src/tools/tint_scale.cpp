// SPDX-License-Identifier: GPL-3.0-or-later
#include "tint_scale.h"

#include "model/color/oklab.h"

#include <array>
#include <cmath>

namespace pigmentry {

QList<TintStep> tintScale(const RGBA &color)
{
    static constexpr std::array<std::pair<int, double>, 11> steps{{{50, 0.97},
                                                                   {100, 0.93},
                                                                   {200, 0.87},
                                                                   {300, 0.79},
                                                                   {400, 0.70},
                                                                   {500, 0.62},
                                                                   {600, 0.53},
                                                                   {700, 0.45},
                                                                   {800, 0.37},
                                                                   {900, 0.29},
                                                                   {950, 0.21}}};
    const Oklch lch = toOklch(toOklab(color));
    size_t own = 0;
    for (size_t i = 1; i < steps.size(); ++i) {
        if (std::abs(steps[i].second - lch.l) < std::abs(steps[own].second - lch.l))
            own = i;
    }
    QList<TintStep> scale;
    for (size_t i = 0; i < steps.size(); ++i) {
        const RGBA shade = i == own ? RGBA{color.r, color.g, color.b, 1.0} : fittedOklch(steps[i].second, lch.c, lch.h);
        scale.append({steps[i].first, shade});
    }
    return scale;
}

} // namespace pigmentry
