// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_models.h"
#include "fake_desktop.h"
#include "find_widget.h"
#include "gui/studio/page_context.h"
#include "gui/studio/pages/extraction_page.h"
#include "gui/studio/studio_state.h"
#include "model/library/store.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPromise>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

using namespace pigmentry;
using test::shown;

namespace {

// Extractions that finish when the test says, in any order.
struct HeldRunner {
    std::vector<std::unique_ptr<QPromise<Extraction>>> promises;
    std::vector<std::function<Extraction()>> jobs;

    ExtractionPage::Runner runner()
    {
        return [this](std::function<Extraction()> job) {
            promises.push_back(std::make_unique<QPromise<Extraction>>());
            promises.back()->start();
            jobs.push_back(std::move(job));
            return promises.back()->future();
        };
    }
    void complete(std::size_t i, const Extraction &result)
    {
        promises.at(i)->addResult(result);
        promises.at(i)->finish();
    }
};

struct Fixture : test::DesktopModels {
    QUndoStack undo;
    StudioState state;
    PageContext context{store, temp.prefs(), shortcuts, desktop.get(), undo, state, [] {}, [](Page) {}, {}};
    HeldRunner held;
    ExtractionPage page{context, held.runner()};

    Fixture()
    {
        page.resize(800, 900);
        page.show();
    }
    bool visible(const QString &name) const { return shown(&page, name) != nullptr; }
};

Extraction found(const QList<RGBA> &colors)
{
    QImage preview(40, 20, QImage::Format_RGB32);
    preview.fill(Qt::gray);
    return Extraction{true, colors, preview};
}

const RGBA red{1, 0, 0, 1}, blue{0, 0, 1, 1}, green{0, 1, 0, 1};

} // namespace

class TestExtractionPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void flowAndOverlappingResults()
    {
        Fixture f;
        QVERIFY(f.visible("chooseImage"));
        QVERIFY(!f.visible("chooseAnother") && !f.visible("progress") && !f.visible("saveExtracted"));

        // Cancelling the panel changes nothing; the panel offers images.
        shown<QPushButton>(&f.page, "chooseImage")->click();
        QVERIFY(f.desktop.fileDialogs->openFilters.first().startsWith(QLatin1String("Images (")));
        QVERIFY(f.desktop.fileDialogs->openFilters.first().contains(QLatin1String("*.png")));
        QVERIFY(f.held.jobs.empty());

        f.desktop.fileDialogs->answer = QStringLiteral("/first.png");
        shown<QPushButton>(&f.page, "chooseImage")->click();
        f.desktop.fileDialogs->answer = QStringLiteral("/second.png");
        shown<QPushButton>(&f.page, "chooseImage")->click();
        QVERIFY(f.page.busy());
        QVERIFY(f.visible("progress"));

        // The first image finishes last: the image chosen last still wins,
        // whatever the order of completion.
        f.held.complete(1, found({red, blue}));
        QTRY_COMPARE(f.page.extracted(), (QList<RGBA>{red, blue}));
        QVERIFY(f.visible("chooseAnother") && !f.visible("chooseImage"));
        QVERIFY(f.visible("preview") && f.visible("saveExtracted"));
        QVERIFY(!f.page.busy() && !f.visible("progress"));
        f.held.complete(0, found({green}));
        QTest::qWait(50); // time for a stale answer to land, were it taken
        QCOMPARE(f.page.extracted(), (QList<RGBA>{red, blue}));

        // A stale answer that comes while a later one runs is dropped too.
        f.page.extractFile(QStringLiteral("/third.png"));
        QVERIFY(f.page.busy());
        f.page.extractFile(QStringLiteral("/fourth.png"));
        f.held.complete(2, found({blue}));
        QTest::qWait(50); // time for a stale answer to land, were it taken
        QVERIFY(f.page.busy());
        QCOMPARE(f.page.extracted(), (QList<RGBA>{red, blue}));
        f.held.complete(3, found({green}));
        QTRY_COMPARE(f.page.extracted(), QList<RGBA>{green});
        QTRY_VERIFY(!f.visible("progress"));

        shown<QPushButton>(&f.page, "saveExtracted")->click();
        QCOMPARE(f.store.library().palettes.last().name, QStringLiteral("Image Palette"));
        QCOMPARE(f.store.library().palettes.last().colors, QList<RGBA>{green});

        // An unreadable file keeps what is shown and says why.
        f.page.extractFile(QStringLiteral("/broken.png"));
        f.held.complete(4, Extraction{});
        QTRY_COMPARE(test::named<QLabel>(&f.page, "extractionProblem")->text(),
                     QStringLiteral("This file could not be read as an image."));
        QCOMPARE(f.page.extracted(), QList<RGBA>{green});

        // No qualifying pixel: no swatches, no save button.
        f.page.extractFile(QStringLiteral("/clear.png"));
        QVERIFY(!f.visible("extractionProblem"));
        f.held.complete(5, found({}));
        QTRY_VERIFY(!f.visible("saveExtracted"));
        QVERIFY(!f.visible("extractedColors"));
    }

    // Dropped files and pasted images run the real extraction on a worker.
    void dropAndPaste()
    {
        test::DesktopModels m;
        auto &[temp, desktop, store, shortcuts] = m;
        QUndoStack undo;
        StudioState state;
        PageContext context{store, temp.prefs(), shortcuts, desktop.get(), undo, state, [] {}, [](Page) {}, {}};
        ExtractionPage page(context);
        page.show();

        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(QColor(255, 0, 0));
        QVERIFY(image.save(temp.path("red.png")));
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(temp.path("red.png"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(&page, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(&page, &drop);
        QTRY_COMPARE(page.extracted().size(), 1);
        QCOMPARE(page.extracted().first().hex(), QStringLiteral("#FF0000"));

        image.fill(QColor(0, 0, 255));
        QGuiApplication::clipboard()->setImage(image);
        page.activateWindow();
        page.setFocus();
        QTest::keyClick(&page, Qt::Key_V, Qt::ControlModifier);
        QTRY_COMPARE(page.extracted().size(), 1);
        QTRY_COMPARE(page.extracted().first().hex(), QStringLiteral("#0000FF"));
    }
};

QTEST_MAIN(TestExtractionPage)
#include "test_extraction_page.moc"
