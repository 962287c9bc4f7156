// SPDX-License-Identifier: GPL-3.0-or-later
#include "page_frame.h"

#include "gui/kit/labels.h"
#include "gui/kit/theme.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace pigmentry {

namespace {

QWidget *header(Page page)
{
    auto *block = new QWidget;
    auto *stack = new QVBoxLayout(block);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(6);
    auto *title = textLabel(pigmentry::title(page), theme::font(27, QFont::DemiBold), theme::Tone::Primary);
    title->setObjectName(QStringLiteral("pageTitle"));
    stack->addWidget(title);
    auto *subtitle = textLabel(pigmentry::subtitle(page), theme::font(13), theme::Tone::Secondary);
    subtitle->setObjectName(QStringLiteral("pageSubtitle"));
    stack->addWidget(subtitle);
    return block;
}

// The page's content block, limited in width and padded, with its header.
QWidget *block(Page page, QWidget *body, bool bodyStretches)
{
    auto *block = new QWidget;
    block->setObjectName(QStringLiteral("pageBlock"));
    block->setMaximumWidth(pageMaximumWidth(page));
    block->setSizePolicy(QSizePolicy::Expanding, bodyStretches ? QSizePolicy::Expanding : QSizePolicy::Preferred);
    auto *stack = new QVBoxLayout(block);
    stack->setContentsMargins(28, 28, 28, 28);
    stack->setSpacing(24);
    stack->addWidget(header(page));
    stack->addWidget(body, bodyStretches ? 1 : 0);
    if (!bodyStretches)
        stack->addStretch();
    return block;
}

QWidget *root(Page page)
{
    auto *root = new QWidget;
    root->setObjectName(key(page));
    root->setBackgroundRole(QPalette::Window);
    root->setAutoFillBackground(true);
    return root;
}

} // namespace

int pageMaximumWidth(Page page)
{
    return page == Page::settings ? 720 : 900;
}

QWidget *scrollingPage(Page page, QWidget *body)
{
    QWidget *page_ = root(page);
    auto *layout = new QVBoxLayout(page_);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *scroll = new QScrollArea;
    // Not a stop of its own: Tab goes to what it holds, which it scrolls into view.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setBackgroundRole(QPalette::Window);
    auto *area = new QWidget;
    area->setBackgroundRole(QPalette::Window);
    auto *row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    // The block takes the width up to its maximum; the rest stays empty.
    row->addWidget(block(page, body, false), 1000);
    row->addStretch(1);
    scroll->setWidget(area);
    layout->addWidget(scroll);
    return page_;
}

QWidget *viewPage(Page page, QWidget *body)
{
    QWidget *page_ = root(page);
    auto *row = new QHBoxLayout(page_);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(block(page, body, true), 1000);
    row->addStretch(1);
    return page_;
}

} // namespace pigmentry
