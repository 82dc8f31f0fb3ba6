// Editing the table on show: deleting a marked reading, deleting the whole
// table, and the order of the rows. Only the program's copy changes; the
// gauge's memory is never touched.

#include "ui/frmTransfer.h"
#include "ui/FlexGrid.h"
#include "table/TableEdits.h"

#include <QPushButton>

namespace kivo {

void frmTransfer::cmdFlexZeileLoeschen_Click()
{
    const int rowCount = MSFlex->Rows() - 1;
    std::vector<int> marked;
    for (int row = 1; row <= rowCount; ++row)
        if (MSFlex->CellBackColor(row, 1) == selectionColour) marked.push_back(row);
    if (marked.empty()) {
        MsgBox(texte.MessageText(34));
        return;
    }
    if (marked.size() > 1) {
        MsgBox(texte.MessageText(54));
        ResetStatistics();
        RebuildTable(); // clears the marks
        return;
    }
    if (MsgBox(texte.MessageText(51), MsgButtons::OKCancel, MsgIcon::Information) != MsgAnswer::OK) return;
    if (rowCount == 1) {
        // The last reading goes only with the whole table.
        MsgBox(texte.MessageText(48), MsgButtons::OKCancel, MsgIcon::Information);
        return;
    }
    // Each remaining reading keeps all it had; only the numbers run 1..n.
    const int kind = gauge->messart();
    const int count = tables.count(kind);
    std::vector<Record> readings;
    readings.reserve(size_t(count));
    for (int slot = 1; slot <= count; ++slot) readings.push_back(tables.record(kind, slot));
    const int deleted = MSFlex->grid().rowTag(marked.front());
    const std::vector<Record> left = afterDeleting(readings, size_t(deleted - 1));
    tables.ClearRecords(kind);
    tables.setTableDate(kind, MSFlex->TextMatrix(0, 0));
    for (size_t i = 0; i < left.size(); ++i) tables.setRecord(kind, int(i + 1), left[i]);
    if (kind == kOnline) tables.setOnlineZaehler(tables.onlineZaehler() - 1);
    else tables.setSatznr(tables.satznr() - 1);
    RefreshTable();
}

void frmTransfer::cmdFlexTabelleloeschen_Click()
{
    if (MsgBox(texte.MessageText(50), MsgButtons::YesNo) != MsgAnswer::Yes) return;
    // Only a deletion forgets the unit: answered No, the table keeps it.
    tables.clearFirstUnit();
    const int kind = gauge->messart();
    MSFlex->Clear();
    ResetStatistics();
    tables.ClearRecords(kind);
    RebuildTable();
    cmdChart->setVisible(false);
    cmdAbs->setVisible(false);
    if (kind == kOnline) {
        tables.setOnlineZaehler(1); // the next online reading is row 1
        core.onlineBegins();
        onlineFileKept = false; // Online.mes still holds the deleted readings: kept
    }
}

void frmTransfer::cmdSort_Click()
{
    const int rows = MSFlex->Rows() - 1;
    if (rows < 2) return;
    std::vector<int> numbers;
    numbers.reserve(size_t(rows));
    for (int row = 1; row <= rows; ++row) numbers.push_back(MSFlex->TextMatrix(row, 1).trimmed().toShort());
    // Only the grid's order changes: the readings and the reports keep theirs.
    MSFlex->grid().reorderRows(sortedOrder(numbers, sortAscending(numbers[0], numbers[1])));
}

} // namespace kivo
