// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_desktop.h"
#include "model/color/rgba.h"
#include "model/library/store.h"
#include "platform/instance_protocol.h"
#include "platform/single_instance.h"
#include "temp_settings.h"
#include "tools/palette_files.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QUuid>

// Runs the real executable's commands for scripts, as a script would, with
// no display.
class TestCommands : public QObject {
    Q_OBJECT

    struct Result {
        int exitCode;
        QString out;
        QString err;
    };

    static Result run(const QStringList &arguments) { return command(QStringLiteral("convert"), arguments); }

    static Result command(const QString &name, const QStringList &arguments)
    {
        return commandWith(name, arguments, {});
    }

    // With variables set in a display-less environment, and standard output
    // sent to a file (such as /dev/full) when one is given.
    static Result commandWith(const QString &name, const QStringList &arguments, const QStringList &variables,
                              const QString &output = QString())
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        for (const QString &variable : variables)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        process.setProcessEnvironment(environment);
        if (!output.isEmpty())
            process.setStandardOutputFile(output);
        process.start(qEnvironmentVariable("PIGMENTRY_BINARY"),
                      (name.isEmpty() ? QStringList() : QStringList{name}) + arguments);
        if (!process.waitForFinished(20000))
            return {-1, {}, {}};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // A listener where the command looks for the running Pigmentry, which
    // answers every request with answer; the command runs beside it.
    struct Listener {
        pigmentry::test::TempSettings temp;
        QString runtime = temp.path(QStringLiteral("runtime"));
        std::unique_ptr<pigmentry::SingleInstance> instance;

