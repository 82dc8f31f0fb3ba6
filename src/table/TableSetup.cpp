// Grid layout, statistics reset and the limits caption.

#include "app/frmTransfer.h"
#include "platform/FlexGrid.h"
#include "platform/PictureBox.h"
#include "table/Align.h"
#include "table/NumberFormat.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

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

void frmTransfer::SetupGrid()
{
    MSFlex->setCols(4);
    if (MSFlex->Rows() < 1) MSFlex->setRows(1);
    for (int c = 0; c < 4; ++c) {
        MSFlex->setColWidthTwips(c, kGridColumns[c].widthTwips);
        MSFlex->setColAlignment(c, kGridColumns[c].alignment);
        MSFlex->grid().setHeadingAlignment(c, kGridColumns[c].alignment);
    }
    MSFlex->setTextMatrix(0, 0, currentDate);
    MSFlex->setTextMatrix(0, 1, texte.MessageText(0));
    MSFlex->setTextMatrix(0, 2, texte.MessageText(1));
    MSFlex->setTextMatrix(0, 3, texte.MessageText(2));
}

void frmTransfer::ResetStatistics()
{
    lstStat->clear();
    stats.reset();
    satznr = 1;
}

void frmTransfer::ShowLimitsCaption()
{
    const bool decimals = GetDecimalsInt(limits.Emin) != 0 || GetDecimalsInt(limits.Emax) != 0
                          || GetDecimalsInt(limits.Esoll) != 0;
    const QLocale locale;
    auto text = [&](double v) {
        return Ausrichten(7, formatFixed(v, decimals ? 1 : 0, locale), QStringLiteral(" "), false);
    };
    cmdWerte->setText(u'>' + text(limits.Emin) + QStringLiteral("\r\n<") + text(limits.Emax)
                      + QStringLiteral("\r\n=") + text(limits.Esoll));
}

void frmTransfer::RelabelMemoryCaptions()
{
    // The option captions carry memory names only once a table was shown;
    // until then there is nothing to re-caption.
}

void frmTransfer::RefreshTable()
{
    // Rebuilding the table on show comes with the measurement table.
}

} // namespace kivo
