// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/palette/swatch_selection.h"

#include <algorithm>

namespace pigmentry {

QList<int> SwatchSelection::actedOn(int position) const
{
    if (isMarked(position))
        return marked_;
    return {position};
}

void SwatchSelection::clear()
{
    focused_ = -1;
    marked_.clear();
    anchor_ = -1;
}

void SwatchSelection::focus(int position, bool extend)
{
    focused_ = position;
    if (position < 0) {
        marked_.clear();
    } else if (anchor_ < 0 || !extend) {
        anchor_ = position;
        marked_ = {position};
    } else {
        marked_.clear();
        for (int i = std::min(anchor_, position); i <= std::max(anchor_, position); ++i)
            marked_.append(i);
    }
}

void SwatchSelection::toggle(int position)
{
    focused_ = position;
    if (!marked_.removeOne(position)) {
        marked_.append(position);
        std::sort(marked_.begin(), marked_.end());
    }
    anchor_ = position;
}

void SwatchSelection::selectAll(int count)
{
    if (count <= 0)
        return;
    if (focused_ < 0)
        focused_ = 0;
    anchor_ = 0;
    marked_.clear();
    for (int i = 0; i < count; ++i)
        marked_.append(i);
}

void SwatchSelection::removed(const QList<int> &positions, int count)
{
    const int left = count - int(positions.size());
    const int next = left > 0 && !positions.isEmpty() ? std::min(positions.first(), left - 1) : -1;
    clear();
    focus(next);
}

void SwatchSelection::fit(int count)
{
    if (focused_ >= count)
        focused_ = count - 1;
    marked_.removeIf([count](int position) { return position >= count; });
}

} // namespace pigmentry
