// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <memory>

namespace pigmentry {

// What xcb hands over to be freed (a reply, an error), freed when the
// holder goes.
struct XcbFree {
    void operator()(void *memory) const { std::free(memory); }
};
template <typename T>
using XcbOwned = std::unique_ptr<T, XcbFree>;

} // namespace pigmentry
