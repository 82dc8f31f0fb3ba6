// Asking the gauge who it is and how many readings its memories hold.

#include "app/frmTransfer.h"
#include "device/IdentReply.h"

#include <QApplication>
#include <QLabel>

namespace kivo {

void frmTransfer::ReadGeraet()
{
    link.empfang.clear();
    auswertung.clear();
    link.eotErkannt = false;
    DisableCommands();
    txtWait->setVisible(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    link.messart = 3;
    link.befehl = link.befehlKennung;
    SendCommand();
    // No time limit: a Bluetooth gauge may take its time; Escape ends it.
    waitFor([this] { return link.eotErkannt; });

    auswertung = link.empfang;
    const auto failure = parseIdentReply(auswertung, profile.speicherlayout, identity.geraet, device);
    auswertung.clear();
    setWindowTitle(identity.titleText());
    QApplication::restoreOverrideCursor();
    if (!failure) return;
    const QString text = QStringLiteral("ReadGeraet: ") + Errortext + *failure;
    MsgBox(text);
    WriteLog(text);
}

} // namespace kivo
