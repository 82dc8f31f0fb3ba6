// The report of the table on show, for the clipboard, the printer and the
// measurement files.

#include "ui/frmTransfer.h"
#include "output/ReportText.h"
#include "ui/TextPrinter.h"

#include <QApplication>
#include <QClipboard>
#include <QPrinter>

namespace kivo {

void frmTransfer::BuildReportText(const QString& mode)
{
    loadProjectData(); // the saved project data, not unsaved edits
    ReportText = buildReportText(core.reportInput(QLocale()), mode.isEmpty() ? 'A' : mode[0].toLatin1());
}

void frmTransfer::cmdClipboard_Click()
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    BuildReportText(QStringLiteral("A"));
    clipboard->setText(ReportText);
}

void frmTransfer::cmdprint_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!platform.dialogs->choosePrinter(this, printer)) return; // cancelled: nothing is built or printed
    BuildReportText(QStringLiteral("A"));
    QString failure;
    if (!printText(printer, ReportText + QStringLiteral("\r\n"), &failure)) {
        const QString text = texte.say(Phrase::PrintingFailed) + failure;
        MsgBox(text);
        WriteLog(text);
    }
}

} // namespace kivo
