// The measurement grid: layout, rows from the readings, limit colours, row
// marks, and the captions of the three table options.

#include "ui/frmTransfer.h"
#include "table/RecordDate.h"
#include "ui/FlexGrid.h"
#include "ui/PictureBox.h"
#include "shared/Align.h"
#include "table/LimitCheck.h"
#include "table/NumberFormat.h"

#include <QListWidget>
#include <QStatusBar>
#include <QPushButton>
#include <QRadioButton>
#include <QLineEdit>

namespace kivo {

namespace {

struct GridColumn {
    int widthTwips;
    Qt::Alignment alignment;
};

constexpr GridColumn kGridColumns[] = {
    {1400, Qt::AlignRight}, // time; the heading shows the table's date
    {1000, Qt::AlignRight}, // reading number
    {1500, Qt::AlignRight}, // value
    {1900, Qt::AlignLeft},  // unit and material
};

} // namespace

void frmTransfer::applyColumnLayout()
{
    for (int c = 0; c < 4; ++c) {
        MSFlex->setColWidthTwips(c, kGridColumns[c].widthTwips);
        MSFlex->setColAlignment(c, kGridColumns[c].alignment);
        MSFlex->grid().setHeadingAlignment(c, kGridColumns[c].alignment);
    }
}

void frmTransfer::SetupGrid()
{
    applyColumnLayout();
    MSFlex->grid().looksChanged(); // the heading in the language of the moment
}

void frmTransfer::beginTableBatch()
{
    tableBatch = true;
    MSFlex->grid().beginBatch();
}

void frmTransfer::endTableBatch()
{
    if (!tableBatch) return;
    tableBatch = false;
    MSFlex->grid().endBatch();
    applyColumnLayout(); // the view forgets its column widths when told all at once
    if (tables.satznr() >= 1 && tables.count(core.tableKind()) >= 1) showStatistics();
    ScrollToLastRow();
}

void frmTransfer::forgetLoadedFile()
{
    // A table from a file is named after it until it is drawn anew.
    const int kind = core.tableKind();
    if (loadingFile || core.loadedFile(kind).isEmpty()) return;
    core.forgetLoadedFile(kind);
    statusBar()->clearMessage();
    ResetMemoryCaption();
}

void frmTransfer::AppendReadingRow()
{
    MSFlex->setVisible(true);
    const int satznr = tables.satznr();
    MSFlex->grid().rowsAdded();
    forgetLoadedFile();
    UpdateMemoryCaption(satznr);
    // The session has counted the reading; many rows at once are shown at
    // the end of the batch.
    if (!tableBatch) {
        showStatistics();
        ScrollToLastRow();
    }
    if (satznr == 1 && !gauge->waiting()) updateEvaluationCommands(); // the first reading: something to hand on
}

void frmTransfer::RebuildTable()
{
    const int j = tables.count(core.tableKind());
    const bool outerBatch = tableBatch;
    if (!outerBatch) beginTableBatch();
    core.redraw(); // a redraw also takes the row marks off
    core.recount();
    SetupGrid();
    if (!outerBatch) endTableBatch();
    picKivo->setVisible(j < 1);
    lstStat->setVisible(j >= 1);
    ScrollToLastRow();
    forgetLoadedFile();
    UpdateMemoryCaption(j);
    MSFlex->setVisible(true);
    updateEvaluationCommands();
}

void frmTransfer::ScrollToLastRow()
{
    if (MSFlex->Rows() > 2) MSFlex->scrollToLastRow();
}

void frmTransfer::MSFlex_Click(int row)
{
    if (row < 1 || row >= MSFlex->Rows()) return;
    core.toggleMark(row - 1);
    MSFlex->grid().looksChanged();
}

QRadioButton* frmTransfer::optionOf(int kind) const
{
    return kind == kFE ? optFE : kind == kNFE ? optNFE : optOnline;
}

void frmTransfer::optFE_Click() { showMemoryTable(kFE); }

void frmTransfer::optNFE_Click() { showMemoryTable(kNFE); }

void frmTransfer::showMemoryTable(int kind)
{
    if (gauge->waiting()) return; // the table being downloaded is not switched meanwhile
    cmdStop->setVisible(false);
    txtSpeicher->setText(texte.text(Msg::Bereit));
    for (QWidget* w : std::initializer_list<QWidget*>{cmdAbs, cmdChart, cmdGross, txtMittelwert}) w->setVisible(false);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdprint, cmdWord, cmdClipboard, cmdExcel}) w->setVisible(true);
    EnableCommands();
    ResetStatistics();
    lstStat->clear();
    setTableKind(kind);
    RebuildTable();
    if (kind == kFE) lstStat->setVisible(true);
    MSFlex->setVisible(true);
    EnableCommands();
    QRadioButton* option = optionOf(kind);
    option->setChecked(true);
    option->setFocus();
    focusedOption = option;
}

