// Asking the gauge who it is and how many readings its memories hold.

#include "app/frmTransfer.h"
#include "device/IdentReply.h"
#include "platform/Hourglass.h"

#include <QLabel>

namespace kivo {

bool frmTransfer::ReadGeraet()
{
    link.empfang.clear();
    auswertung.clear();
    link.eotErkannt = false;
    DisableCommands();
    txtWait->setVisible(true);
    Hourglass hourglass;
    link.messart = 3;
    link.befehl = link.befehlKennung;
    SendCommand();
    // No time limit: a Bluetooth gauge may take its time; Escape ends it.
    const bool answered = waitFor([this] { return link.eotErkannt; });
    if (!answered) {
        abandonReplyIfOpen();
        link.empfang.clear();
        return false;
    }
    if (programEnded || !link.CheckConnect) return false; // switched itself off meanwhile

    auswertung = link.empfang;
    const auto failure = parseIdentReply(auswertung, profile.speicherlayout, identity.geraet, device);
    auswertung.clear();
    setWindowTitle(identity.titleText());
    if (failure) {
        const QString text = QStringLiteral("ReadGeraet: ") + Errortext + *failure;
        MsgBox(text);
        WriteLog(text);
    }
    return true;
}

} // namespace kivo
