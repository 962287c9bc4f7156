#include "convert_command.h"
#include "pick_command.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char *argv[])
{
    // Sub-commands for scripts are recognised only as the first argument and
    // need no display.
    if (argc > 1 && qstrcmp(argv[1], "convert") == 0) {
        QStringList arguments;
        for (int i = 2; i < argc; ++i)
            arguments.append(QString::fromLocal8Bit(argv[i]));
        return pigmentry::runConvert(arguments, stdout, stderr);
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Pigmentry"));
    QApplication::setApplicationName(QStringLiteral("Pigmentry"));
    QApplication::setQuitOnLastWindowClosed(false);

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1 && arguments.at(1) == QLatin1String("pick"))
        return pigmentry::runPick(arguments.mid(2));
    return QApplication::exec();
}
