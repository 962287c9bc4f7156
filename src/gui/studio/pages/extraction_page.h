// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/image_extractor.h"

#include <QFuture>
#include <QWidget>

#include <functional>

class QProgressBar;
class QPushButton;

namespace pigmentry {

class ColorListModel;
class EmptyState;
class Label;
struct PageContext;

// Image Extraction: choose an image (or drop or paste one), see it, and get
// up to five dominant colours to select or save as a palette. Extraction
// runs on a worker thread; each one that completes shows its result, in the
// order they complete.
class ExtractionPage : public QWidget {
    Q_OBJECT

public:
    // Runs one extraction and answers with its future; the default runs it
    // on Qt's thread pool.
    using Runner = std::function<QFuture<Extraction>(std::function<Extraction()>)>;

    explicit ExtractionPage(PageContext &context, Runner runner = {}, QWidget *parent = nullptr);

    // The whole flow from the button: the open panel, then extractFile.
    void extract();
    void extractFile(const QString &path);
    void extractImage(const QImage &image);
    // The image chosen last has not been answered yet.
    bool busy() const { return answered_ != generation_; }
    const QList<RGBA> &extracted() const;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void start(std::function<Extraction()> job);
    void finished(quint64 job, const Extraction &result);
    void paste();
    QSize previewBounds() const;
    void updateState();

    PageContext &context_;
    Runner runner_;
    // Each choice is numbered; only the answer for the last one is shown, so
    // a slow earlier image never replaces the colours of a later one.
    quint64 generation_ = 0;
    quint64 answered_ = 0;
    bool hasImage_ = false;
    QWidget *chooseCard_;
    QPushButton *chooseAnother_;
    QProgressBar *progress_;
    QWidget *preview_;
    ColorListModel *colors_;
    QWidget *tiles_;
    QPushButton *save_;
    Label *problem_;
};

} // namespace pigmentry
