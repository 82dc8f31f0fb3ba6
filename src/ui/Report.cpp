// The report of the table on show, for the clipboard, the printer and the
// measurement files.

#include "ui/frmTransfer.h"
#include "output/ReportText.h"
#include "ui/FlexGrid.h"
#include "ui/TextPrinter.h"
#include "ui/frmProjekt.h"

#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QTimeEdit>

namespace kivo {

void frmTransfer::BuildReportText(const QString& mode)
{
    ReportInput in;
    Voreinstellungen(QStringLiteral("PL")); // the saved project data, not unsaved edits
    in.projectDate = QLocale().toString(projektWindow->DTPDate->date(), QLocale::ShortFormat);
    in.projectTime = projektWindow->DTPTime->time().toString(QStringLiteral("HH:mm"));
    for (size_t i = 0; i < in.projectTexts.size(); ++i) {
        in.projectLabels[i] = projektWindow->lblFelder[i]->text();
        in.projectTexts[i] = projektWindow->txtFelder[i]->text();
    }
    SetMemoryNames();
    const int kind = gauge->messart();
    in.memoryName = kind == kFE ? speichername1 : kind == kNFE ? speichername2 : kind == kOnline ? texte.MessageText(8) : QString();
    in.statisticsTitle = texte.StatText(6) + (gauge->profile().vorzeichen == u"-" && tables.absolut() ? texte.StatText(11) : QString());
    for (int i = 0; i < lstStat->count(); ++i) in.statistics << lstStat->item(i)->text();
    in.limits = tables.limits();
    in.firstUnit = tables.statistics().firstUnit;
    in.targetLabel = texte.StatText(10);
    for (int c = 0; c < 3; ++c) in.heading[size_t(c)] = MSFlex->TextMatrix(0, c);
    in.rows = shownReadings();
    ReportText = buildReportText(in, mode.isEmpty() ? 'A' : mode[0].toLatin1());
}

std::vector<ReportRow> frmTransfer::shownReadings() const
{
    std::vector<ReportRow> rows;
    const int kind = gauge->messart();
    if (kind < kFE || kind > kOnline) return rows;
    const int n = tables.count(kind);
    rows.reserve(size_t(n));
    for (int slot = 1; slot <= n; ++slot) {
        const Record& r = tables.record(kind, slot);
        rows.push_back({r.zeit, r.nr, r.wert, r.einheit, r.material});
    }
    return rows;
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
        const QString text = (texte.languageIndex == kGerman ? QStringLiteral("Drucken nicht möglich: ")
                                                             : QStringLiteral("Printing failed: "))
                             + failure;
        MsgBox(text);
        WriteLog(text);
    }
}

} // namespace kivo