void frmTransfer::ResetMemoryCaption()
{
    if (core.tableKind() == kFE) optFE->setText(core.memoryName(kFE) + QStringLiteral(" (0)"));
    else if (core.tableKind() == kNFE) optNFE->setText(core.memoryName(kNFE) + QStringLiteral(" (0)"));
    else if (core.tableKind() == kOnline) optOnline->setText(texte.text(Msg::Online) + QStringLiteral(" (0)"));
}

namespace {

// "FE-Speicher (3)" with a new count: the text up to the blank before "(".
QString withCount(const QString& caption, const QString& suffix)
{
    const qsizetype open = caption.indexOf(u'(');
    if (open < 0) return caption;
    return caption.left(qMax<qsizetype>(0, open - 1)) + suffix;
}

} // namespace

void frmTransfer::UpdateMemoryCaption(int count)
{
    const QString countSuffix = QStringLiteral(" (%1)").arg(count);
    if (core.tableKind() == kFE) {
        optFE->setText(withCount(optFE->text(), countSuffix));
        if (gauge->profile().speicherlayout.trimmed() == u"3") {
            const bool zr = identity.geraet.startsWith(QStringLiteral("ZR"));
            if (zr && gauge->device().speichernr == 96) {
                optFE->setText(QStringLiteral("Scan ") + countSuffix);
                return;
            }
            if (zr) ResetMemoryCaption();
            // "Speicher" or "Memory" with the number of the memory now read.
            const qsizetype keep = texte.text(Msg::Speicher).size();
            optFE->setText(optFE->text().left(keep) + QString::number(gauge->device().speichernr) + countSuffix);
        }
    } else if (core.tableKind() == kNFE) {
        optNFE->setText(withCount(optNFE->text(), countSuffix));
    } else if (core.tableKind() == kOnline) {
        optOnline->setText(texte.text(Msg::Online) + countSuffix);
    }
}

void frmTransfer::RelabelMemoryCaptions()
{
    if (!optFE->text().isEmpty()) {
        const QString count = optFE->text().mid(optFE->text().indexOf(u'('));
        optFE->setText(core.memoryName(kFE) + u' ' + count);
    }
    if (!optNFE->text().isEmpty() && !optNFE->isHidden()) {
        const QString count = optNFE->text().mid(optNFE->text().indexOf(u'('));
        optNFE->setText(core.memoryName(kNFE) + u' ' + count);
    }
}

void frmTransfer::selectTable(QRadioButton* option)
{
    if (option == focusedOption) return; // the focus is there already
    if (option == optFE) optFE_Click();
    else if (option == optNFE) optNFE_Click();
    else optOnline_Click();
}

void frmTransfer::SelectTableAfterDownload()
{
    const QString layout = gauge->profile().speicherlayout;
    if (layout.startsWith(u'X')) {
        selectTable(optOnline);
    } else if (layout.startsWith(u'2')) {
        if (!alleSpeicher) {
            if (core.tableKind() == kFE) {
                selectTable(optFE);
            } else if (core.tableKind() == kNFE) {
                if (gauge->device().anzahl1 <= 0) {
                    selectTable(optNFE);
                } else {
                    selectTable(optFE);
                    if (gauge->device().anzahl2 > 0) selectTable(optNFE);
                }
            }
        } else if (gauge->device().anzahl1 > 0) {
            selectTable(optFE);
        } else if (gauge->device().anzahl1 == 0 && gauge->device().anzahl2 > 0) {
            selectTable(optNFE);
        }
    } else {
        selectTable(gauge->device().anzahl1 != 0 ? optFE : optOnline);
    }
}

} // namespace kivo
