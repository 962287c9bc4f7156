// SPDX-License-Identifier: GPL-3.0-or-later
// Every text shown is in German under a German desktop: every Studio page and
// the popover are read once in English and once with the German translation,
// and a text the two readings share is English left behind (codes, format
// names and the program's name aside).
#include "desktop_models.h"
#include "fake_file_dialogs.h"
#include "gui/kit/style.h"
#include "gui/popover/menu_content.h"
#include "gui/studio/studio_window.h"
#include "model/color/color_names.h"
#include "tools/palette_files.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTranslator>

using namespace pigmentry;

namespace {

// The texts a user meets in a widget and all within it: labels, buttons,
// placeholders, menu items, tooltips and the names a screen reader says.
QSet<QString> textsOf(QWidget *root)
{
    QSet<QString> texts;
    auto add = [&texts](const QString &text) {
        if (!text.trimmed().isEmpty())
            texts.insert(text.trimmed());
    };
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *widget : std::as_const(widgets)) {
        if (!widget->isVisibleTo(root) && widget != root)
            continue;
        add(widget->accessibleName());
        add(widget->toolTip());
        if (auto *label = qobject_cast<QLabel *>(widget))
            add(label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            add(button->text());
        if (auto *field = qobject_cast<QLineEdit *>(widget))
            add(field->placeholderText());
        if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                add(combo->itemText(i));
        }
    }
    return texts;
}

// Texts that are the same in every language: codes, numbers, format names,
// names of things.
bool sameInEveryLanguage(const QString &text)
{
    static const QRegularExpression codeOrNumber(
        QStringLiteral(R"(^([#\d.,:%°\s/()•↑↓←→-]|rgb|hsl|hsv|Shift|Super|Ctrl|Alt|\+|[A-Z]|RRGGBB)+$)"));
    // Names of things, and words German shares with English.
    static const QSet<QString> names = {
        QStringLiteral("Pigmentry"), QStringLiteral("sRGB"),      QStringLiteral("HEX"),     QStringLiteral("Return"),
        QStringLiteral("Esc"),       QStringLiteral("Normal"),    QStringLiteral("Palette"), QStringLiteral("Studio"),
        QStringLiteral("AA normal"), QStringLiteral("AAA normal")};
    if (codeOrNumber.match(text).hasMatch() || names.contains(text) || RGBA::formats().contains(text))
        return true;
    // A colour's code in any of the formats, or a text made of one; what the
    // colour is called (the list of names is English).
    const RGBA shown{59 / 255.0, 130 / 255.0, 245 / 255.0, 1};
    for (const QString &format : RGBA::formats()) {
        if (text.contains(shown.formatted(format)))
            return true;
    }
    return text == colorName(shown);
}

QSet<QString> readEverything(test::DesktopModels &models)
{
    StudioWindow window(models.store, models.shortcuts, models.temp.prefs(), models.desktop.get(), [] {});
    window.show();
    QSet<QString> texts;
    for (const Page page : allPages()) {
        window.setPage(page);
        QCoreApplication::processEvents();
        texts += textsOf(&window);
    }
    MenuContent menu(models.store, models.shortcuts, {[] {}, [] {}, [] {}, [] {}});
    menu.show();
    QCoreApplication::processEvents();
    texts += textsOf(&menu);
    return texts;
}

} // namespace

class TestGerman : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installStyle(); }

    void nothingEnglishIsLeft()
    {
        test::DesktopModels english;
        english.store.capture(RGBA{59 / 255.0, 130 / 255.0, 245 / 255.0, 1});
        const QSet<QString> before = readEverything(english);

        QTranslator german;
        QVERIFY(german.load(QStringLiteral(PIGMENTRY_GERMAN_QM)));
        QApplication::installTranslator(&german);
        test::DesktopModels models;
        models.store.capture(RGBA{59 / 255.0, 130 / 255.0, 245 / 255.0, 1});
        const QSet<QString> after = readEverything(models);
        QApplication::removeTranslator(&german);

        QStringList left;
        for (const QString &text : after) {
            if (before.contains(text) && !sameInEveryLanguage(text))
                left << text;
        }
        left.sort();
        QVERIFY2(left.isEmpty(),
                 qPrintable(QStringLiteral("English under German: ") + left.join(QLatin1String(" | "))));
        QVERIFY(after.size() > 100);
    }

    // What the palette files tell the Studio comes in German too: why a file
    // is no palette, what an export loses, the name of a copy; the command
    // line, which loads no translation, keeps English.
    void paletteNoticesInGerman()
    {
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(PIGMENTRY_GERMAN_QM)));
        QApplication::installTranslator(&german);
        test::DesktopModels models;
        test::FakeFileDialogs dialogs;
        PaletteFiles files(models.store, dialogs);
        const QString empty = models.temp.path(QStringLiteral("empty.gpl"));
        test::writeFile(empty, QByteArray());
        dialogs.answer = empty;
        files.importPalette();
        QCOMPARE(models.store.notice(), QStringLiteral("Ungültige Palette: die Datei ist leer"));
        QVERIFY(dialogs.openFilters.first().startsWith(QLatin1String("Paletten (")));

        const Palette translucent{QUuid::createUuid(), QStringLiteral("Marke"), {RGBA{1, 0, 0, 0.5}}, {}};
        dialogs.answer = models.temp.path(QStringLiteral("marke.gpl"));
        files.exportPalette(translucent);
        QVERIFY(dialogs.offeredFilters.contains(QStringLiteral("GIMP-Palette, ohne Transparenz (*.gpl)")));
        QCOMPARE(models.store.notice(),
                 QStringLiteral("1 Farbe nach marke.gpl exportiert. Eine GIMP-Palette kennt keine Transparenz: "
                                "Die Farben wurden deckend gespeichert."));
        models.store.duplicatePalette(translucent);
        QCOMPARE(models.store.library().palettes.last().name, QStringLiteral("Marke Kopie"));
        QApplication::removeTranslator(&german);

        dialogs.answer = empty;
        files.importPalette();
        QCOMPARE(models.store.notice(), QStringLiteral("Invalid palette: the file is empty"));
    }
};

QTEST_MAIN(TestGerman)
#include "test_german.moc"
