#include "cli/CliSession.h"
#include "settings/SettingsFiles.h"

#include "platform/QtSerialLink.h"
#include "session/ModelTable.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace kivo::cli {

CliSession::CliSession(QTextStream& err_, bool german_)
    : view(err_, isatty(fileno(stderr)) != 0), err(err_), german(german_)
{
    session.attach(std::make_unique<QtSerialLink>(), view);
    session.texte().languageIndex = german ? kGerman : 1;
}

bool CliSession::prepare(const CliArgs& args, const CliContext& context)
{
    KonfiFields konfi;
    if (QFileInfo::exists(konfiPath(context.programFolder))) {
        session.settings().setFolders(context.programFolder, QString(), QString());
        session.reportSettings(session.settings().readKonfi(konfi));
    }
    konfi.geraet = chosenModel(args, context);
    if (!profileFor(konfi.geraet)) {
        err << phrase(Phrase::CliNoModel, german).arg(modelCodes().join(u'|')) << Qt::endl;
        return false;
    }
    session.settleInstallation(context.programFolder, konfi);
    session.setModel(konfi.geraet);
    // Absolute values on, as the window starts: the same statistics in the
    // same files.
    session.tables().setAbsolut(true);
    Texte& texte = session.texte();
    texte.FillMenuTexts();
    texte.FillMessageTexts(session.identity().titleText());
    // The limits colour nothing here, yet the reports and workbooks name
    // them; the project block heads every report.
    session.loadLimits();
    session.loadProjectCaptions();
    session.loadProjectData();
    return true;
}

} // namespace kivo::cli
