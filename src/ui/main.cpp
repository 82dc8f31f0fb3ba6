// kivo-transfer: downloads, shows and reports the readings of one gauge.

#include "ui/frmTransfer.h"
#include "ui/Dialogs.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kivo-transfer"));
    QApplication::setApplicationVersion(QStringLiteral(KIVO_VERSION));
    // The desktop matches the window to its entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.brenvor.KivoRidivori"));

    kivo::QtDialogs dialogs;
    kivo::Platform platform;
    platform.dialogs = &dialogs;
    kivo::frmTransfer window(platform, QApplication::applicationDirPath());
    if (!window.Form_Load()) return 0; // another copy runs already
    window.show();
    // kivo-transfer FILE.mes: the file into the memory table, as File → Open
    // would load it.
    const QStringList files = QApplication::arguments().mid(1);
    if (!files.isEmpty()) window.openGivenFile(files.constFirst());
    return app.exec();
}