        bool listen(const QString &answer) { return listen(QStringList{answer}); }
        // Every answer but the last is sent as one that more follow.
        bool listen(const QStringList &answers)
        {
            if (!QDir().mkpath(runtime) || !QDir().mkpath(temp.path(QStringLiteral("data/Pigmentry")))
                || !QFile::setPermissions(runtime,
                                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
                return false;
            instance =
                std::make_unique<pigmentry::SingleInstance>(temp.path(QStringLiteral("data/Pigmentry")), runtime);
            QObject::connect(instance.get(), &pigmentry::SingleInstance::received,
                             [answers](const QStringList &, const pigmentry::SingleInstance::Reply &reply) {
                                 for (qsizetype i = 0; i < answers.size(); ++i)
                                     reply(answers.at(i), i + 1 < answers.size());
                             });
            return instance->claim();
        }

        // The command's exit status, standard output and error, once it ends.
        Result run(const QStringList &arguments)
        {
            QProcess process;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("XDG_DATA_HOME"), temp.path(QStringLiteral("data")));
            environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
            process.setProcessEnvironment(environment);
            process.start(qEnvironmentVariable("PIGMENTRY_BINARY"), arguments);
            if (!QTest::qWaitFor([&process] { return process.state() == QProcess::NotRunning; }, 15000))
                return {-1, {}, {}};
            return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                    QString::fromUtf8(process.readAllStandardError())};
        }
    };

private Q_SLOTS:
    void printsOneFormat_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("out");
        QTest::newRow("default is HEX") << QStringList{"#3b82f5"} << "#3B82F5\n";
        QTest::newRow("named format") << QStringList{"3B82F5", "--format", "RGB"} << "rgb(59, 130, 245)\n";
        QTest::newRow("format with =") << QStringList{"FF800080", "--format=HEX Alpha"} << "#FF800080\n";
        QTest::newRow("JSON alpha") << QStringList{"FF800080", "--format", "JSON"}
                                    << "{\"hex\":\"#FF8000\",\"alpha\":0.5019607843137255}\n";
    }

    void printsOneFormat()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, out);
        const Result result = run(arguments);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, out);
        QVERIFY(result.err.isEmpty());
    }

    void printsAllFormats()
    {
        const Result result = run({" #336699CC\n", "--all"});
        QCOMPARE(result.exitCode, 0);
        const pigmentry::RGBA color = *pigmentry::RGBA::fromHex(QStringLiteral("#336699CC"));
        QString expected;
        for (const QString &name : pigmentry::RGBA::formats())
            expected += name + u'\t' + color.formatted(name) + u'\n';
        QCOMPARE(result.out, expected);
        QVERIFY(result.out.startsWith(QLatin1String("HEX\t#336699\nHEX Alpha\t#336699CC\n")));
    }

    void rejectsBadInput()
    {
        const Result bad = run({"#3B82F"});
        QCOMPARE(bad.exitCode, 2);
        QVERIFY(bad.out.isEmpty());
        QCOMPARE(bad.err,
                 QStringLiteral("\"#3B82F\" is not a color. Use a CSS color: a name, #RGB, #RRGGBB, "
                                "#RRGGBBAA, rgb(), hsl(), hwb(), lab(), lch(), oklab(), oklch() or color().\n"));

        // Format names are matched in any case; a near miss is refused with
        // the list.
        QCOMPARE(run({"FF800080", "--format", "hex alpha"}).out, QStringLiteral("#FF800080\n"));
        QCOMPARE(run({"FF800080", "--format", "oklch"}).out, run({"FF800080", "--format", "OKLCH"}).out);
        const Result unknown = run({"FF800080", "--format", "hexa"});
        QCOMPARE(unknown.exitCode, 2);
        QVERIFY(unknown.out.isEmpty());
        QCOMPARE(unknown.err,
                 QStringLiteral("Unknown format \"hexa\". Use one of: HEX, HEX Alpha, RGB, RGBA, HSL, HSV, "
                                "CSS Variable, SwiftUI, NSColor, Android, Flutter, Tailwind, JSON, OKLCH, OKLab.\n"));

        const Result missing = run({});
        QCOMPARE(missing.exitCode, 2);
        QVERIFY(missing.err.startsWith(QLatin1String("Usage:")));
    }

    // A GIMP palette as another program writes it, read in every way the
    // command offers; its JSON read back gives the same listing.
    void paletteListsAndConverts()
    {
        pigmentry::test::TempSettings temp;
        const QString gpl = temp.path("Sunset.gpl");
        pigmentry::test::writeFile(gpl,
                                   "GIMP Palette\r\nName: Dusk ✦\r\nColumns: 4\r\n# from an editor\r\n"
                                   "255 128   0\tOrange\r\n  0   0 255\r\n\r\n");
        const Result listing = command(QStringLiteral("palette"), {gpl});
        QCOMPARE(listing.exitCode, 0);
        QCOMPARE(listing.out, QStringLiteral("Dusk ✦\n#FF8000\n#0000FF\n"));
        QVERIFY(listing.err.isEmpty());

        const Result rgb = command(QStringLiteral("palette"), {gpl, "--format=RGB"});
        QCOMPARE(rgb.out, QStringLiteral("Dusk ✦\nrgb(255, 128, 0)\nrgb(0, 0, 255)\n"));

        const Result json = command(QStringLiteral("palette"), {gpl, "--to", "json"});
        QCOMPARE(json.exitCode, 0);
        QVERIFY(json.out.startsWith(u'{') && !json.out.endsWith(u'\n'));
        pigmentry::test::writeFile(temp.path("copy.json"), json.out.toUtf8());
        QCOMPARE(command(QStringLiteral("palette"), {temp.path("copy.json")}).out, listing.out);
        const Result back = command(QStringLiteral("palette"), {temp.path("copy.json"), "--to=gpl"});
        QCOMPARE(back.out,
                 QStringLiteral("GIMP Palette\nName: Dusk ✦\nColumns: 0\n#\n255 128   0\tOrange\n"
                                "  0   0 255\t#0000FF\n"));
    }

    void colourTools()
    {
        const Result harmony = command(QStringLiteral("harmony"), {"#ff0000"});
        QCOMPARE(harmony.exitCode, 0);
        QCOMPARE(harmony.out,
                 QStringLiteral("Complementary\t#FF0000\t#00FFFF\nAnalogous\t#FF0080\t#FF0000\t#FF8000\n"
                                "Triadic\t#FF0000\t#00FF00\t#0000FF\n"
                                "Split complementary\t#FF0000\t#00FF80\t#0080FF\n"
                                "Tetradic\t#FF0000\t#80FF00\t#00FFFF\t#8000FF\n"));
        QVERIFY(command(QStringLiteral("harmony"), {"FF0000", "--format=RGB"})
                    .out.startsWith(QLatin1String("Complementary\trgb(255, 0, 0)\trgb(0, 255, 255)\n")));

        const Result contrast = command(QStringLiteral("contrast"), {"767676", "FFFFFF"});
        QCOMPARE(contrast.exitCode, 0);
        QCOMPARE(contrast.out,
                 QStringLiteral("4.54 : 1\nAA normal\tPass\nAA large\tPass\nAAA normal\tFail\n"
                                "AAA large\tPass\n"));

        QCOMPARE(command(QStringLiteral("gradient"), {"FF8000", "800080"}).out,
                 QStringLiteral("linear-gradient(90deg, #FF8000 0%, #800080 100%)\n"));
        QCOMPARE(command(QStringLiteral("gradient"), {"FF8000", "800080", "--angle", "-45.9"}).out,
                 QStringLiteral("linear-gradient(-45deg, #FF8000 0%, #800080 100%)\n"));

        for (const QString &name : {QStringLiteral("harmony"), QStringLiteral("contrast"), QStringLiteral("gradient"),
                                    QStringLiteral("convert"), QStringLiteral("palette")}) {
            const Result help = command(name, {"--help"});
            QCOMPARE(help.exitCode, 0);
            QVERIFY(help.out.startsWith(QLatin1String("Usage: pigmentry ") + name));
        }
        // Bad input: exit 2, one line on standard error, nothing else.
        const QList<std::pair<QString, QStringList>> refusals = {
            {"harmony", {}},
            {"harmony", {"FF0000", "--format", "hexa"}},
            {"harmony", {"reddish"}},
            {"contrast", {"000000"}},
            {"contrast", {"000000", "#12"}},
            {"gradient", {"000000", "FFFFFF", "--angle", "wide"}},
            {"gradient", {"000000", "FFFFFF", "--angle"}},
            {"gradient", {"000000", "FFFFFF", "--turn", "3"}},
            {"convert", {"000000", "--bogus"}},
            {"palette", {"a.gpl", "--to"}},
        };
        for (const auto &[name, arguments] : refusals) {
            const Result refused = command(name, arguments);
            QCOMPARE(refused.exitCode, 2);
            QVERIFY(refused.out.isEmpty());
            QCOMPARE(refused.err.count(u'\n'), 1);
            QVERIFY(refused.err.endsWith(u'\n'));
        }
        // An unknown option names the command's help.
        QCOMPARE(command(QStringLiteral("gradient"), {"000000", "FFFFFF", "--turn", "3"}).err,
                 QStringLiteral("Unknown option 'turn'. See pigmentry gradient --help.\n"));
    }

    void extractPrintsTheColours()
    {
        pigmentry::test::TempSettings temp;
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(QColor(255, 0, 0));
        for (int y = 20; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                image.setPixel(x, y, qRgb(0, 0, 255));
        QVERIFY(image.save(temp.path("halves.png")));
        const Result halves = command(QStringLiteral("extract"), {temp.path("halves.png")});
        QCOMPARE(halves.exitCode, 0);
        QCOMPARE(halves.out, QStringLiteral("#FF0000\n#0000FF\n"));
        QCOMPARE(command(QStringLiteral("extract"), {temp.path("halves.png"), "--format", "RGB"}).out,
                 QStringLiteral("rgb(255, 0, 0)\nrgb(0, 0, 255)\n"));

        QImage clear(8, 8, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        QVERIFY(clear.save(temp.path("clear.png")));
        const Result none = command(QStringLiteral("extract"), {temp.path("clear.png")});
        QCOMPARE(none.exitCode, 0);
        QVERIFY(none.out.isEmpty() && none.err.isEmpty());

        // An SVG with text needs fonts: the command draws it, and says
        // nothing else on its standard error.
        const Result svg = command(QStringLiteral("extract"), {QFINDTESTDATA("fuzz/corpus/extract/text.svg")});
        QCOMPARE(svg.exitCode, 0);
        QVERIFY(svg.out.contains(QLatin1String("#0000FF\n")));
        QVERIFY(svg.err.isEmpty());
        const Result bomb = command(QStringLiteral("extract"), {QFINDTESTDATA("fuzz/corpus/extract/use-bomb.svg")});
        QCOMPARE(bomb.exitCode, 2);

        pigmentry::test::writeFile(temp.path("text.jpg"), "plain text");
        const Result unreadable = command(QStringLiteral("extract"), {temp.path("text.jpg")});
        QCOMPARE(unreadable.exitCode, 2);
        QVERIFY(unreadable.out.isEmpty());
        QCOMPARE(unreadable.err, QStringLiteral("Cannot read image: %1\n").arg(temp.path("text.jpg")));
    }

    // The program itself: help, version, refusals, and what needs a display
    // says so instead of aborting.
    void programLine()
    {
        const Result version = command(QStringLiteral("--version"), {});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QStringLiteral("pigmentry 1.0\n"));
        QCOMPARE(command(QStringLiteral("-v"), {}).out, version.out);
        const Result help = command(QStringLiteral("-h"), {});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.startsWith(QLatin1String("Usage: pigmentry [--studio]\n")));
        QVERIFY(help.out.contains(QLatin1String("  extract IMAGE")));

        const QList<std::pair<QStringList, QString>> refusals = {
            {{"--bogus"}, "Unknown option 'bogus'. See pigmentry --help.\n"},
            {{"frob"}, "Unknown command \"frob\". See pigmentry --help.\n"},
            {{"--studio", "extra"}, "Unknown command \"extra\". See pigmentry --help.\n"},
            {{"pick"}, "No display: pigmentry pick needs a graphical session.\n"},
            {{}, "No display: pigmentry needs a graphical session.\n"},
        };
        for (const auto &[arguments, message] : refusals) {
            const Result refused = command(arguments.value(0), arguments.mid(1));
            QCOMPARE(refused.exitCode, 2);
            QVERIFY(refused.out.isEmpty());
            QCOMPARE(refused.err, message);
        }
        // Every command answers --help, --version and unknown options by
        // itself, without acting (quit never reaches a running Pigmentry).
        // Help fits 80 columns and spells "color" one way.
        auto readable = [](const QString &help) {
            const QStringList lines = help.split(u'\n');
            return !help.contains(QLatin1String("olour"))
                && std::all_of(lines.cbegin(), lines.cend(), [](const QString &line) { return line.size() <= 80; });
        };
        QVERIFY2(readable(command(QString(), {"--help"}).out), qPrintable(command(QString(), {"--help"}).out));
        for (const QString name :
             {"convert", "palette", "harmony", "contrast", "gradient", "extract", "pick", "quit", "name", "scale"}) {
            const Result help = command(name, {"--help"});
            QCOMPARE(help.exitCode, 0);
            QVERIFY2(help.out.startsWith(QLatin1String("Usage: pigmentry ") + name), qPrintable(name));
            QVERIFY2(readable(help.out), qPrintable(help.out));
            const Result version = command(name, {"--version"});
            QCOMPARE(version.exitCode, 0);
            QCOMPARE(version.out, QStringLiteral("pigmentry 1.0\n"));
            const Result unknown = command(name, {"--bogus"});
            QCOMPARE(unknown.exitCode, 2);
            QCOMPARE(unknown.err, QStringLiteral("Unknown option 'bogus'. See pigmentry %1 --help.\n").arg(name));
        }
    }

    // Every written format from the command line; standard input read as a
    // file is; ASE written as bytes and read back.
    void paletteFormatsThroughPipes()
    {
        pigmentry::test::TempSettings temp;
        const QByteArray hexList("# brand\n#FF8000 Sunset Orange\n#0000FF80\n");
        QProcess css;
        css.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"palette", "-", "--to", "css"});
        css.write(hexList);
        css.closeWriteChannel();
        QVERIFY(css.waitForFinished(20000));
        QCOMPARE(css.exitCode(), 0);
        QCOMPARE(css.readAllStandardOutput(),
                 QByteArray("/* Palette */\n:root {\n  --sunset-orange: #FF8000;\n  --color-2: #0000FF80;\n}\n"));

        pigmentry::test::writeFile(temp.path("brand.txt"), hexList);
        QProcess ase;
        ase.setStandardOutputFile(temp.path("brand.ase"));
        ase.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"palette", temp.path("brand.txt"), "--to", "ase"});
        QVERIFY(ase.waitForFinished(20000));
        QCOMPARE(ase.exitCode(), 0);
        QVERIFY(pigmentry::test::readFile(temp.path("brand.ase")).startsWith("ASEF"));
        // The hex list has no palette name, so the file's names it; ASE
        // keeps the colours' names and drops alpha.
        QCOMPARE(command(QStringLiteral("palette"), {temp.path("brand.ase"), "--to", "hex"}).out,
                 QStringLiteral("#FF8000 Sunset Orange\n#0000FF\n"));
        QCOMPARE(command(QStringLiteral("palette"), {temp.path("brand.ase")}).out,
                 QStringLiteral("brand\n#FF8000\n#0000FF\n"));
        const Result html = command(QStringLiteral("palette"), {temp.path("brand.txt"), "--to", "html"});
        QVERIFY(html.out.startsWith(QLatin1String("<!DOCTYPE html>"))
                && html.out.contains(QLatin1String("Sunset Orange")));
        // Names of formats that are only read, or file extensions, are not --to values.
        for (const char *to : {"aco", "txt", "htm", "pdf"})
            QCOMPARE(command(QStringLiteral("palette"), {temp.path("brand.txt"), "--to", to}).exitCode, 2);
    }

    void paletteRefusals()
    {
        pigmentry::test::TempSettings temp;
        pigmentry::test::writeFile(temp.path("notes.txt"), "red\ngreen");
        const Result notPalette = command(QStringLiteral("palette"), {temp.path("notes.txt")});
        QCOMPARE(notPalette.exitCode, 2);
        QVERIFY(notPalette.out.isEmpty());
        QVERIFY2(notPalette.err.startsWith(QLatin1String("Invalid palette: ")), qPrintable(notPalette.err));

        const Result missing = command(QStringLiteral("palette"), {temp.path("none.gpl")});
        QCOMPARE(missing.exitCode, 2);
        QVERIFY(missing.out.isEmpty() && missing.err.startsWith(QLatin1String("Invalid palette: ")));

        pigmentry::test::writeFile(temp.path("p.gpl"), "GIMP Palette\n1 2 3\n");
        QCOMPARE(command(QStringLiteral("palette"), {temp.path("p.gpl"), "--format", "hexa"}).exitCode, 2);
        QCOMPARE(command(QStringLiteral("palette"), {temp.path("p.gpl"), "--to", "aco"}).exitCode, 2);
        QCOMPARE(command(QStringLiteral("palette"), {temp.path("p.gpl"), "--to", "gpl", "--format", "RGB"}).exitCode,
                 2);
        // Without a Name line the file's name names the palette.
        QCOMPARE(command(QStringLiteral("palette"), {temp.path("p.gpl")}).out, QStringLiteral("p\n#010203\n"));
    }

    // Names made to break out of a style sheet, through the command and
    // through the Studio's export: the same bytes in every format written,
    // and style sheets whose every line outside a comment is ":root {", "}"
    // or one declaration of a colour.
    void hostileNamesStayNames()
    {
        pigmentry::test::TempSettings temp;
        // An unpaired surrogate, a comment closed by stars and slashes, a
        // form feed (a line break to Sass), a reordering mark, and names
        // that start with digits.
        pigmentry::test::writeFile(
            temp.path("hostile.json"),
            "{\"id\":\"0E4C5E1A-1D3B-4E59-9C61-3A0C2B1D9E11\","
            "\"name\":\"**//body{background:url(http://attacker.invalid/x)}/**//\\f$x: 1; @debug \\\"INJECTED\\\";\","
            "\"colors\":[{\"r\":1,\"g\":0,\"b\":0,\"a\":1},{\"r\":0.75,\"g\":0.86,\"b\":0.2,\"a\":0.5},"
            "{\"r\":0.47,\"g\":0.72,\"b\":0.61,\"a\":1},{\"r\":0,\"g\":0,\"b\":0,\"a\":1}],\"notes\":\"\","
            "\"colorNames\":[\"x: red; } body { background: url(//attacker.invalid/steal) } :root { --y\\ud800\","
            "\"1st choice\\u202e\",\"9\",\"color-9\"]}");
        QString error;
        const std::optional<pigmentry::Palette> palette = pigmentry::readPaletteFile(temp.path("hostile.json"), &error);
        QVERIFY2(palette, qPrintable(error));
        QVERIFY(!palette->colorName(0).contains(QChar(0xD800)));
        QVERIFY(palette->colorName(0).endsWith(QChar(0xFFFD)));

        pigmentry::test::FakeClipboard clipboard;
        pigmentry::Store store(temp.prefs(), clipboard, temp.libraryPath());
        pigmentry::test::FakeFileDialogs dialogs;
        for (const char *to : {"json", "gpl", "ase", "hex", "css", "scss", "html"}) {
            QProcess process;
            process.start(qEnvironmentVariable("PIGMENTRY_BINARY"), {"palette", temp.path("hostile.json"), "--to", to});
            QVERIFY(process.waitForFinished(20000));
            QCOMPARE(process.exitCode(), 0);
            const QByteArray command = process.readAllStandardOutput();
            dialogs.answer = temp.path(QStringLiteral("studio.") + QLatin1String(to));
            pigmentry::PaletteFiles(store, dialogs).exportPalette(*palette);
            QCOMPARE(pigmentry::test::readFile(*dialogs.answer), command);
        }

        // CSS, read as a style sheet is: comments end at the first "*/".
        QString css = QString::fromUtf8(pigmentry::test::readFile(temp.path("studio.css")));
        int comments = 0;
        for (qsizetype open = css.indexOf(QLatin1String("/*")); open >= 0; open = css.indexOf(QLatin1String("/*"))) {
            const qsizetype close = css.indexOf(QLatin1String("*/"), open + 2);
            QVERIFY(close > open);
            css.remove(open, close + 2 - open);
            ++comments;
        }
        QCOMPARE(comments, 1);
        static const QRegularExpression declaration(QStringLiteral("^  --[a-z0-9_-]+: #[0-9A-F]{6}([0-9A-F]{2})?;$"));
        for (const QString &line : css.split(u'\n', Qt::SkipEmptyParts)) {
            QVERIFY2(line == QLatin1String(":root {") || line == QLatin1String("}")
                         || declaration.match(line).hasMatch(),
                     qPrintable(line));
        }
        QVERIFY(css.contains(QLatin1String("  --1st-choice: #BFDB3380;")));

        // SCSS: a comment runs to the end of its line, and a line ends at a
        // line feed, a carriage return or a form feed; a variable is "$"
        // and an identifier, which cannot start with a digit.
        const QString scss = QString::fromUtf8(pigmentry::test::readFile(temp.path("studio.scss")));
        static const QRegularExpression lineEnd(QStringLiteral("\n|\r|\f"));
        static const QRegularExpression variable(
            QStringLiteral("^\\$[A-Za-z_-][A-Za-z0-9_-]*: #[0-9A-F]{6}([0-9A-F]{2})?;$"));
        QStringList variables;
        for (const QString &line : scss.split(lineEnd, Qt::SkipEmptyParts)) {
            if (line.startsWith(QLatin1String("//")))
                continue;
            QVERIFY2(variable.match(line).hasMatch(), qPrintable(line));
            variables.append(line.section(u':', 0, 0));
        }
        QCOMPARE(variables,
                 (QStringList{"$x-red-body-background-url-attacker-invalid-steal-root-y", "$color-1st-choice",
                              "$color-9", "$color-9-2"}));

        // JSON keeps every name exactly, the reordering mark escaped.
        const QByteArray json = pigmentry::test::readFile(temp.path("studio.json"));
        QVERIFY(json.contains("1st choice\\u202e"));
    }

    // What the command says beside its output: the transparency a format
    // dropped, and what a file that is no palette is.
    void paletteCommandSaysWhatItCannot()
    {
        pigmentry::test::TempSettings temp;
        pigmentry::test::writeFile(temp.path("half.txt"), "#FF000080 Half red\n#00FF00\n");
        const Result gpl = command(QStringLiteral("palette"), {temp.path("half.txt"), "--to", "gpl"});
        QCOMPARE(gpl.exitCode, 0);
        QCOMPARE(gpl.err, QStringLiteral("A GIMP palette holds no transparency: the colors were saved opaque.\n"));
        const Result hex = command(QStringLiteral("palette"), {temp.path("half.txt"), "--to", "hex"});
        QVERIFY(hex.err.isEmpty());

        pigmentry::test::writeFile(temp.path("photo.jpg"), QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF", 10));
        const Result photo = command(QStringLiteral("palette"), {temp.path("photo.jpg")});
        QCOMPARE(photo.exitCode, 2);
        QCOMPARE(photo.err, QStringLiteral("Invalid palette: the file is not a palette: it is a JPEG image\n"));

        // Names belong to colours.
        pigmentry::test::writeFile(temp.path("names.json"),
                                   "{\"id\":\"0E4C5E1A-1D3B-4E59-9C61-3A0C2B1D9E11\",\"name\":\"n\",\"notes\":\"\","
                                   "\"colors\":[{\"r\":1,\"g\":0,\"b\":0,\"a\":1}],\"colorNames\":[\"a\",\"b\"]}");
        const Result names = command(QStringLiteral("palette"), {temp.path("names.json")});
        QCOMPARE(names.exitCode, 2);
        QVERIFY2(names.err.contains(QLatin1String("2 names for 1 colors")), qPrintable(names.err));
    }

    // Whatever answers on the socket, what the command prints of it is
    // escaped: a reply cannot retitle or rewrite the user's terminal.
    void repliesReachTheTerminalEscaped()
    {
        Listener listener;
        QVERIFY(listener.listen(pigmentry::instance::encodeReply(
            {pigmentry::instance::Outcome::Picked, QStringLiteral("#DEAD00\x1b]0;owned\x07\u202e"), QString()})));
        const Result pick = listener.run({"pick"});
        QCOMPARE(pick.exitCode, 0);
        QCOMPARE(pick.out, QStringLiteral("#DEAD00\\x1b]0;owned\\x07\\u{202e}\n"));
    }

    // A pick that goes on prints each code as the running Pigmentry sends
    // it; a palette it cannot use, or a square that is not offered, is bad
    // input.
    void pickOptionsThroughTheInstance()
    {
        using namespace pigmentry::instance;
        Listener listener;
        QVERIFY(listener.listen(QStringList{encodeReply({Outcome::Picked, QStringLiteral("#112233"), QString()}),
                                            encodeReply({Outcome::Picked, QStringLiteral("#445566"), QString()}),
                                            encodeReply({Outcome::Done, QString(), QString()})}));
        const Result multiple = listener.run({"pick", "--multiple"});
        QCOMPARE(multiple.exitCode, 0);
        QCOMPARE(multiple.out, QStringLiteral("#112233\n#445566\n"));

        Listener none;
        QVERIFY(none.listen(encodeReply({Outcome::Cancelled, QString(), QString()})));
        QCOMPARE(none.run({"pick", "--multiple"}).exitCode, 1);

        Listener nowhere;
        QVERIFY(nowhere.listen(encodeReply({Outcome::Invalid, QString(), QStringLiteral("No palette is named “x”.")})));
        const Result invalid = nowhere.run({"pick", "--to-palette", "x"});
        QCOMPARE(invalid.exitCode, 2);
        QCOMPARE(invalid.err, QStringLiteral("No palette is named “x”.\n"));

        const Result square = nowhere.run({"pick", "--sample", "4"});
        QCOMPARE(square.exitCode, 2);
        QVERIFY2(square.err.startsWith(QLatin1String("--sample takes 1, 3, 5 or 11")), qPrintable(square.err));
        QCOMPARE(nowhere.run({"pick", "--no-save", "--to-palette", "x"}).exitCode, 2);
    }

    // A running Pigmentry of another version answers what a command asks
    // with that, and the command says so.
    void anotherVersionIsSaidSo()
    {
        // As the version before this one answered every request.
        Listener older;
        QVERIFY(older.listen(QStringLiteral("ok")));
        const Result quit = older.run({"quit"});
        QCOMPARE(quit.exitCode, 1);
        QVERIFY(quit.err.startsWith(QLatin1String("The running Pigmentry is another version")));

        // And the running one, asked in the old way, answers the same.
        using namespace pigmentry::instance;
        QString why;
        QVERIFY(!decodeRequest({QStringLiteral("pick")}, &why));
        QCOMPARE(why, otherVersionText());
        QCOMPARE(decodeReply(QStringLiteral("picked\t#FFFFFF")).outcome, Outcome::OtherVersion);
        const Reply picked = decodeReply(encodeReply({Outcome::Picked, QStringLiteral("#FF0000"), QString()}));
        QCOMPARE(picked.outcome, Outcome::Picked);
        QCOMPARE(picked.code, QStringLiteral("#FF0000"));
        const std::optional<Request> request = decodeRequest(encodeRequest({Verb::Tour, {"a", "b"}}));
        QVERIFY(request && request->verb == Verb::Tour && request->arguments == QStringList({"a", "b"}));
    }

    // Output that cannot be written is an error, never a silent success.
    void failedOutputIsAnError()
    {
        const QList<QStringList> commands = {
            {"convert", "FFFFFF", "--all"}, {"harmony", "FF0000"}, {"convert", "--help"}, {"--help"}, {"--version"}};
        for (const QStringList &arguments : commands) {
            const Result full = commandWith(arguments.first(), arguments.mid(1), {}, QStringLiteral("/dev/full"));
            QCOMPARE(full.exitCode, 1);
            QVERIFY2(full.err.startsWith(QLatin1String("pigmentry: could not write the output: ")),
                     qPrintable(full.err));
        }
        // Standard output closed altogether.
        QProcess process;
        process.start(QStringLiteral("/bin/sh"),
                      {"-c", "exec \"$0\" convert FFFFFF >&-", qEnvironmentVariable("PIGMENTRY_BINARY")});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(process.readAllStandardError().startsWith("pigmentry: could not write the output: "));
    }

    // A display that is named but does not answer is refused like none.
    void unreachableDisplayIsRefused()
    {
        pigmentry::test::TempSettings temp;
        const QList<std::pair<QStringList, QStringList>> cases = {
            {{"DISPLAY=:97"}, {"pick"}},
            {{"DISPLAY=:97"}, {"--studio"}},
            {{"DISPLAY=:97"}, {}},
            {{"WAYLAND_DISPLAY=wayland-9", "XDG_RUNTIME_DIR=" + temp.path(QString())}, {"pick"}},
            {{"QT_QPA_PLATFORM=xcb", "DISPLAY=:97"}, {}},
        };
        for (const auto &[variables, arguments] : cases) {
            const Result refused = commandWith(arguments.value(0), arguments.mid(1), variables);
            QCOMPARE(refused.exitCode, 2);
            QVERIFY2(refused.err.startsWith(QLatin1String("No display: ")) && refused.err.count(u'\n') == 1,
                     qPrintable(refused.err));
        }
    }

    // Whatever a file holds, what is printed of it cannot drive the terminal,
    // codes stay well-formed, and reasons say what is wrong.
    void hostilePaletteFiles()
    {
        pigmentry::test::TempSettings temp;
        const QString name = QStringLiteral("A\x1b]0;title\x07"
                                            "B\u202eC\x01");
        QJsonObject colour{{"r", 1e300}, {"g", -1e300}, {"b", 0.5}, {"a", 1}};
        QJsonObject palette{{"id", QUuid::createUuid().toString(QUuid::WithoutBraces)},
                            {"name", name},
                            {"colors", QJsonArray{colour}},
                            {"notes", ""}};
        pigmentry::test::writeFile(temp.path("hostile.json"), QJsonDocument(palette).toJson(QJsonDocument::Compact));
        const Result listing = command(QStringLiteral("palette"), {temp.path("hostile.json")});
        QCOMPARE(listing.exitCode, 0);
        QCOMPARE(listing.out, QStringLiteral("A\\x1b]0;title\\x07B\\u{202e}C\\x01\n#FF0080\n"));
        for (const QString &format : pigmentry::RGBA::formats()) {
            const Result code = command(QStringLiteral("palette"), {temp.path("hostile.json"), "--format", format});
            const QString line = code.out.section(u'\n', 1, 1);
            QVERIFY2(line.size() < 80 && !line.contains(QLatin1String("inf")) && !line.contains(QLatin1String("nan")),
                     qPrintable(format + u' ' + line));
        }
        const Result json = command(QStringLiteral("palette"), {temp.path("hostile.json"), "--to", "json"});
        QCOMPARE(QJsonDocument::fromJson(json.out.toUtf8()).object().value("name").toString(), name);
        QVERIFY(!json.out.contains(QChar(0x1b)));
        const Result gpl = command(QStringLiteral("palette"), {temp.path("hostile.json"), "--to", "gpl"});
        QVERIFY(!gpl.out.contains(QChar(0x1b)) && !gpl.out.contains(QChar(0x202e)));

        pigmentry::test::writeFile(temp.path("line.gpl"), "GIMP Palette\n1 2 \x1b[31m\n");
        const Result line = command(QStringLiteral("palette"), {temp.path("line.gpl")});
        QCOMPARE(line.exitCode, 2);
        QCOMPARE(line.err, QStringLiteral("Invalid palette: line 2 is not a color: \"1 2 \\x1b[31m\"\n"));

        // Reasons that name what is wrong.
        pigmentry::test::writeFile(temp.path("mac.gpl"), "GIMP Palette\rName: Old\r1 2 3\r");
        QCOMPARE(command(QStringLiteral("palette"), {temp.path("mac.gpl")}).out, QStringLiteral("Old\n#010203\n"));
        pigmentry::test::writeFile(temp.path("empty.gpl"), "");
        pigmentry::test::writeFile(temp.path("junk.gpl"), "Palette of mine\n1 2 3\n");
        pigmentry::test::writeFile(
            temp.path("infinite.json"),
            "{\"id\":\"" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1()
                + "\",\"name\":\"x\",\"notes\":\"\",\"colors\":[{\"r\":1e999,\"g\":0,\"b\":0,\"a\":1}]}");
        const QList<std::pair<QString, QString>> reasons = {
            {temp.path("none.gpl"), "Invalid palette: no such file\n"},
            {temp.path("empty.gpl"), "Invalid palette: the file is empty\n"},
            {temp.path("junk.gpl"),
             "Invalid palette: not a GIMP palette: the file does not start with \"GIMP Palette\"\n"},
        };
        for (const auto &[path, reason] : reasons) {
            const Result refused = command(QStringLiteral("palette"), {path});
            QCOMPARE(refused.exitCode, 2);
            QCOMPARE(refused.err, reason);
        }
        const Result infinite = command(QStringLiteral("palette"), {temp.path("infinite.json")});
        QCOMPARE(infinite.exitCode, 2);
        QVERIFY2(infinite.err.startsWith(QLatin1String("Invalid palette: ")), qPrintable(infinite.err));
    }

    void hugeAngles()
    {
        for (const QString &angle :
             {QStringLiteral("1e308"), QStringLiteral("-1e19"), QStringLiteral("1e19"), QStringLiteral("725")}) {
            const Result gradient = command(QStringLiteral("gradient"), {"FFFFFF", "000000", "--angle", angle});
            QCOMPARE(gradient.exitCode, 0);
            static const QRegularExpression wellFormed(
                QStringLiteral("^linear-gradient\\(-?\\d{1,3}deg, #FFFFFF 0%, #000000 100%\\)\n$"));
            QVERIFY2(wellFormed.match(gradient.out).hasMatch(), qPrintable(gradient.out));
        }
        QCOMPARE(command(QStringLiteral("gradient"), {"FFFFFF", "000000", "--angle", "725"}).out,
                 QStringLiteral("linear-gradient(5deg, #FFFFFF 0%, #000000 100%)\n"));
        QCOMPARE(command(QStringLiteral("gradient"), {"FFFFFF", "000000", "--angle", "nan"}).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "test_commands.moc"
