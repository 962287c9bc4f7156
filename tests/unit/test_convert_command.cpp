#include "model/rgba.h"

#include <QProcess>
#include <QTest>

// Runs the real executable, as a script would, with no display.
class TestConvertCommand : public QObject {
    Q_OBJECT

    struct Result {
        int exitCode;
        QString out;
        QString err;
    };

    static Result run(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("PIGMENTRY_BINARY"), QStringList{"convert"} + arguments);
        if (!process.waitForFinished(20000))
            return {-1, {}, {}};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

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
        QCOMPARE(bad.err, QStringLiteral("Use 6 or 8 hexadecimal digits.\n"));

        // Format names are exact; a near miss is refused with the list.
        const Result unknown = run({"FF800080", "--format", "hex"});
        QCOMPARE(unknown.exitCode, 2);
        QVERIFY(unknown.out.isEmpty());
        QCOMPARE(unknown.err, QStringLiteral("Unknown format \"hex\". Use one of: HEX, HEX Alpha, RGB, RGBA, HSL, HSV, "
                                             "CSS Variable, SwiftUI, NSColor, Android, Flutter, Tailwind, JSON.\n"));

        const Result missing = run({});
        QCOMPARE(missing.exitCode, 2);
        QVERIFY(missing.err.startsWith(QLatin1String("Usage:")));
    }
};

QTEST_GUILESS_MAIN(TestConvertCommand)
#include "test_convert_command.moc"
