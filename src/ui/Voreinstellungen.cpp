// The ten settings actions as the window runs them: the settings files are
// read and written by the settings subsystem over plain values; here the
// values come from and go to the controls, and a failure is shown and
// logged. Fields read before a bad line keep their new values.

#include "session/ModelTable.h"
#include "ui/frmTransfer.h"
#include "settings/Settings.h"
#include "ui/frmProjekt.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>

namespace kivo {

bool frmTransfer::Voreinstellungen(const QString& aktion_)
{
    if (programEnded) return false; // nothing is written after the program has ended
    aktion = aktion_;
    settings.setLanguage(texte.languageIndex);
    const QLocale locale;
    SettingsOutcome failure;
    if (aktion == u"KL") {
        KonfiFields f{identity.geraet, identity.brandCode, identity.brandName, identity.kpgmname};
        failure = settings.readKonfi(f);
        // A code of no model would start a program without a name, pictures
        // or ports: said as a Konfi.ini that cannot be read is.
        if (!failure && !profileFor(f.geraet))
            failure = SettingsFailure{settingsErrorText(aktion, texte.languageIndex),
                                      unknownModelText(f.geraet, modelCodes(), texte.languageIndex)};
        identity.geraet = f.geraet;
        identity.brandCode = f.brandCode;
        identity.brandName = f.brandName;
        identity.kpgmname = f.kpgmname;
    } else if (aktion == u"CL") {
        PortIniFields f{gauge->portnr(), ComboPort->currentText(), false};
        failure = settings.readPort(f);
        gauge->setPortnr(f.portnr);
        if (!f.comboText.isEmpty()) ComboPort->setEditText(f.comboText);
        if (f.askForPort) {
            txtWait->setText(texte.text(Msg::PortAuswaehlen));
            txtWait->setVisible(true);
        }
    } else if (aktion == u"CS") {
        failure = settings.writePort(gauge->portnr());
        setWindowTitle(texte.text(Msg::Titel));
    } else if (aktion == u"LL") {
        return core.loadLimits();
    } else if (aktion == u"LS") {
        failure = settings.writeLimits(tables.limits(), locale);
    } else if (aktion == u"SL") {
        failure = settings.readLanguage(texte.languageIndex);
    } else if (aktion == u"SS") {
        failure = settings.writeLanguage(texte.languageIndex);
    } else if (aktion == u"PI") {
        const bool read = core.loadProjectCaptions();
        for (size_t i = 0; i < kProjectFields; ++i) projektWindow->lblFelder[i]->setText(core.projectCaptions()[i]);
        return read;
    } else if (aktion == u"PS") {
        // The dialog's copy, handed to the session to keep and save.
        ProjectData data = core.projectData();
        for (size_t i = 0; i < data.felder.size(); ++i) data.felder[i] = projektWindow->txtFelder[i]->text();
        data.date = projektWindow->DTPDate->date();
        data.time = projektWindow->DTPTime->time();
        return core.saveProjectData(data);
    } else if (aktion == u"PL") {
        const bool read = core.loadProjectData();
        const ProjectData& data = core.projectData();
        for (size_t i = 0; i < data.felder.size(); ++i) projektWindow->txtFelder[i]->setText(data.felder[i]);
        projektWindow->DTPDate->setDate(data.date);
        projektWindow->DTPTime->setTime(data.time);
        return read;
    } else {
        return false;
    }

    return core.reportSettings(failure);
}

} // namespace kivo
