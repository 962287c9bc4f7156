// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction_page.h"

#include "gui/kit/card.h"
#include "gui/kit/labels.h"
#include "gui/kit/style.h"
#include "gui/kit/theme.h"
#include "gui/studio/page_context.h"
#include "gui/studio/pages/tool_parts.h"
#include "gui/views/swatch_grid.h"
#include "model/items/color_list_model.h"
#include "model/library/store.h"
#include "platform/desktop/desktop_services.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QtConcurrent>

namespace pigmentry {

namespace {

constexpr int previewHeight = 300;

// The chosen image, scaled to the width with its aspect kept, at most 300
// high, aligned to the leading edge.
class PreviewImage : public QWidget {
public:
    PreviewImage()
    {
        setObjectName(QStringLiteral("preview"));
        QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }
    void setImage(const QImage &image)
    {
        this->image_ = image;
        updateGeometry();
        update();
    }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override
    {
        if (image_.isNull())
            return 0;
        const QSizeF shown = shownSize(width);
        return int(std::ceil(shown.height()));
    }
    QSize sizeHint() const override { return QSize(400, heightForWidth(400)); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (image_.isNull())
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSizeF shown = shownSize(width());
        QPainterPath clip;
        const QRectF area(QPointF(0, 0), shown);
        clip.addRoundedRect(area, 12, 12);
        painter.setClipPath(clip);
        painter.drawImage(area, image_);
    }

private:
    QSizeF shownSize(int width) const
    {
        QSizeF size = image_.deviceIndependentSize();
        size.scale(QSizeF(std::min<qreal>(width, size.width() * 4), previewHeight), Qt::KeepAspectRatio);
        return size;
    }
    QImage image_;
};

// Every image format this Qt can read, for the open panel.
QStringList imageFilters()
{
    QStringList patterns;
    for (const QByteArray &suffix : QImageReader::supportedImageFormats())
        patterns << QLatin1String("*.") + QString::fromLatin1(suffix);
    return {QCoreApplication::translate("ExtractionPage", "Images (%1)").arg(patterns.join(u' '))};
}

} // namespace

ExtractionPage::ExtractionPage(PageContext &context, Runner runner, QWidget *parent)
    : QWidget(parent)
    , context_(context)
    , runner_(std::move(runner))
{
    if (!this->runner_)
        this->runner_ = [](std::function<Extraction()> job) { return QtConcurrent::run(std::move(job)); };
    setAcceptDrops(true);
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(16);

    auto *card = new StudioCard;
    chooseCard_ = card;
    auto *cardStack = new QVBoxLayout;
    cardStack->setContentsMargins(0, 32, 0, 32);
    cardStack->setSpacing(14);
    cardStack->addWidget(new SymbolLabel(QStringLiteral("photo.on.rectangle.angled"), 36, theme::Tone::Secondary), 0,
                         Qt::AlignHCenter);
    auto *heading =
        textLabel(tr("A palette hiding in every image"), theme::font(13, QFont::DemiBold), theme::Tone::Primary);
    heading->setAlignment(Qt::AlignCenter);
    cardStack->addWidget(heading);
    auto *detail = textLabel(tr("Choose a photo or artwork to discover its dominant colors."), theme::font(11),
                             theme::Tone::Secondary);
    detail->setAlignment(Qt::AlignCenter);
    detail->setWordWrap(true);
    cardStack->addWidget(detail);
    auto *choose = withName(new QPushButton(tr("Choose Image")), QStringLiteral("chooseImage"));
    makeProminent(choose);
    connect(choose, &QPushButton::clicked, this, &ExtractionPage::extract);
    cardStack->addWidget(choose, 0, Qt::AlignHCenter);
    card->content()->setAlignment(Qt::Alignment());
    card->content()->addLayout(cardStack);
    stack->addWidget(card);

    chooseAnother_ = withName(new QPushButton(tr("Choose Another Image")), QStringLiteral("chooseAnother"));
    connect(chooseAnother_, &QPushButton::clicked, this, &ExtractionPage::extract);
    auto *anotherRow = new QHBoxLayout;
    anotherRow->addWidget(chooseAnother_);
    anotherRow->addStretch();
    stack->addLayout(anotherRow);

    progress_ = withName(new QProgressBar, QStringLiteral("progress"));
    progress_->setRange(0, 0);
    progress_->setTextVisible(false);
    progress_->setAccessibleName(tr("Extracting colors"));
    stack->addWidget(progress_);

    preview_ = new PreviewImage;
    stack->addWidget(preview_);

    colors_ = new ColorListModel(this);
    tiles_ = withName(tileRow(context.store, context.prefs, colors_), QStringLiteral("extractedColors"));
    tiles_->setAccessibleName(tr("Extracted colors"));
    stack->addWidget(tiles_);

    save_ = withName(new QPushButton(tr("Save Extracted Palette")), QStringLiteral("saveExtracted"));
    connect(save_, &QPushButton::clicked, this, [this] {
        this->context_.store.appendPalette(
            Palette{QUuid::createUuid(), tr("Image Palette"), colors_->colors(), QString(), {}});
    });
    auto *saveRow = new QHBoxLayout;
    saveRow->addWidget(save_);
    saveRow->addStretch();
    stack->addLayout(saveRow);

    stack->addWidget(
        pageCaption(tr("Downsampled image, deterministic RGB clustering (5 colors). Profile conversion to sRGB.")));
    problem_ = withName(pageCaption(QString()), QStringLiteral("extractionProblem"));
    stack->addWidget(problem_);

    // Ctrl+V anywhere on the page takes an image, or an image file, from the
    // clipboard.
    auto *pasteKey = new QShortcut(QKeySequence::Paste, this, this, &ExtractionPage::paste);
    pasteKey->setContext(Qt::WidgetWithChildrenShortcut);
    updateState();
}

const QList<RGBA> &ExtractionPage::extracted() const
{
    return colors_->colors();
}

QSize ExtractionPage::previewBounds() const
{
    // The widest the page's block can be, at this screen's scale.
    return QSize(900, previewHeight) * devicePixelRatioF();
}

void ExtractionPage::extract()
{
    const std::optional<QString> path = context_.desktop.fileDialogs->openFile(imageFilters());
    if (!path || path->isEmpty())
        return;
    extractFile(*path);
}

void ExtractionPage::extractFile(const QString &path)
{
    const QSize bounds = previewBounds();
    start([path, bounds] { return ImageExtractor::extractFile(path, bounds); });
}

void ExtractionPage::extractImage(const QImage &image)
{
    const QSize bounds = previewBounds();
    start([image, bounds] { return ImageExtractor::extractImage(image, bounds); });
}

void ExtractionPage::start(std::function<Extraction()> job)
{
    const quint64 ticket = ++generation_;
    problem_->clear();
    updateState();
    auto *watcher = new QFutureWatcher<Extraction>(this);
    connect(watcher, &QFutureWatcher<Extraction>::finished, this, [this, watcher, ticket] {
        watcher->deleteLater();
        finished(ticket,
                 watcher->future().isValid() && watcher->future().resultCount() > 0 ? watcher->result() : Extraction());
    });
    watcher->setFuture(runner_(std::move(job)));
}

void ExtractionPage::finished(quint64 job, const Extraction &result)
{
    if (job != generation_)
        return;
    answered_ = job;
    if (!result.readable) {
        // The last image and its colours stay; only the caption says why.
        problem_->setText(tr("This file could not be read as an image."));
    } else {
        QImage shown = result.preview;
        shown.setDevicePixelRatio(devicePixelRatioF());
        static_cast<PreviewImage *>(preview_)->setImage(shown);
        hasImage_ = true;
        colors_->setColors(result.colors);
    }
    updateState();
}

void ExtractionPage::paste()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return;
    if (data->hasImage()) {
        extractImage(qvariant_cast<QImage>(data->imageData()));
        return;
    }
    const QList<QUrl> urls = data->urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile()) {
            extractFile(url.toLocalFile());
            return;
        }
    }
}

void ExtractionPage::dragEnterEvent(QDragEnterEvent *event)
{
    const QMimeData *data = event->mimeData();
    const QList<QUrl> urls = data->urls();
    const bool file = std::any_of(urls.cbegin(), urls.cend(), [](const QUrl &url) { return url.isLocalFile(); });
    if (file || data->hasImage())
        event->acceptProposedAction();
}

void ExtractionPage::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    const QList<QUrl> urls = data->urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            extractFile(url.toLocalFile());
            return;
        }
    }
    if (data->hasImage()) {
        event->acceptProposedAction();
        extractImage(qvariant_cast<QImage>(data->imageData()));
    }
}

void ExtractionPage::updateState()
{
    chooseCard_->setVisible(!hasImage_);
    chooseAnother_->setVisible(hasImage_);
    progress_->setVisible(busy());
    preview_->setVisible(hasImage_);
    tiles_->setVisible(!colors_->colors().isEmpty());
    save_->setVisible(!colors_->colors().isEmpty());
    problem_->setVisible(!problem_->text().isEmpty());
}

} // namespace pigmentry
