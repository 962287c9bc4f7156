#include "studio_window.h"

#include "model/store.h"
#include "pages/inspector.h"
#include "pages/picker_page.h"
#include "shortcut/shortcut_settings.h"
#include "theme.h"
#include "widgets.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>

namespace pigmentry {

namespace {

constexpr int pageRole = Qt::UserRole + 1;

QWidget *filled(QWidget *widget, const QColor &color)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    return widget;
}

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
        painter.drawPixmap(QPointF(8.5, 8.5), theme::pixmap(QStringLiteral("eyedropper"), 19, Qt::white, devicePixelRatioF()));
    }
};

class Dot : public QWidget {
public:
    explicit Dot(const QColor &color) : color(color) { setFixedSize(6, 6); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(QRectF(rect()));
    }

private:
    QColor color;
};

} // namespace

StudioWindow::StudioWindow(Store &store, ShortcutSettings &shortcuts, Preferences &prefs, std::function<void()> pick,
                           QWidget *parent)
    : QWidget(parent, Qt::Window), store(store), shortcuts(shortcuts)
{
    setWindowTitle(QStringLiteral("Pigmentry — Color Studio"));
    setMinimumSize(smallestSize);
    resize(defaultSize);

    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    columns->addWidget(makeSidebar());
    columns->addWidget(divider(Qt::Vertical));

    auto *detail = new QWidget;
    auto *detailStack = new QVBoxLayout(detail);
    detailStack->setContentsMargins(0, 0, 0, 0);
    detailStack->setSpacing(0);
    detailStack->addWidget(makeToolbar(pick));
    detailStack->addWidget(divider());

    auto *main = new QHBoxLayout;
    main->setSpacing(0);
    auto *pageScroll = new QScrollArea;
    pageScroll->setFrameShape(QFrame::NoFrame);
    pageScroll->setWidgetResizable(true);
    auto *pageArea = filled(new QWidget, theme::windowBackground());
    auto *pageAreaLayout = new QHBoxLayout(pageArea);
    pageAreaLayout->setContentsMargins(0, 0, 0, 0);
    pageBlock_ = new QWidget;
    auto *pageStack = new QVBoxLayout(pageBlock_);
    pageStack->setContentsMargins(28, 28, 28, 28);
    pageStack->setSpacing(24);
    auto *header = new QVBoxLayout;
    header->setSpacing(6);
    title_ = textLabel(QString(), theme::font(27, QFont::DemiBold), theme::primary());
    subtitle_ = textLabel(QString(), theme::font(13), theme::secondary());
    header->addWidget(title_);
    header->addWidget(subtitle_);
    pageStack->addLayout(header);
    pages_ = new QStackedWidget;
    auto showPage = [this](Page p) { setPage(p); };
    pickerPage_ = new PickerPage(store, shortcuts, prefs, pick, showPage);
    for (const Page p : allPages())
        pages_->addWidget(p == Page::picker ? static_cast<QWidget *>(pickerPage_) : new QWidget);
    pageStack->addWidget(pages_);
    pageStack->addStretch();
    // The block takes the width up to its maximum; the rest stays empty.
    pageBlock_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    pageAreaLayout->addWidget(pageBlock_, 1000);
    pageAreaLayout->addStretch(1);
    pageScroll->setWidget(pageArea);
    main->addWidget(pageScroll, 1);

    inspectorDivider_ = divider(Qt::Vertical);
    main->addWidget(inspectorDivider_);
    inspectorScroll_ = new QScrollArea;
    inspectorScroll_->setFrameShape(QFrame::NoFrame);
    inspectorScroll_->setWidgetResizable(true);
    inspectorScroll_->setFixedWidth(280);
    inspectorScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    inspector_ = new Inspector(store, showPage);
    filled(inspector_, theme::controlBackground());
    inspectorScroll_->setWidget(inspector_);
    main->addWidget(inspectorScroll_);
    detailStack->addLayout(main, 1);
    detailStack->addWidget(divider());
    detailStack->addWidget(makeStatusBar());
    columns->addWidget(detail, 1);

    connect(&store, &Store::noticeChanged, this, &StudioWindow::updateStatus);
    connect(&shortcuts, &ShortcutSettings::configurationChanged, this, &StudioWindow::updateStatus);
    updateStatus();
    setPage(Page::picker);
}

