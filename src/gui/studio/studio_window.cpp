// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio_window.h"

#include "gui/kit/divider.h"
#include "gui/kit/labels.h"
#include "gui/kit/style.h"
#include "gui/kit/theme.h"
#include "gui/kit/window_accessible.h"
#include "gui/studio/inspector.h"
#include "gui/studio/sidebar.h"
#include "model/library/store.h"
#include "shortcut/shortcut_settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>

namespace pigmentry {

namespace {

// The 36 x 36 accent tile with the white eyedropper.
class IconTile : public QWidget {
public:
    IconTile() { setFixedSize(36, 36); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(theme::accent());
        painter.drawRoundedRect(QRectF(rect()), 10, 10);
        painter.drawPixmap(QPointF(8.5, 8.5),
                           theme::pixmap(QStringLiteral("eyedropper"), 19, Qt::white, devicePixelRatioF()));
    }
};

class Dot : public QWidget {
public:
    Dot() { setFixedSize(6, 6); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(theme::green());
        painter.drawEllipse(QRectF(rect()));
    }
};

QWidget *filled(QWidget *widget, QPalette::ColorRole role)
{
    widget->setBackgroundRole(role);
    widget->setAutoFillBackground(true);
    return widget;
}

} // namespace

StudioWindow::StudioWindow(Store &store, ShortcutSettings &shortcuts, Preferences &prefs, DesktopServices &desktop,
                           std::function<void()> pick, QUndoStack *undo, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , context_{store,
               prefs,
               shortcuts,
               desktop,
               undo ? *undo : ownUndo_,
               state_,
               std::move(pick),
               [this](Page p) { setPage(p); },
               {}}
{
    setWindowTitle(tr("Pigmentry — Color Studio"));
    announceAsWindow(this);
    setMinimumSize(smallestSize);
    resize(defaultSize);

    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    columns->addWidget(makeSidebar());
    columns->addWidget(new Divider(Qt::Vertical));

    auto *detail = filled(new QWidget, QPalette::Window);
    detail->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto *detailStack = new QVBoxLayout(detail);
    detailStack->setContentsMargins(0, 0, 0, 0);
    detailStack->setSpacing(0);
    detailStack->addWidget(makeToolbar());
    detailStack->addWidget(new Divider);

    auto *main = new QHBoxLayout;
    main->setSpacing(0);
    stack_ = new QStackedWidget;
    stack_->setObjectName(QStringLiteral("pages"));
    main->addWidget(stack_, 1);
    inspectorDivider_ = new Divider(Qt::Vertical);
    main->addWidget(inspectorDivider_);
    inspectorColumn_ = new QScrollArea;
    inspectorColumn_->setObjectName(QStringLiteral("inspectorColumn"));
    inspectorColumn_->setFrameShape(QFrame::NoFrame);
    inspectorColumn_->setFocusPolicy(Qt::NoFocus);
    inspectorColumn_->setWidgetResizable(true);
    inspectorColumn_->setFixedWidth(280);
    inspectorColumn_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    inspectorColumn_->viewport()->setBackgroundRole(QPalette::Base);
    inspector_ = new Inspector(context_);
    filled(inspector_, QPalette::Base);
    inspectorColumn_->setWidget(inspector_);
    main->addWidget(inspectorColumn_);
    detailStack->addLayout(main, 1);
    detailStack->addWidget(new Divider);
    detailStack->addWidget(makeStatusBar());
    columns->addWidget(detail, 1);

    // Ctrl+Z takes back the collection's deletions; a text field that has
    // the focus keeps the keys for its own text.
    // A shared stack may hold steps already, and keeps the limit it has.
    if (context_.undo.count() == 0)
        context_.undo.setUndoLimit(50);
    QAction *undoAction = context_.undo.createUndoAction(this);
    undoAction->setShortcuts(QKeySequence::Undo);
    addAction(undoAction);
    QAction *redoAction = context_.undo.createRedoAction(this);
    redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addAction(redoAction);

    connect(&store, &Store::noticeChanged, this, &StudioWindow::updateStatus);
    connect(&shortcuts, &ShortcutSettings::configurationChanged, this, &StudioWindow::updateStatus);
    connect(&shortcuts, &ShortcutSettings::registeredChanged, this, &StudioWindow::updateStatus);
    connect(sidebar_, &Sidebar::pageChanged, this, [this](std::optional<Page> page) {
        page_ = page;
        showPageContent();
    });
    updateStatus();
    setPage(Page::picker);
}

QWidget *StudioWindow::makeSidebar()
{
    auto *column = new QWidget;
    column->setMinimumWidth(195);
    column->setMaximumWidth(235);
    column->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    auto *stack = new QVBoxLayout(column);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(18, 24, 18, 24);
    header->setSpacing(10);
    header->addWidget(new IconTile);
    auto *name = new QVBoxLayout;
    name->setSpacing(2);
    name->addWidget(textLabel(QStringLiteral("Pigmentry"), theme::font(16, QFont::DemiBold), theme::Tone::Primary));
    name->addWidget(textLabel(tr("COLOR STUDIO"), tracked(theme::font(9, QFont::Medium), 1.5), theme::Tone::Secondary));
    header->addLayout(name);
    header->addStretch();
    stack->addLayout(header);

    sidebar_ = new Sidebar;
    stack->addWidget(sidebar_, 1);

    auto *footer = new QHBoxLayout;
    footer->setContentsMargins(18, 18, 18, 18);
    footer->setSpacing(7);
    footer->addWidget(new Dot);
    // Longer in some languages than the column is wide: it wraps.
    Label *privacy = textLabel(tr("All colors stay on this computer"), theme::font(10), theme::Tone::Secondary);
    privacy->setWordWrap(true);
    footer->addWidget(privacy, 1);
    footer->addStretch();
    stack->addLayout(footer);
    return column;
}

QWidget *StudioWindow::makeToolbar()
{
    auto *toolbar = new QWidget;
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setFixedHeight(54);
    auto *row = new QHBoxLayout(toolbar);
    row->setContentsMargins(24, 0, 24, 0);
    toolbarIcon_ = new SymbolLabel(symbol(Page::picker), 15, theme::Tone::Secondary);
    row->addWidget(toolbarIcon_);
    toolbarTitle_ = textLabel(QString(), theme::font(13, QFont::Medium), theme::Tone::Secondary);
    toolbarTitle_->setObjectName(QStringLiteral("toolbarTitle"));
    row->addWidget(toolbarTitle_);
    row->addStretch();
    auto *copy = new QPushButton(theme::icon(QStringLiteral("doc.on.doc")), tr("Copy Color"));
    copy->setObjectName(QStringLiteral("copyColor"));
    copy->setToolTip(tr("Copy in your preferred format"));
    connect(copy, &QPushButton::clicked, this, [this] { context_.store.copy(context_.store.selected()); });
    row->addWidget(copy);
    auto *pick = new QPushButton(theme::icon(QStringLiteral("eyedropper"), theme::Tone::White), tr("Pick Color"));
    pick->setObjectName(QStringLiteral("pickColor"));
    makeProminent(pick);
    connect(pick, &QPushButton::clicked, this, [this] { context_.pick(); });
    row->addWidget(pick);
    lastToolbarControl_ = pick;
    return toolbar;
}

QWidget *StudioWindow::makeStatusBar()
{
    auto *bar = new QWidget;
    bar->setFixedHeight(28);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(20, 0, 20, 0);
    row->setSpacing(8);
    statusIcon_ = new SymbolLabel(QStringLiteral("lock.shield"), 12, theme::Tone::Secondary);
    row->addWidget(statusIcon_);
    statusText_ = withName(new NoticeLabel(theme::font(10)), QStringLiteral("statusText"));
    row->addWidget(statusText_, 1);
    row->addWidget(textLabel(QStringLiteral("sRGB"), theme::monospace(10), theme::Tone::Secondary));
    row->addWidget(textLabel(QStringLiteral("•"), theme::font(10), theme::Tone::Secondary));
    statusShortcut_ = textLabel(QString(), theme::font(10), theme::Tone::Secondary);
    statusShortcut_->setObjectName(QStringLiteral("statusShortcut"));
    row->addWidget(statusShortcut_);
    return bar;
}

void StudioWindow::setPage(std::optional<Page> page)
{
    sidebar_->setPage(page);
    // Selecting the row already showed it; a cleared or unchanged selection
    // is shown here.
    page_ = sidebar_->page();
    showPageContent();
}

QWidget *StudioWindow::scrolledContent() const
{
    const auto *scroll = stack_->currentWidget() ? stack_->currentWidget()->findChild<QScrollArea *>() : nullptr;
    if (scroll && scroll->widget() && scroll->widget()->height() > scroll->viewport()->height())
        return scroll->widget();
    return nullptr;
}

void StudioWindow::showPageContent()
{
    const Page shown = shownPage();
    QWidget *&widget = pages_[shown];
    if (!widget) {
        widget = createPage(shown, context_);
        stack_->addWidget(widget);
        placeInTabChain(widget);
    }
    stack_->setCurrentWidget(widget);
    toolbarIcon_->setSymbol(symbol(shown), theme::Tone::Secondary);
    toolbarTitle_->setText(title(shown));
    const bool settings = shown == Page::settings;
    inspectorDivider_->setVisible(!settings);
    inspectorColumn_->setVisible(!settings);
}

// A page built after the inspector would come after it in the tab chain;
// its controls go between the toolbar and the inspector, as they are read.
void StudioWindow::placeInTabChain(QWidget *page)
{
    QList<QWidget *> controls;
    for (QWidget *next = page->nextInFocusChain(); next != page && page->isAncestorOf(next);
         next = next->nextInFocusChain()) {
        if (next->focusPolicy() & Qt::TabFocus)
            controls << next;
    }
    QWidget *previous = lastToolbarControl_;
    for (QWidget *control : std::as_const(controls)) {
        // A control brings the parts it is made of (a spin box's field).
        if (control != previous && previous->isAncestorOf(control))
            continue;
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void StudioWindow::updateStatus()
{
    const Store &store = context_.store;
    const bool quiet = store.notice().isEmpty();
    const bool failure = !quiet && store.noticeKind() == Store::NoticeKind::Failure;
    if (quiet)
        statusIcon_->setSymbol(QStringLiteral("lock.shield"), theme::Tone::Secondary);
    else if (failure)
        statusIcon_->setSymbol(QStringLiteral("exclamationmark.circle"), theme::Tone::Red);
    else if (store.noticeKind() == Store::NoticeKind::Info)
        statusIcon_->setSymbol(QStringLiteral("exclamationmark.circle"), theme::Tone::Secondary);
    else
        statusIcon_->setSymbol(QStringLiteral("checkmark.circle"), theme::Tone::Green);
    statusText_->showNotice(quiet ? tr("On-device color tools") : store.notice(), failure);
    statusShortcut_->setText(context_.shortcuts.shownText());
    statusShortcut_->setToolTip(context_.shortcuts.registered() ? QString() : context_.shortcuts.error());
}

void StudioWindow::showEvent(QShowEvent *event)
{
    // Each showing starts the hex field from the selected colour.
    inspector_->syncHex();
    QWidget::showEvent(event);
}

} // namespace pigmentry
