// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/studio/page.h"

class QWidget;

namespace pigmentry {

// A page whose body is a form or a stack of cards: the page header and the
// body, padded by 28, in a block at most 900 wide (720 on Settings) aligned
// to the leading edge, the whole in a vertically scrolling area on the
// window background.
QWidget *scrollingPage(Page page, QWidget *body);

// A page that scrolls its own view (a grid of thousands of colours): the
// header stays above the body, which takes the rest of the height.
QWidget *viewPage(Page page, QWidget *body);

// The page's widest block.
int pageMaximumWidth(Page page);

} // namespace pigmentry
