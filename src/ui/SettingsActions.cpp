// The settings actions as the window runs them: the settings files are
// read and written by the settings subsystem over plain values; here the
// values come from and go to the controls, and a failure is shown and
// logged. Fields read before a bad line keep their new values. Each is
// false when it failed (the operator was told), and does nothing once the
// program has ended.

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

bool frmTransfer::beginSettings()
{
    if (programEnded) return false; // nothing is written after the program has ended
    settings.setLanguage(texte.languageIndex);
    return true;
}

bool frmTransfer::loadKonfi()
{
    if (!beginSettings()) return false;
    KonfiFields f{identity.geraet, identity.brandCode, identity.brandName, identity.kpgmname};
    SettingsOutcome failure = settings.readKonfi(f);
    // A code of no model would start a program without a name, pictures or
    // ports: said as a Konfi.ini that cannot be read is ("KL" names that
    // action's message).
    if (!failure && !profileFor(f.geraet))
        failure = SettingsFailure{settingsErrorText(QStringLiteral("KL"), texte.languageIndex),
                                  unknownModelText(f.geraet, modelCodes(), texte.languageIndex)};
    identity.geraet = f.geraet;
    identity.brandCode = f.brandCode;
    identity.brandName = f.brandName;
    identity.kpgmname = f.kpgmname;
    return core.reportSettings(failure);
}

bool frmTransfer::loadPort()
{
    if (!beginSettings()) return false;
    PortIniFields f{gauge->portnr(), ComboPort->currentText(), false};
    const SettingsOutcome failure = settings.readPort(f);
    gauge->setPortnr(f.portnr);
    if (!f.comboText.isEmpty()) ComboPort->setEditText(f.comboText);
    if (f.askForPort) {
        txtWait->setText(texte.text(Msg::PortAuswaehlen));
        txtWait->setVisible(true);
    }
    return core.reportSettings(failure);
}

bool frmTransfer::savePort()
{
    if (!beginSettings()) return false;
    const SettingsOutcome failure = settings.writePort(gauge->portnr());
    setWindowTitle(texte.text(Msg::Titel));
    return core.reportSettings(failure);
}

bool frmTransfer::loadLimits()
{
    if (!beginSettings()) return false;
    return core.loadLimits();
}

bool frmTransfer::saveLimits()
{
    if (!beginSettings()) return false;
    return core.reportSettings(settings.writeLimits(tables.limits(), QLocale()));
}

bool frmTransfer::loadLanguage()
{
    if (!beginSettings()) return false;
    return core.reportSettings(settings.readLanguage(texte.languageIndex));
}

bool frmTransfer::saveLanguage()
{
    if (!beginSettings()) return false;
    return core.reportSettings(settings.writeLanguage(texte.languageIndex));
}

bool frmTransfer::loadProjectCaptions()
{
    if (!beginSettings()) return false;
    const bool read = core.loadProjectCaptions();
    for (size_t i = 0; i < kProjectFields; ++i) projektWindow->lblFelder[i]->setText(core.projectCaptions()[i]);
    return read;
}

bool frmTransfer::saveProjectData()
{
    if (!beginSettings()) return false;
    // The dialog's copy, handed to the session to keep and save.
    ProjectData data = core.projectData();
    for (size_t i = 0; i < data.felder.size(); ++i) data.felder[i] = projektWindow->txtFelder[i]->text();
    data.date = projektWindow->DTPDate->date();
    data.time = projektWindow->DTPTime->time();
    return core.saveProjectData(data);
}

bool frmTransfer::loadProjectData()
{
    if (!beginSettings()) return false;
    const bool read = core.loadProjectData();
    const ProjectData& data = core.projectData();
    for (size_t i = 0; i < data.felder.size(); ++i) projektWindow->txtFelder[i]->setText(data.felder[i]);
    projektWindow->DTPDate->setDate(data.date);
    projektWindow->DTPTime->setTime(data.time);
    return read;
}

} // namespace kivo