QWidget *StudioWindow::makeSidebar()
{
    auto *sidebar = new QWidget;
    sidebar->setMinimumWidth(195);
    sidebar->setMaximumWidth(235);
    sidebar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    sidebar->resize(210, height());
    auto *stack = new QVBoxLayout(sidebar);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(18, 24, 18, 24);
    header->setSpacing(10);
    header->addWidget(new IconTile);
    auto *name = new QVBoxLayout;
    name->setSpacing(2);
    name->addWidget(textLabel(QStringLiteral("Pigmentry"), theme::font(16, QFont::DemiBold), theme::primary()));
    name->addWidget(textLabel(QStringLiteral("COLOR STUDIO"), tracked(theme::font(9, QFont::Medium), 1.5), theme::secondary()));
    header->addLayout(name);
    header->addStretch();
    stack->addLayout(header);

    sidebar_ = new QListWidget;
    sidebar_->setFrameShape(QFrame::NoFrame);
    sidebar_->setIconSize(QSize(16, 16));
    sidebar_->setFocusPolicy(Qt::StrongFocus);
    sidebar_->setAccessibleName(QStringLiteral("Pages"));
    sidebar_->setStyleSheet(QStringLiteral("QListWidget { background: transparent; padding: 0 10px; }"
                                           "QListWidget::item { padding: 5px 6px; border-radius: 6px; }"
                                           "QListWidget::item:selected { background: %1; color: %2; }")
                                .arg(theme::accent().name(), QStringLiteral("white")));
    auto section = [this](const QString &text) {
        auto *item = new QListWidgetItem(text, sidebar_);
        item->setFlags(Qt::NoItemFlags);
        item->setFont(tracked(theme::font(10, QFont::DemiBold), 0.5));
        item->setForeground(theme::secondary());
        item->setSizeHint(QSize(0, text.isEmpty() ? 12 : 30));
    };
    auto row = [this](Page p) {
        auto *item = new QListWidgetItem(theme::icon(symbol(p), theme::primary(0.8)), title(p), sidebar_);
        item->setFont(theme::font(12));
        item->setData(pageRole, int(p));
        item->setSizeHint(QSize(0, 28));
    };
    section(QStringLiteral("LIBRARY"));
    for (const Page p : {Page::picker, Page::history, Page::favorites, Page::palettes})
        row(p);
    section(QStringLiteral("DESIGN TOOLS"));
    for (const Page p : {Page::harmony, Page::gradient, Page::contrast, Page::extraction})
        row(p);
    section(QString());
    row(Page::settings);
    connect(sidebar_, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> selected = sidebar_->selectedItems();
        page_ = selected.isEmpty() ? std::nullopt : std::optional<Page>(Page(selected.first()->data(pageRole).toInt()));
        showPageContent();
    });
    stack->addWidget(sidebar_, 1);

    auto *footer = new QHBoxLayout;
    footer->setContentsMargins(18, 18, 18, 18);
    footer->setSpacing(7);
    footer->addWidget(new Dot(theme::green()));
    footer->addWidget(textLabel(QStringLiteral("All colors stay on this computer"), theme::font(10), theme::secondary()));
    footer->addStretch();
    stack->addLayout(footer);
    return sidebar;
}

