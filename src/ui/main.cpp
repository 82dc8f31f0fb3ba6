// kivo-transfer: downloads, shows and reports the readings of one gauge.

#include "ui/frmTransfer.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kivo-transfer"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    kivo::QtDialogs dialogs;
    kivo::Platform platform;
    platform.dialogs = &dialogs;
    kivo::frmTransfer window(platform, QApplication::applicationDirPath());
    if (!window.Form_Load()) return 0; // another copy runs already
    window.show();
    return app.exec();
}
