// Beside the gauge's own commands: the acceptance check of a coat, and the
// table on show as CSV for other programs.

#include "ui/frmTransfer.h"
#include "session/ModelTable.h"
#include "ui/frmAbnahme.h"
#include "output/CsvExport.h"
#include "table/RecordDate.h"
#include "settings/TextFile.h"
#include "ui/ReportPdf.h"
#include "session/ReportOfTable.h"
#include "ui/Hourglass.h"

#include <QDateTime>

#include <QAction>
#include <QPushButton>
#include <QDir>

namespace kivo {

void frmTransfer::updateEvaluationCommands()
{
    // What hands a table on is offered only when the table on show holds a
    // reading: an empty one would carry the figures of the last one.
    const bool readings = !gauge->waiting() && tables.count(core.tableKind()) > 0;
    abnahmeWindow->tableChanged();
    mnuAbnahme->setEnabled(readings);
    mnuCsv->setEnabled(readings);
    mnuPruefbericht->setEnabled(readings);
    if (gauge->waiting()) return; // the commands are off meanwhile anyway
    for (QWidget* w : std::initializer_list<QWidget*>{cmdprint, cmdWord, cmdClipboard, cmdExcel}) w->setEnabled(readings);
}

void frmTransfer::mnuAbnahme_Click()
{
    if (!mnuAbnahme->isEnabled()) return;
    const double target = tables.limits().Esoll;
    abnahmeWindow->showFor(target > 0 ? std::optional<double>(target) : std::nullopt, texte.languageIndex == kGerman,
                           core.origin(core.tableKind()).judgement);
    abnahmeWindow->show();
    abnahmeWindow->raise();
    abnahmeWindow->activateWindow();
}

void frmTransfer::mnuCsv_Click()
{
    if (!mnuCsv->isEnabled()) return;
    const bool german = texte.languageIndex == kGerman;
    const QString folder = QDir(identity.MessDataPath).filePath(QStringLiteral("export"));
    QDir().mkpath(folder); // the dialog opens there; a failure shows when writing
    QString path = platform.dialogs->saveFileName(this, folder, QStringLiteral("CSV (*.csv)"));
    if (path.trimmed().isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) path += QStringLiteral(".csv");

    const std::vector<CsvReading> rows = core.csvReadings();
    FileError error;
    if (!writeFileBytes(path, csvText(rows, german), &error)) {
        reportSaveFailure(path, fileErrorText(error, german));
        return;
    }
    showFileWritten(QStringLiteral("CSV: "), path);
}

void frmTransfer::mnuPruefbericht_Click()
{
    if (!mnuPruefbericht->isEnabled()) return;
    const bool german = texte.languageIndex == kGerman;
    const ReportSource source = reportSourceOf(core, QDateTime::currentDateTime());
    // Mixed units or no readings: said, as the charts refuse them.
    if (const QString why = whyNoReport(source); !why.isEmpty()) {
        MsgBox(why);
        return;
    }
    const QString folder = QDir(identity.MessDataPath).filePath(QStringLiteral("export"));
    QDir().mkpath(folder);
    QString path = platform.dialogs->saveFileName(this, folder, QStringLiteral("PDF (*.pdf)"));
    if (path.trimmed().isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    QString failure;
    {
        const Hourglass busy;
        failure = writeReportPdf(buildCustomerReport(source), path);
    }
    if (!failure.isEmpty()) {
        reportSaveFailure(path, failure);
        return;
    }
    showFileWritten(phrase(Phrase::ReportTitle, german) + QStringLiteral(": "), path);
}

} // namespace kivo
