// SPDX-License-Identifier: GPL-3.0-or-later
#include "sidebar.h"

#include "gui/kit/labels.h"
#include "gui/kit/painted_item_accessible.h"
#include "gui/kit/swatch_painting.h"
#include "gui/kit/theme.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QDragMoveEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace pigmentry {

namespace {

constexpr int pageRole = Qt::UserRole + 1;

// The rows of pages, in order: the section titles and the spacer are
// painted for the eye and are not items.
QList<int> pageRows(const QListWidget *list)
{
    QList<int> rows;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->data(pageRole).isValid())
            rows.append(i);
    }
    return rows;
}

// One page's row as a screen reader meets it.
class PageRowAccessible : public PaintedItemAccessible {
public:
    PageRowAccessible(QListWidget *list, int row)
        : PaintedItemAccessible(list)
        , row_(row)
    { }
    bool isValid() const override { return view && row_ < sidebar()->count(); }
    QString text(QAccessible::Text kind) const override
    {
        return isValid() && kind == QAccessible::Name ? sidebar()->item(row_)->text() : QString();
    }
    void doAction(const QString &action) override
    {
        if (isValid() && action == pressAction())
            sidebar()->setCurrentRow(row_);
    }

protected:
    QRect localRect() const override { return sidebar()->visualItemRect(sidebar()->item(row_)); }
    void addState(QAccessible::State &state) const override
    {
        state.selectable = true;
        state.selected = sidebar()->item(row_)->isSelected();
        state.focused = view->hasFocus() && sidebar()->currentRow() == row_;
    }

private:
    QListWidget *sidebar() const { return static_cast<QListWidget *>(view.data()); }

    int row_;
};

// The sidebar: a list of the pages only.
class SidebarAccessible : public QAccessibleWidget {
public:
    explicit SidebarAccessible(QListWidget *list)
        : QAccessibleWidget(list, QAccessible::List)
    { }
    ~SidebarAccessible() override
    {
        for (const QAccessible::Id id : std::as_const(rows_))
            QAccessible::deleteAccessibleInterface(id);
    }
    int childCount() const override { return int(pageRows(list()).size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<int> pages = pageRows(list());
        if (index < 0 || index >= pages.size())
            return nullptr;
        if (const auto made = rows_.constFind(index); made != rows_.constEnd())
            return QAccessible::accessibleInterface(*made);
        auto *row = new PageRowAccessible(list(), pages.at(index));
        rows_.insert(index, QAccessible::registerAccessibleInterface(row));
        return row;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (auto made = rows_.constBegin(); made != rows_.constEnd(); ++made) {
            if (QAccessible::accessibleInterface(made.value()) == child)
                return made.key();
        }
        return -1;
    }
    QAccessibleInterface *focusChild() const override
    {
        const int index = int(pageRows(list()).indexOf(list()->currentRow()));
        return list()->hasFocus() && index >= 0 ? child(index) : nullptr;
    }

    static QAccessibleInterface *create(const QString &className, QObject *object)
    {
        if (className == QLatin1String("pigmentry::Sidebar") && object && object->isWidgetType())
            return new SidebarAccessible(static_cast<QListWidget *>(object));
        return nullptr;
    }

private:
    QListWidget *list() const { return static_cast<QListWidget *>(widget()); }
    mutable QHash<int, QAccessible::Id> rows_;
};

class SidebarDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QString text = index.data(Qt::DisplayRole).toString();
        const QRectF row = QRectF(option.rect).adjusted(10, 1, -10, -1);
        if (!index.data(pageRole).isValid()) {
            // A section header.
            painter->setFont(tracked(theme::font(10, QFont::DemiBold), 0.5));
            painter->setPen(theme::secondary());
            painter->drawText(row.adjusted(8, 0, 0, -4), Qt::AlignLeft | Qt::AlignBottom, text);
            painter->restore();
            return;
        }
        const bool selected = option.state & QStyle::State_Selected;
        if (selected) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(theme::accent());
            painter->drawRoundedRect(row, 6, 6);
        } else if (option.state & QStyle::State_MouseOver) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(theme::quaternary());
            painter->drawRoundedRect(row, 6, 6);
        }
        // The ring shows where the keyboard is, once the keyboard is in use.
        if ((option.state & QStyle::State_HasFocus) && (option.state & QStyle::State_KeyboardFocusChange)) {
            painter->setPen(QPen(selected ? QColor(Qt::white) : theme::accent(), 1.5));
            painter->setBrush(Qt::NoBrush);
            painter->drawRoundedRect(
                row.adjusted(selected ? 2 : 0.75, selected ? 2 : 0.75, selected ? -2 : -0.75, selected ? -2 : -0.75),
                selected ? 4.5 : 6, selected ? 4.5 : 6);
        }
        const QColor ink = selected ? QColor(Qt::white) : theme::primary();
        const Page page = Page(index.data(pageRole).toInt());
        const double ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QColor iconInk = selected ? QColor(Qt::white) : theme::primary(0.8);
        painter->drawPixmap(QPointF(row.left() + 8, row.center().y() - 8),
                            theme::pixmap(symbol(page), 16, iconInk, ratio));
        painter->setFont(theme::font(12));
        painter->setPen(ink);
        painter->drawText(row.adjusted(32, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        if (index.data(pageRole).isValid())
            return {0, 28};
        return {0, index.data(Qt::DisplayRole).toString().isEmpty() ? 12 : 30};
    }
};

} // namespace

