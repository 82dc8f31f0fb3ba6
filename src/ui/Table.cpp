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
    MSFlex->setCols(4);
    for (int c = 0; c < 4; ++c) {
        MSFlex->setColWidthTwips(c, kGridColumns[c].widthTwips);
        MSFlex->setColAlignment(c, kGridColumns[c].alignment);
        MSFlex->grid().setHeadingAlignment(c, kGridColumns[c].alignment);
    }
}

void frmTransfer::SetupGrid()
{
    applyColumnLayout();
    MSFlex->setTextMatrix(0, 0, tableDate());
    MSFlex->setTextMatrix(0, 1, texte.MessageText(0));
    MSFlex->setTextMatrix(0, 2, texte.MessageText(1));
    MSFlex->setTextMatrix(0, 3, texte.MessageText(2));
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
    if (tables.satznr() >= 1 && tables.count(gauge->messart()) >= 1) showStatistics();
    ScrollToLastRow();
}

void frmTransfer::ColourLimitCell(int slot)
{
    const LimitMark mark = tables.evaluate(tables.record(gauge->messart(), slot).wert);
    if (mark == LimitMark::None) return;
    const QColor colour = mark == LimitMark::Outside ? outOfLimitColour : inLimitColour;
    for (int c = 0; c < MSFlex->Cols(); ++c) MSFlex->setCellBackColor(slot, c, colour);
}

namespace {

// The four cell texts of a reading row.
std::array<QString, 4> rowTexts(const Record& r, const QLocale& locale)
{
    return {r.zeit, Ausrichten(7, QString::number(r.nr), QStringLiteral(" "), false),
            FormatValue(r.wert, r.einheit, locale),
            r.einheit + Ausrichten(4, r.material, QStringLiteral(" "), false)};
}

} // namespace

void frmTransfer::AppendReadingRow()
{
    MSFlex->setVisible(true);
    const int satznr = tables.satznr();
    MSFlex->setRows(satznr + 1);
    const Record& r = tables.record(gauge->messart(), satznr);
    MSFlex->setTextMatrix(0, 0, tableDate());
    for (int c = 0; c < 4; ++c) MSFlex->setCellBackColor(satznr, c, normalColour);
    ColourLimitCell(satznr);
    const auto texts = rowTexts(r, QLocale());
    for (int c = 0; c < 4; ++c) MSFlex->setTextMatrix(satznr, c, texts[size_t(c)]);
    MSFlex->grid().setRowTag(satznr, satznr);
    if (!loadingFile && ((gauge->messart() == kNFE && optNFE->text().contains(QStringLiteral(".mes")))
                         || (gauge->messart() == kFE && optFE->text().contains(QStringLiteral(".mes")))))
        ResetMemoryCaption();
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
    const int j = tables.count(gauge->messart());
    const bool outerBatch = tableBatch;
    if (!outerBatch) beginTableBatch();
    MSFlex->setRows(j + 1);
    MSFlex->Clear();
    MSFlex->grid().fillBody(normalColour); // a rebuild also clears the row marks
    SetupGrid();
    MSFlex->setTextMatrix(0, 0, tableDate());
    const QLocale locale;
    for (int k = 1; k <= j; ++k) {
        const Record& r = tables.record(gauge->messart(), k);
        ColourLimitCell(k);
        const auto texts = rowTexts(r, locale);
        for (int c = 0; c < 4; ++c) MSFlex->setTextMatrix(k, c, texts[size_t(c)]);
        MSFlex->grid().setRowTag(k, k);
        tables.setSatznr(k);
        UpdateStatistics(r.wert, r.einheit);
    }
    if (!outerBatch) endTableBatch();
    picKivo->setVisible(j < 1);
    lstStat->setVisible(j >= 1);
    ScrollToLastRow();
    if (!loadingFile && ((gauge->messart() == kNFE && optNFE->text().contains(QStringLiteral(".mes")))
                         || (gauge->messart() == kFE && optFE->text().contains(QStringLiteral(".mes")))))
        ResetMemoryCaption();
    UpdateMemoryCaption(j);
    MSFlex->setVisible(true);
    updateEvaluationCommands();
}

void frmTransfer::ScrollToLastRow()
{
    if (MSFlex->Rows() > 2) MSFlex->scrollToLastRow();
}

void frmTransfer::ReadGridBack(int rowCount)
{
    tables.ClearRecords(gauge->messart());
    tables.setTableDate(gauge->messart(), MSFlex->TextMatrix(0, 0));
    const QLocale locale;
    for (int i = 1; i < rowCount; ++i) {
        Record r = tables.record(gauge->messart(), i);
        r.zeit = MSFlex->TextMatrix(i, 0);
        r.nr = MSFlex->TextMatrix(i, 1).trimmed().toInt();
        r.wert = locale.toDouble(MSFlex->TextMatrix(i, 2).trimmed());
        r.einheit = MSFlex->TextMatrix(i, 3).left(4);
        tables.setRecord(gauge->messart(), i, r);
    }
}

void frmTransfer::MSFlex_Click(int row)
{
    if (row < 1 || row >= MSFlex->Rows()) return;
    for (int c = 0; c < MSFlex->Cols(); ++c)
        MSFlex->setCellBackColor(row, c, MSFlex->CellBackColor(row, c) == selectionColour ? normalColour : selectionColour);
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
    txtSpeicher->setText(texte.MessageText(42));
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
    if (gauge->messart() == kFE) optFE->setText(core.memoryName(kFE) + QStringLiteral(" (0)"));
    else if (gauge->messart() == kNFE) optNFE->setText(core.memoryName(kNFE) + QStringLiteral(" (0)"));
    else if (gauge->messart() == kOnline) optOnline->setText(texte.MessageText(8) + QStringLiteral(" (0)"));
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
    if (gauge->messart() == kFE) {
        optFE->setText(withCount(optFE->text(), countSuffix));
        if (gauge->profile().speicherlayout.trimmed() == u"3") {
            const bool zr = identity.geraet.startsWith(QStringLiteral("ZR"));
            if (zr && gauge->device().speichernr == 96) {
                optFE->setText(QStringLiteral("Scan ") + countSuffix);
                return;
            }
            if (zr) ResetMemoryCaption();
            const int keep = texte.languageIndex == kGerman ? 8 : 6;
            optFE->setText(optFE->text().left(keep) + QString::number(gauge->device().speichernr) + countSuffix);
        }
    } else if (gauge->messart() == kNFE) {
        optNFE->setText(withCount(optNFE->text(), countSuffix));
    } else if (gauge->messart() == kOnline) {
        optOnline->setText(texte.MessageText(8) + countSuffix);
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
            if (gauge->messart() == kFE) {
                selectTable(optFE);
            } else if (gauge->messart() == kNFE) {
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
