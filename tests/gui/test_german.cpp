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
#include "gui/views/swatch_grid.h"
#include "model/color/color_names.h"
#include "picker/magnifier.h"
#include "tools/palette_files.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

// The harmony cards at a size: no name cut, no button squeezed; stacked,
// the name, the colours and the button one under the other, else the name
// and the button beside the colours.
void harmonyCardsFit(test::DesktopModels &models, QSize size, bool stacked, const QString &language)
{
    StudioWindow window(models.store, models.shortcuts, models.temp.prefs(), models.desktop.get(), [] {});
    window.resize(size);
    window.show();
    window.setPage(Page::harmony);
    for (int pass = 0; pass < 5; ++pass)
        QCoreApplication::processEvents();
    const QList<QLabel *> names = window.findChildren<QLabel *>(QStringLiteral("ruleName"));
    QCOMPARE(names.size(), 5);
    for (QLabel *name : names) {
        QWidget *card = name->parentWidget();
        auto *tiles = card->findChild<SwatchGrid *>();
        auto *button = card->findChild<QPushButton *>();
        const QString where = language + u' ' + name->text();
        QVERIFY2(name->height() >= name->heightForWidth(name->width()), qPrintable(where + " is cut"));
        QVERIFY2(button->width() >= button->sizeHint().width() && button->height() >= button->sizeHint().height(),
                 qPrintable(where + ": the button is squeezed"));
        const QRect n = name->geometry(), t = tiles->geometry(), b = button->geometry();
        if (stacked)
            QVERIFY2(n.bottom() < t.top() && t.bottom() < b.top(), qPrintable(where + " is not name, tiles, button"));
        else
            QVERIFY2(n.right() < t.left() && b.right() < t.left() && n.bottom() < b.top(),
                     qPrintable(where + " is not beside its colours"));
    }
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

    // At the smallest size in both languages, and at the default size.
    void fitsAtTheSmallestSize()
    {
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(PIGMENTRY_GERMAN_QM)));
        for (const bool inGerman : {false, true}) {
            const QString language = inGerman ? QStringLiteral("German") : QStringLiteral("English");
            if (inGerman)
                QApplication::installTranslator(&german);
            test::DesktopModels models;
            harmonyCardsFit(models, StudioWindow::smallestSize, true, language);
            harmonyCardsFit(models, StudioWindow::defaultSize, false, language);

            // The magnifier's hint, at every zoom and while picking several,
            // stays clear of the panel's edges.
            const QFontMetricsF metrics(Magnifier::hintFont());
            for (const int zoom : {5, 10, 15, 20}) {
                Magnifier magnifier;
                magnifier.zoom = zoom;
                QVERIFY2(metrics.horizontalAdvance(magnifier.hint()) <= Magnifier::hintArea().width(),
                         qPrintable(language + ": " + magnifier.hint()));
            }
            const QString several =
                QCoreApplication::translate("ScreenPicker", "%n picked · Esc to finish", nullptr, 12);
            QVERIFY2(metrics.horizontalAdvance(several) <= Magnifier::hintArea().width(), qPrintable(several));
            QApplication::removeTranslator(&german);
        }
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
