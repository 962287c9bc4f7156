// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_delegate.h"
#include "fake_desktop.h"
#include "gui/popover/popover.h"
#include "gui/studio/studio_window.h"
#include "model/color/color_names.h"
#include "model/library/library_file.h"
#include "model/library/store.h"
#include "picker/screen_picker.h"
#include "platform/instance_protocol.h"
#include "shortcut/shortcut_settings.h"
#include "temp_settings.h"

#include <QAbstractButton>
#include <QAction>
#include <QColor>
#include <QSystemTrayIcon>
#include <QTest>

using namespace pigmentry;

namespace {

// The delegate on fakes; the offscreen platform has no system tray.
struct Fixture {
    test::TempSettings temp;
    test::FakeDesktop desktop;
    test::FakeHotKeys *hotKeys = desktop.hotKeys;
    test::FakeScreenSource *source = desktop.screens;
    test::FakeOverlay *overlay = desktop.overlay;
    std::unique_ptr<AppDelegate> delegate;

    Fixture()
    {
        temp.prefs().setBoolean("autoCopy", false);
        delegate = std::make_unique<AppDelegate>(temp.prefs(), desktop.services(), temp.libraryPath());
    }
};

} // namespace

class TestAppDelegate : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void withoutATrayTheStudioOpensAtLaunch()
    {
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        Fixture f;
        f.delegate->launch({});
        QVERIFY(!f.delegate->tray());
        QCOMPARE(f.delegate->store().notice(),
                 QStringLiteral("No tray icon here: the shortcut still picks after this "
                                "window is closed, and starting Pigmentry again reopens it."));
        QVERIFY(f.delegate->window() && f.delegate->window()->isVisible());
        // The window shows the application's icon, not one of its own.
        QVERIFY(!f.delegate->window()->testAttribute(Qt::WA_SetWindowIcon));
        // The shortcut is wired and registered at launch.
        QCOMPARE(f.hotKeys->registered().size(), 1);
        // The window follows "Show in taskbar" (off by default).
        QCOMPARE(f.desktop.taskbar->shown, QList<bool>{false});
    }

    // A shortcut the desktop refuses, even late, is not promised.
    void withoutATrayOrShortcutNothingIsPromised()
    {
        Fixture f;
        f.delegate->launch({});
        QVERIFY(f.delegate->store().notice().contains(QLatin1String("the shortcut still picks")));
        f.hotKeys->loseAll(-1);
        QCOMPARE(f.delegate->store().notice(),
                 QStringLiteral("No tray icon here: starting Pigmentry again reopens this window."));
    }

    // A library that could not be read is said at start; the launch's own
    // remark does not cover it.
    // The library is read when first asked for, not when the delegate is
    // made: the tray icon never waits for it, and whatever asks first finds
    // it whole.
    void theLibraryIsReadWhenFirstAskedFor()
    {
        Fixture f;
        Library library;
        library.history.append(ColorRecord::captured(RGBA{1, 0, 0, 1}, 1000));
        library.palettes.append(Palette{QUuid::createUuid(), QStringLiteral("Brand"), {RGBA{0, 0, 1, 1}}, {}});
        QVERIFY(saveLibrary(f.temp.libraryPath(), library));
        QCOMPARE(f.delegate->store().library(), library);
    }

    void aFailureAtStartStaysInView()
    {
        test::TempSettings temp;
        test::writeFile(temp.libraryPath(), "{\"history\": [ broken");
        test::FakeDesktop desktop;
        AppDelegate delegate(temp.prefs(), desktop.services(), temp.libraryPath());
        delegate.launch({});
        QVERIFY(delegate.store().notice().startsWith(QLatin1String("Could not read library: ")));
        QCOMPARE(delegate.store().noticeKind(), Store::NoticeKind::Failure);
    }

    void studioIsHiddenNotDestroyedAndReused()
    {
        Fixture f;
        f.delegate->launch({QStringLiteral("--studio")});
        StudioWindow *window = f.delegate->window();
        window->setPage(Page::contrast);
        window->close();
        QVERIFY(!window->isVisible());
        f.delegate->openStudio();
        QCOMPARE(f.delegate->window(), window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->page(), std::optional<Page>(Page::contrast));
    }

    void shortcutPickGoesIntoTheStore()
    {
        Fixture f;
        f.delegate->launch({});
        f.delegate->toggle();
        QVERIFY(f.delegate->popover().isVisible());
        QVERIFY(f.hotKeys->press(Qt::Key_P, ShortcutConfiguration::Shift | ShortcutConfiguration::Super));
        QVERIFY(!f.delegate->popover().isVisible());
        QVERIFY(f.overlay->shown);
        f.source->respond();
        f.overlay->click();
        const RGBA picked = f.source->colorAt(f.source->screenList.first(), f.source->mouse);
        QCOMPARE(f.delegate->store().library().history.first().color, picked);
        QCOMPARE(f.delegate->store().selected(), picked);
    }

    // A pick with no window of ours showing is told in a notification: the
    // code in the default format, copied or picked, the colour as its icon;
    // none while the Studio shows or when switched off.
    void aPickUnseenIsNotified()
    {
        Fixture f;
        f.delegate->launch({}); // no tray here: the Studio opens
        auto pickOnce = [&f] {
            QVERIFY(f.hotKeys->press(Qt::Key_P, ShortcutConfiguration::Shift | ShortcutConfiguration::Super));
            f.source->respond();
            f.overlay->click();
        };
        pickOnce();
        QVERIFY(f.desktop.notifications->shown.isEmpty()); // the Studio shows it

        f.delegate->window()->hide();
        f.temp.prefs().setText("format", QStringLiteral("RGB"));
        f.source->mouse = {20, 30};
        pickOnce();
        const RGBA color = f.source->colorAt(f.source->screenList.first(), {20, 30});
        // The code, then what the colour is called.
        QCOMPARE(
            f.desktop.notifications->shown,
            QStringList{QStringLiteral("Picked ") + color.formatted("RGB") + QStringLiteral(" · ") + colorName(color)});
        QCOMPARE(QColor(f.desktop.notifications->icons.last().pixel(10, 10)), QColor(color.hex()));

        f.temp.prefs().setBoolean("autoCopy", true);
        f.source->mouse = {40, 30};
        pickOnce();
        QVERIFY(f.desktop.notifications->shown.last().startsWith(QLatin1String("Copied rgb(")));

        f.temp.prefs().setBoolean("notifyAfterPick", false);
        f.source->mouse = {60, 30};
        pickOnce();
        QCOMPARE(f.desktop.notifications->shown.size(), 2);
    }

    // Five colours from the screen into a new palette in seven actions: the
    // start, five Shift-clicks, Escape. One Ctrl+Z takes the palette back;
    // the history keeps the picks.
    void pickANewPaletteInOneMotion()
    {
        Fixture f;
        f.delegate->launch({});
        int actions = 0;
        f.delegate->pickNewPalette();
        ++actions;
        QVERIFY(f.source->respond());
        for (int i = 0; i < 5; ++i) {
            f.source->mouse = {100.0 + 40 * i, 200};
            f.overlay->click(true, true);
            ++actions;
            QVERIFY(f.source->respond()); // the sample where it was clicked
        }
        QVERIFY(f.overlay->shown);
        f.overlay->key(Qt::Key_Escape);
        ++actions;
        QCOMPARE(actions, 7);
        const Library &library = f.delegate->store().library();
        QCOMPARE(library.palettes.size(), 1);
        const Palette &made = library.palettes.first();
        QVERIFY2(made.name.startsWith(QLatin1String("Picked ")), qPrintable(made.name));
        QCOMPARE(made.colors.size(), 5);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(made.colors.at(i), f.source->colorAt(f.source->screenList.first(), {100.0 + 40 * i, 200}));
        QCOMPARE(library.history.size(), 5);

        f.delegate->undoStack().undo();
        QVERIFY(f.delegate->store().library().palettes.isEmpty());
        QCOMPARE(f.delegate->store().library().history.size(), 5);
        f.delegate->undoStack().redo();
        QCOMPARE(f.delegate->store().library().palettes.size(), 1);

        // Ended before any colour: no palette.
        f.delegate->pickNewPalette();
        f.overlay->key(Qt::Key_Escape);
        QCOMPARE(f.delegate->store().library().palettes.size(), 1);
    }

    // Picked into a palette, each colour joins it as it is picked; one undo
    // takes the whole pick's colours out, and the Studio's Ctrl+Z is that
    // same stack.
    void pickIntoAPaletteUndoesAsOne()
    {
        Fixture f;
        f.delegate->launch({});
        f.delegate->store().createPalette(QStringLiteral("Coastal"));
        const QUuid id = f.delegate->store().library().palettes.first().id;
        f.delegate->pickIntoPalette(id);
        QVERIFY(f.source->respond());
        for (const QPointF at : {QPointF(10, 10), QPointF(30, 10)}) {
            f.source->mouse = at;
            f.overlay->click(true, true);
            QVERIFY(f.source->respond());
        }
        QCOMPARE(f.delegate->store().library().palettes.first().colors.size(), 3);
        // Escape right after a Shift-click still takes that colour, then ends.
        f.source->mouse = {50, 10};
        f.overlay->click(true, true);
        f.overlay->key(Qt::Key_Escape);
        QVERIFY(f.source->respond());
        QVERIFY(!f.overlay->shown);
        QCOMPARE(f.delegate->store().library().palettes.first().colors.size(), 4);

        f.delegate->openStudio();
        const QList<QAction *> actions = f.delegate->window()->actions();
        const auto undo = std::find_if(actions.cbegin(), actions.cend(), [](const QAction *action) {
            return action->shortcuts().contains(QKeySequence(QKeySequence::Undo));
        });
        QVERIFY(undo != actions.cend());
        (*undo)->trigger();
        QCOMPARE(f.delegate->store().library().palettes.first().colors.size(), 1);
        QCOMPARE(f.delegate->store().library().history.size(), 3);
    }

    // `pigmentry pick` through the running instance: a palette that is not
    // there, or not only one, is refused; a pick that goes on answers each
    // colour, then its end.
    void pickCommandOptions()
    {
        Fixture f;
        f.delegate->launch({});
        QStringList replies;
        QList<bool> more;
        const SingleInstance::Reply reply = [&](const QString &text, bool follows) {
            replies.append(text);
            more.append(follows);
        };
        f.delegate->pickFor({QString(), true, QStringLiteral("Nowhere"), 0}, reply, nullptr);
        QCOMPARE(instance::decodeReply(replies.last()).outcome, instance::Outcome::Invalid);
        f.delegate->store().createPalette(QStringLiteral("Twice"));
        f.delegate->store().createPalette(QStringLiteral("Twice"));
        f.delegate->pickFor({QString(), true, QStringLiteral("Twice"), 0}, reply, nullptr);
        QCOMPARE(instance::decodeReply(replies.last()).text,
                 QStringLiteral("2 palettes are named “Twice”: rename all but one first."));
        QVERIFY(!f.overlay->shown);

        replies.clear();
        more.clear();
        f.delegate->pickFor({QStringLiteral("RGB"), true, QString(), 3}, reply, nullptr);
        QCOMPARE(f.delegate->picker().sampleSize(), 3);
        QVERIFY(f.source->respond());
        for (int i = 0; i < 2; ++i) {
            f.source->mouse = {10.0 + i, 10};
            f.overlay->click(true, true);
            QVERIFY(f.source->respond());
        }
        f.overlay->key(Qt::Key_Escape);
        QCOMPARE(more, (QList<bool>{true, true, false}));
        QCOMPARE(instance::decodeReply(replies.at(0)).outcome, instance::Outcome::Picked);
        QVERIFY(instance::decodeReply(replies.at(1)).code.startsWith(QLatin1String("rgb(")));
        QCOMPARE(instance::decodeReply(replies.at(2)).outcome, instance::Outcome::Done);
    }

    // The Studio opens at the size it was closed at in the last run, never
    // below its smallest size.
    void studioRemembersItsSize()
    {
        test::TempSettings temp;
        {
            test::FakeDesktop desktop;
            AppDelegate delegate(temp.prefs(), desktop.services(), temp.libraryPath());
            delegate.openStudio();
            delegate.window()->resize(1100, 720);
            delegate.window()->close();
            QVERIFY(!delegate.window()->isVisible());
        }
        test::FakeDesktop desktop;
        AppDelegate delegate(temp.prefs(), desktop.services(), temp.libraryPath());
        delegate.openStudio();
        QCOMPARE(delegate.window()->size(), QSize(1100, 720));
        delegate.window()->resize(400, 300); // refused by the window
        delegate.quit();
        test::FakeDesktop again;
        AppDelegate third(temp.prefs(), again.services(), temp.libraryPath());
        third.openStudio();
        QCOMPARE(third.window()->size(), StudioWindow::smallestSize);
    }

    void toggleShowsAndHidesThePopover()
    {
        Fixture f;
        f.delegate->launch({});
        // Nothing of the popover's inside exists before it is first shown.
        QVERIFY(!f.delegate->popover().content());
        f.delegate->toggle();
        QVERIFY(f.delegate->popover().isVisible());
        QCOMPARE(f.delegate->popover().size(), QSize(310, 340));
        f.delegate->toggle();
        QVERIFY(!f.delegate->popover().isVisible());
        f.delegate->toggle();
        f.delegate->openStudio();
        QVERIFY(!f.delegate->popover().isVisible());

        // From the keyboard alone: Tab walks its controls, each named for a
        // screen reader, Return presses one, Escape closes.
        f.delegate->toggle();
        QWidget *popover = &f.delegate->popover();
        QVERIFY(QTest::qWaitForWindowActive(popover));
        // The control that has the focus on opening shows its ring at once.
        QVERIFY(popover->testAttribute(Qt::WA_KeyboardFocusChange));
        QStringList names;
        QWidget *first = nullptr;
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : popover, Qt::Key_Tab);
            QWidget *focused = QApplication::focusWidget();
            QVERIFY(focused && popover->isAncestorOf(focused));
            if (focused == first)
                break;
            if (!first)
                first = focused;
            const QString name = focused->accessibleName().isEmpty()
                ? (qobject_cast<QAbstractButton *>(focused) ? qobject_cast<QAbstractButton *>(focused)->text()
                                                            : QString())
                : focused->accessibleName();
            QVERIFY2(!name.isEmpty(), qPrintable(focused->metaObject()->className()));
            names << name;
        }
        QVERIFY2(names.size() >= 4, qPrintable(names.join(u',')));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!popover->isVisible());
    }
};

QTEST_MAIN(TestAppDelegate)
#include "test_app_delegate.moc"