QWidget *StudioWindow::makeToolbar(const std::function<void()> &pick)
{
    auto *toolbar = new QWidget;
    toolbar->setFixedHeight(54);
    auto *row = new QHBoxLayout(toolbar);
    row->setContentsMargins(24, 0, 24, 0);
    toolbarIcon_ = new QLabel;
    row->addWidget(toolbarIcon_);
    toolbarTitle_ = textLabel(QString(), theme::font(13, QFont::Medium), theme::secondary());
    row->addWidget(toolbarTitle_);
    row->addStretch();
    auto *copy = new QPushButton(theme::icon(QStringLiteral("doc.on.doc")), QStringLiteral("Copy Color"));
    copy->setToolTip(QStringLiteral("Copy in your preferred format"));
    connect(copy, &QPushButton::clicked, this, [this] { store.copy(store.selected()); });
    row->addWidget(copy);
    auto *pickButton = new QPushButton(theme::icon(QStringLiteral("eyedropper"), Qt::white), QStringLiteral("Pick Color"));
    pickButton->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; border: none; border-radius: 6px; padding: 5px 12px; }"
                       "QPushButton:hover { background: %2; }")
            .arg(theme::accent().name(), theme::accent().lighter(110).name()));
    connect(pickButton, &QPushButton::clicked, this, pick);
    row->addWidget(pickButton);
    return toolbar;
}

QWidget *StudioWindow::makeStatusBar()
{
    auto *bar = new QWidget;
    bar->setFixedHeight(28);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(20, 0, 20, 0);
    row->setSpacing(8);
    statusIcon_ = new QLabel;
    row->addWidget(statusIcon_);
    statusText_ = textLabel(QString(), theme::font(10), theme::secondary());
    statusText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    row->addWidget(statusText_, 1);
    row->addWidget(textLabel(QStringLiteral("sRGB"), theme::monospace(10), theme::secondary()));
    row->addWidget(textLabel(QStringLiteral("•"), theme::font(10), theme::secondary()));
    statusShortcut_ = textLabel(QString(), theme::font(10), theme::secondary());
    row->addWidget(statusShortcut_);
    return bar;
}

QWidget *StudioWindow::inspectorColumn() const
{
    return inspectorScroll_;
}

int StudioWindow::pageMaximumWidth() const
{
    return pageBlock_->maximumWidth();
}

void StudioWindow::setPage(std::optional<Page> page)
{
    for (int i = 0; i < sidebar_->count(); ++i) {
        QListWidgetItem *item = sidebar_->item(i);
        if (page && item->data(pageRole).isValid() && Page(item->data(pageRole).toInt()) == *page) {
            sidebar_->setCurrentItem(item);
            return; // the selection change shows it
        }
    }
    sidebar_->clearSelection();
    page_ = page;
    showPageContent();
}

void StudioWindow::showPageContent()
{
    const Page p = shownPage();
    toolbarIcon_->setPixmap(theme::pixmap(symbol(p), 15, theme::secondary(), devicePixelRatioF()));
    toolbarTitle_->setText(title(p));
    title_->setText(title(p));
    subtitle_->setText(subtitle(p));
    // The stack takes the height of the page shown, not of the tallest page.
    for (int i = 0; i < pages_->count(); ++i)
        pages_->widget(i)->setSizePolicy(QSizePolicy::Preferred,
                                          i == allPages().indexOf(p) ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    pages_->setCurrentIndex(int(allPages().indexOf(p)));
    pages_->adjustSize();
    const bool settings = p == Page::settings;
    pageBlock_->setMaximumWidth(settings ? 720 : 900);
    inspectorDivider_->setVisible(!settings);
    inspectorScroll_->setVisible(!settings);
}

void StudioWindow::updateStatus()
{
    const bool quiet = store.notice().isEmpty();
    statusIcon_->setPixmap(theme::pixmap(quiet ? QStringLiteral("lock.shield") : QStringLiteral("checkmark.circle"), 12,
                                         quiet ? theme::secondary() : theme::green(), devicePixelRatioF()));
    statusText_->setText(quiet ? QStringLiteral("On-device color tools") : store.notice());
    statusShortcut_->setText(shortcuts.configuration().display());
}

} // namespace pigmentry
