// Editing the table on show: deleting a marked reading, deleting the whole
// table, and the order of the rows. Only the program's copy changes; the
// gauge's memory is never touched.

#include "ui/frmTransfer.h"
#include "ui/FlexGrid.h"

#include <QPushButton>

namespace kivo {

void frmTransfer::cmdFlexZeileLoeschen_Click()
{
    const std::vector<int> marked = core.shown().markedSlots();
    if (marked.empty()) {
        MsgBox(texte.text(Msg::KeinEintragAusgewaehlt));
        return;
    }
    if (marked.size() > 1) {
        MsgBox(texte.text(Msg::NurEineZeile));
        ResetStatistics();
        RebuildTable(); // takes the marks off
        return;
    }
    if (MsgBox(texte.text(Msg::ZeileWirklichLoeschen), MsgButtons::OKCancel, MsgIcon::Information) != MsgAnswer::OK)
        return;
    if (core.shown().rows() == 1) {
        // The last reading goes only with the whole table.
        MsgBox(texte.text(Msg::BitteTabelleLoeschen), MsgButtons::OKCancel, MsgIcon::Information);
        return;
    }
    core.deleteReading(marked.front());
    RefreshTable();
}

void frmTransfer::cmdFlexTabelleloeschen_Click()
{
    if (MsgBox(texte.text(Msg::TabelleWirklichLoeschen), MsgButtons::YesNo) != MsgAnswer::Yes) return;
    // Only a deletion forgets the unit: answered No, the table keeps it.
    tables.clearFirstUnit();
    const int kind = core.tableKind();
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
    // Only the grid's order changes: the readings and the reports keep theirs.
    core.sortShown();
    MSFlex->grid().redrawn();
}

} // namespace kivo