Sidebar::Sidebar(QWidget *parent)
    : QListWidget(parent)
{
    static const bool accessible = [] {
        QAccessible::installFactory(&SidebarAccessible::create);
        return true;
    }();
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("sidebar"));
    setAccessibleName(tr("Pages"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new SidebarDelegate(this));
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    setMinimumWidth(195);
    setMaximumWidth(235);

    auto section = [this](const QString &text) {
        auto *item = new QListWidgetItem(text, this);
        item->setFlags(Qt::NoItemFlags);
    };
    auto row = [this](Page page) {
        auto *item = new QListWidgetItem(title(page), this);
        item->setData(pageRole, int(page));
        item->setData(Qt::AccessibleTextRole, title(page));
    };
    section(tr("LIBRARY"));
    for (const Page page : {Page::picker, Page::history, Page::favorites, Page::palettes})
        row(page);
    section(tr("DESIGN TOOLS"));
    for (const Page page : {Page::harmony, Page::gradient, Page::contrast, Page::extraction})
        row(page);
    section(QString());
    row(Page::settings);

    connect(this, &QListWidget::itemSelectionChanged, this, [this] { Q_EMIT pageChanged(this->page()); });
    setAcceptDrops(true);
    setDropIndicatorShown(false);
}

void Sidebar::dragEnterEvent(QDragEnterEvent *event)
{
    if (draggedColor(event->mimeData()))
        event->accept();
    else
        event->ignore();
}

void Sidebar::dragMoveEvent(QDragMoveEvent *event)
{
    // Nothing is dropped here; resting on a page's row opens it.
    event->ignore();
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index != springTarget_) {
        springTarget_ = index;
        springTimer_.stop();
        if (index.isValid() && index.data(pageRole).isValid() && !selectionModel()->isSelected(index))
            springTimer_.start(600, this);
    }
}

void Sidebar::dragLeaveEvent(QDragLeaveEvent *event)
{
    springTimer_.stop();
    springTarget_ = QPersistentModelIndex();
    event->accept();
}

void Sidebar::dropEvent(QDropEvent *event)
{
    springTimer_.stop();
    event->ignore();
}

void Sidebar::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != springTimer_.timerId()) {
        QListWidget::timerEvent(event);
        return;
    }
    springTimer_.stop();
    if (springTarget_.isValid())
        setCurrentIndex(springTarget_);
}

std::optional<Page> Sidebar::page() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return Page(selected.first()->data(pageRole).toInt());
}

// The list's own announcements count the section titles among the rows;
// these count the pages only, as the screen reader's list does.
void Sidebar::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QAbstractItemView::currentChanged(current, previous);
    // A screen reader hears the page row the keyboard is on.
    const int index = int(pageRows(this).indexOf(current.row()));
    if (QAccessible::isActive() && hasFocus() && index >= 0) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(index);
        QAccessible::updateAccessibility(&event);
    }
}

void Sidebar::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QAbstractItemView::selectionChanged(selected, deselected);
    if (!QAccessible::isActive())
        return;
    const QList<int> pages = pageRows(this);
    for (const QModelIndex &row : selected.indexes()) {
        if (const int index = int(pages.indexOf(row.row())); index >= 0) {
            QAccessibleEvent event(this, QAccessible::SelectionAdd);
            event.setChild(index);
            QAccessible::updateAccessibility(&event);
        }
    }
}

void Sidebar::setPage(std::optional<Page> page)
{
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem *row = item(i);
        if (page && row->data(pageRole).isValid() && Page(row->data(pageRole).toInt()) == *page) {
            setCurrentItem(row);
            return;
        }
    }
    clearSelection();
}

} // namespace pigmentry
