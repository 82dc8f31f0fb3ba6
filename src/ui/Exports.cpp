// The spreadsheet and word-processor exports: each writes a new file in the
// export folder and hands it to the program the system opens it with.

#include "ui/frmTransfer.h"
#include "output/ExportFile.h"
#include "output/ReportDocument.h"
#include "output/WorkbookLayout.h"
#include "output/WorkbookWriter.h"
#include "ui/FlexGrid.h"
#include "ui/Hourglass.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>

namespace kivo {

void frmTransfer::cmdExcel_Click()
{
    DisableCommands();
    const bool german = texte.languageIndex == kGerman;
    const Statistics& stats = tables.statistics();
    bool withChart = false;
    if (!stats.mixedUnits)
        withChart = MsgBox(texte.text(Msg::ExcelMitChart), MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes;
    if (programEnded) return;
    loadProjectData(); // the saved project data, not unsaved edits
    const WorkbookLayout layout = buildWorkbook(core.workbookInput(QLocale()), withChart);
    finishExport(QStringLiteral("Excel"), layout.sheetName, QStringLiteral("xlsx"),
                 [&layout, german](const QString& path) { return writeWorkbook(layout, path, german); });
}

void frmTransfer::cmdWord_Click()
{
    DisableCommands();
    BuildReportText(QStringLiteral("A"));
    const QString text = ReportText;
    const bool german = texte.languageIndex == kGerman;
    finishExport(QStringLiteral("Word"), texte.say(Phrase::ReportFileName), QStringLiteral("odt"),
                 [&text, german](const QString& path) { return writeReportDocument(text, path, german); });
}

void frmTransfer::finishExport(const QString& application, const QString& base, const QString& suffix,
                               const std::function<QString(const QString& path)>& write)
{
    const bool german = texte.languageIndex == kGerman;
    ExportOutcome outcome;
    {
        Hourglass hourglass;
        outcome = saveExport(QDir(identity.MessDataPath).filePath(QStringLiteral("export")), base, suffix,
                             QDateTime::currentDateTime(), german, write);
    }
    EnableCommands();
    const QString shownPath = QDir::toNativeSeparators(outcome.path);
    if (!outcome.failure.isEmpty()) {
        MsgBox(outcome.failure, MsgButtons::OK, MsgIcon::Critical);
        WriteLog(QStringLiteral("Open ") + application + u':' + outcome.failure);
        return;
    }
    showFileWritten(QStringLiteral("Export: "), outcome.path);
    if (!platform.dialogs->openDocument(outcome.path))
        MsgBox(texte.say(Phrase::ExportNotOpened) + shownPath, MsgButtons::OK, MsgIcon::Information);
}

void frmTransfer::showFileWritten(const QString& what, const QString& path)
{
    // The status bar names every file written on request, so the operator
    // knows where it went.
    const QString shownPath = QDir::toNativeSeparators(path);
    lblExport->setText(what + shownPath);
    lblExport->setToolTip(shownPath);
}

} // namespace kivo
