// kivo-drive: plays a script of operator actions against the program's
// main window, off screen, and prints what an operator would see.
//
//   kivo-drive SCRIPT      (or - for standard input)

#include "Driver.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kivo-transfer"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: kivo-drive SCRIPT|-\n");
        return 2;
    }
    QFile file;
    const QString source = QString::fromLocal8Bit(argv[1]);
    const bool opened = source == u"-" ? file.open(stdin, QIODevice::ReadOnly) : (file.setFileName(source), file.open(QIODevice::ReadOnly));
    if (!opened) {
        std::fprintf(stderr, "kivo-drive: cannot read %s\n", argv[1]);
        return 2;
    }
    const QStringList script = QString::fromUtf8(file.readAll()).split(u'\n');
    kivo::Driver driver(script, QApplication::applicationDirPath());
    driver.begin();
    return app.exec();
}
