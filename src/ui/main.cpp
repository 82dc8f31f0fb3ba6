// kivo-transfer: downloads, shows and reports the readings of one gauge.

#include "ui/frmTransfer.h"
#include "ui/Dialogs.h"
#include "session/Version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

namespace {

QCommandLineParser& commandLine()
{
    static QCommandLineParser parser;
    static const bool ready = [] {
        parser.setApplicationDescription(QStringLiteral("Downloads, shows and reports the readings of a Kivo gauge."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addPositionalArgument(QStringLiteral("FILE.mes"),
                                     QStringLiteral("a measurement file to open in the memory table"),
                                     QStringLiteral("[FILE.mes]"));
        return true;
    }();
    (void)ready;
    return parser;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("kivo-transfer"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kivo::kVersion));
    // Help and version need no display: answered before the window's
    // application connects to one.
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--help" || arg == "-h" || arg == "--help-all" || arg == "--version" || arg == "-v") {
            QCoreApplication core(argc, argv);
            commandLine().process(core); // prints and ends
        }
    }

    QApplication app(argc, argv);
    // The desktop matches the window to its entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.brenvor.KivoRidivori"));
    // Qt's own options (-style, -platform, ...) are taken by QApplication;
    // what is left is the program's.
    QCommandLineParser& parser = commandLine();
    if (!parser.parse(QApplication::arguments())) {
        std::fprintf(stderr, "%s\n\n%s", qPrintable(parser.errorText()), qPrintable(parser.helpText()));
        return 2;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        std::fprintf(stderr, "kivo-transfer opens one file at a time: %s\n", qPrintable(files.constFirst()));

    kivo::QtDialogs dialogs;
    kivo::Platform platform;
    platform.dialogs = &dialogs;
    kivo::frmTransfer window(platform, QApplication::applicationDirPath());
    // kivo-transfer FILE.mes: the file into the memory table, as File → Open
    // would load it; with a copy running already, into that copy's.
    if (!window.Form_Load()) {
        if (files.isEmpty() || window.handOverToRunningCopy(files.constFirst())) return 0;
        std::fprintf(stderr, "kivo-transfer runs already, and the file could not be handed to it: %s\n",
                     qPrintable(files.constFirst()));
        return 1;
    }
    window.show();
    if (!files.isEmpty()) window.openGivenFile(files.constFirst());
    return app.exec();
}
