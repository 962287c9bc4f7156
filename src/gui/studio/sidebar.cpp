#include "sidebar.h"

#include "gui/kit/labels.h"
#include "gui/kit/swatch_painting.h"
#include "gui/kit/theme.h"

#include <QCoreApplication>
#include <QDragMoveEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace pigmentry {

namespace {

constexpr int pageRole = Qt::UserRole + 1;

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
    setObjectName(QStringLiteral("sidebar"));
    setAccessibleName(QCoreApplication::translate("Sidebar", "Pages"));
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
    section(QCoreApplication::translate("Sidebar", "LIBRARY"));
    for (const Page page : {Page::picker, Page::history, Page::favorites, Page::palettes})
        row(page);
    section(QCoreApplication::translate("Sidebar", "DESIGN TOOLS"));
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
    if (index != springTarget) {
        springTarget = index;
        springTimer.stop();
        if (index.isValid() && index.data(pageRole).isValid() && !selectionModel()->isSelected(index))
            springTimer.start(600, this);
    }
}

void Sidebar::dragLeaveEvent(QDragLeaveEvent *event)
{
    springTimer.stop();
    springTarget = QPersistentModelIndex();
    event->accept();
}

void Sidebar::dropEvent(QDropEvent *event)
{
    springTimer.stop();
    event->ignore();
}

void Sidebar::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != springTimer.timerId()) {
        QListWidget::timerEvent(event);
        return;
    }
    springTimer.stop();
    if (springTarget.isValid())
        setCurrentIndex(springTarget);
}

std::optional<Page> Sidebar::page() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return Page(selected.first()->data(pageRole).toInt());
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
