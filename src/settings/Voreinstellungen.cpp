// Reading and writing the settings files from the main window: each action
// names a file and a direction; a failure is shown, logged, and the fields
// read before the failing line keep their new values.

#include "app/frmTransfer.h"
#include "settings/SettingsFiles.h"
#include "settings/TextFile.h"
#include "table/frmProjekt.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>

namespace kivo {

namespace {

bool isReadAction(const QString& aktion)
{
    return aktion == u"KL" || aktion == u"CL" || aktion == u"LL" || aktion == u"SL" || aktion == u"PI"
           || aktion == u"PL";
}

} // namespace

void frmTransfer::Voreinstellungen(const QString& aktion_)
{
    if (programEnded) return; // nothing is written after the program has ended
    aktion = aktion_;
    const QString fileName = settingsFileName(aktion);
    if (fileName.isEmpty()) return;
    const QString folder = aktion == u"KL" ? identity.programFolder
                           : aktion == u"PI" ? identity.MessDataPath
                                             : identity.AppDataPath;
    const QString path = QDir(folder).filePath(fileName);

    FileError fileError;
    ReadFailure failure;
    QStringList lines;
    if (isReadAction(aktion)) {
        const QStringList initial = aktion == u"SL" ? QStringList{QStringLiteral("0")} : QStringList{};
        std::optional<QStringList> read;
        if (aktion == u"KL" || createIfMissing(path, initial, &fileError)) read = readTextLines(path, &fileError);
        if (!read) failure = fileError.reason;
        else lines = *read;
    }

    const QLocale locale;
    if (failure) {
        // the file itself could not be read: nothing to parse
    } else if (aktion == u"KL") {
        KonfiFields f{identity.geraet, identity.brandCode, identity.brandName, identity.kpgmname};
        failure = readKonfi(lines, f);
        identity.geraet = f.geraet;
        identity.brandCode = f.brandCode;
        identity.brandName = f.brandName;
        identity.kpgmname = f.kpgmname;
    } else if (aktion == u"CL") {
        PortIniFields f{link.portnr, ComboPort->currentText(), false};
        failure = readPortIni(lines, f);
        link.portnr = f.portnr;
        if (!f.comboText.isEmpty()) ComboPort->setEditText(f.comboText);
        if (f.askForPort) {
            txtWait->setText(texte.MessageText(24));
            txtWait->setVisible(true);
        }
    } else if (aktion == u"CS") {
        if (!writeTextLines(path, writePortIni(link.portnr), &fileError)) failure = fileError.reason;
        setWindowTitle(texte.MessageText(14));
    } else if (aktion == u"LL") {
        failure = readLimitIni(lines, limits, locale);
    } else if (aktion == u"LS") {
        if (!writeTextLines(path, writeLimitIni(limits, locale), &fileError)) failure = fileError.reason;
    } else if (aktion == u"SL") {
        failure = readLanguageIni(lines, texte.languageIndex);
    } else if (aktion == u"SS") {
        if (!writeTextLines(path, writeLanguageIni(texte.languageIndex), &fileError)) failure = fileError.reason;
    } else if (aktion == u"PI") {
        ProjectCaptions captions;
        for (size_t i = 0; i < captions.size(); ++i) captions[i] = projektWindow->lblFelder[i]->text();
        failure = readProjektIni(lines, texte.languageIndex, captions);
        for (size_t i = 0; i < captions.size(); ++i) projektWindow->lblFelder[i]->setText(captions[i]);
    } else if (aktion == u"PL" || aktion == u"PS") {
        ProjectData data;
        for (size_t i = 0; i < data.felder.size(); ++i) data.felder[i] = projektWindow->txtFelder[i]->text();
        data.date = projektWindow->DTPDate->date();
        data.time = projektWindow->DTPTime->time();
        if (aktion == u"PS") {
            if (!writeTextLines(path, writeProjektdaten(data), &fileError)) failure = fileError.reason;
        } else {
            failure = readProjektdaten(lines, data);
            for (size_t i = 0; i < data.felder.size(); ++i) projektWindow->txtFelder[i]->setText(data.felder[i]);
            projektWindow->DTPDate->setDate(data.date);
            projektWindow->DTPTime->setTime(data.time);
        }
    }

    if (!failure) return;
    Errortext = settingsErrorText(aktion, texte.languageIndex);
    MsgBox(Errortext + *failure);
    WriteLog(Errortext);
}

} // namespace kivo
