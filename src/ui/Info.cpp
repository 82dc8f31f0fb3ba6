// The Help menu: the info window and the operating manual.

#include "session/InfoAndManual.h"
#include "ui/frmInfo.h"
#include "ui/frmTransfer.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace kivo {

void frmTransfer::mnuInfo_Click()
{
    if (!gauge->device().geraetesoftware.isEmpty() || gauge->CheckConnect()) {
        // A window already on show and active is not activated again.
        if (infoWindow->isVisible()) frmInfo_Activate();
        infoWindow->show();
        infoWindow->raise();
        infoWindow->activateWindow();
        return;
    }
    MsgBox(identity.titleText(), MsgButtons::OK, MsgIcon::Information, QStringLiteral("Version"));
}

void frmTransfer::frmInfo_Activate()
{
    const DeviceInfo& device = gauge->device();
    infoWindow->lblGeraet->setText(texte.text(Msg::Geraet));
    infoWindow->lblGeraetSoft->setText(texte.text(Msg::GeraeteSoftwareVersion));
    infoWindow->setWindowTitle(texte.text(Msg::Titel));
    infoWindow->txtGeraet->setText(infoModelName(identity.pgmname, gauge->geraet()));
    infoWindow->txtGeraeteSoft->setText(device.geraetesoftware);
    infoWindow->txtPCSoft->setText(identity.versnr);
    infoWindow->txtMacAdr->setText(device.macadr);
    infoWindow->txtSondentyp->setText(device.sondentyp);
    infoWindow->txtSondenversion->setText(device.sondenversion);
    infoWindow->fitToCaptions();
}

void frmTransfer::mnuHelp1_Click()
{
    // A model code no rule knows keeps the manual chosen before.
    if (const QString file = manualFileName(gauge->geraet()); !file.isEmpty())
        helpFilePath = QDir(identity.AppDataPath).filePath(manualPrefix(texte.languageIndex == kGerman) + file);
    // An installation that did not copy the manuals has them beside the program.
    QString path = helpFilePath;
    if (!QFileInfo::exists(path)) {
        const QString beside =
            QDir(identity.programFolder).filePath(QStringLiteral("manuals/") + QFileInfo(helpFilePath).fileName());
        if (QFileInfo::exists(beside)) path = beside;
    }
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path)) {
        MsgBox(texte.say(Phrase::ManualNotFound).arg(shown));
        return;
    }
    if (platform.dialogs->openDocument(path)) return;
    // The manual is there; only no program opens it: said as the exports say it.
    MsgBox(texte.say(Phrase::ManualNotOpened) + shown, MsgButtons::OK, MsgIcon::Information);
}

} // namespace kivo
