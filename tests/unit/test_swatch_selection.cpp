// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/views/palette/swatch_selection.h"

#include <QTest>

using namespace pigmentry;

class TestSwatchSelection : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Shift extends from where the mark began, Ctrl adds and takes out, and
    // an action on a marked colour is for all of them, on another for it.
    void marksAndActsOnWhatWasChosen()
    {
        SwatchSelection s;
        QCOMPARE(s.focused(), -1);
        s.focus(2);
        s.focus(5, true);
        QCOMPARE(s.actedOn(3), (QList<int>{2, 3, 4, 5}));
        s.focus(0, true);
        QCOMPARE(s.keyTargets(), (QList<int>{0, 1, 2}));
        QCOMPARE(s.actedOn(4), QList<int>{4});
        s.toggle(1);
        QCOMPARE(s.keyTargets(), (QList<int>{0, 2}));
        QVERIFY(!s.isMarked(1));
        s.toggle(7);
        QCOMPARE(s.keyTargets(), (QList<int>{0, 2, 7}));
        QCOMPARE(s.focused(), 7);
        // A lone colour is in focus, not one of several marked.
        s.focus(3);
        QVERIFY(!s.isMarked(3));
        QCOMPARE(s.actedOn(3), QList<int>{3});
        s.focus(-1);
        QCOMPARE(s.keyTargets(), QList<int>{-1});
    }

    // After a removal the focus goes to the colour that took the first
    // removed one's place, or the last; a card left empty has none.
    void followsTheCardAsItChanges()
    {
        SwatchSelection s;
        s.selectAll(4);
        QCOMPARE(s.focused(), 0);
        QCOMPARE(s.keyTargets(), (QList<int>{0, 1, 2, 3}));
        s.fit(2);
        QCOMPARE(s.keyTargets(), (QList<int>{0, 1}));
        s.focus(5);
        s.fit(3);
        QCOMPARE(s.focused(), 2);

        s.removed({1, 2}, 5);
        QCOMPARE(s.focused(), 1);
        QCOMPARE(s.keyTargets(), QList<int>{1});
        s.removed({3, 4}, 5);
        QCOMPARE(s.focused(), 2);
        s.removed({0}, 1);
        QCOMPARE(s.focused(), -1);
        QCOMPARE(s.actedOn(0), QList<int>{0});
    }
};

QTEST_GUILESS_MAIN(TestSwatchSelection)
#include "test_swatch_selection.moc"
