// The start-up port scan and the check of the port the operator picks.

#include "ui/frmTransfer.h"
#include "ui/frmWait.h"
#include "device/PortList.h"
#include "platform/SerialPorts.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace kivo {

frmTransfer::PortEntries frmTransfer::suitablePortEntries() const
{
    const std::vector<PortInfo> ports = suitablePorts(availableSerialPorts(), gauge->profile().schnittstelle);
    PortEntries entries{portListItems(ports, kNumberedPorts), {}};
    for (const PortInfo& port : ports) entries.tooltips << portDescription(port, texte.languageIndex == kGerman);
    return entries;
}

void frmTransfer::fitPortBox(const QStringList& tooltips)
{
    int longest = 0;
    for (int i = 0; i < ComboPort->count(); ++i) {
        longest = qMax(longest, int(ComboPort->itemText(i).size()));
        ComboPort->setItemData(i, tooltips.value(i), Qt::ToolTipRole);
    }
    // Wide enough for the longest entry, its list too.
    ComboPort->setMinimumContentsLength(qMax(22, longest));
    ComboPort->view()->setMinimumWidth(ComboPort->view()->sizeHintForColumn(0) + 24);
}

void frmTransfer::ScanPorts()
{
    const PortEntries entries = suitablePortEntries();
    const QStringList& items = entries.items;
    const int steps = qMax(1, int(items.size()));
    {
        // Listing a port is no choice of the operator: the text stays as it is.
        const QSignalBlocker quiet(ComboPort);
        const QString text = ComboPort->currentText();
        for (int i = 0; i < items.size(); ++i) {
            QApplication::processEvents();
            waitWindow->WaitBar->setValue(200 * i / steps);
            ComboPort->addItem(items[i]);
        }
        ComboPort->setCurrentIndex(-1);
        ComboPort->setEditText(text);
        fitPortBox(entries.tooltips);
    }
    waitWindow->WaitBar->setValue(200);
    waitWindow->Waitmessage->setText(texte.text(Msg::Fertig));
    QApplication::processEvents();
}

void frmTransfer::refreshPortList()
{
    const PortEntries entries = suitablePortEntries();
    const QStringList& items = entries.items;
    QStringList listed;
    for (int i = 0; i < ComboPort->count(); ++i) listed << ComboPort->itemText(i);
    if (items == listed) return;
    {
        const QSignalBlocker quiet(ComboPort); // the operator's text stays
        const QString text = ComboPort->currentText();
        ComboPort->clear();
        ComboPort->addItems(items);
        ComboPort->setCurrentIndex(-1);
        ComboPort->setEditText(text);
        fitPortBox(entries.tooltips);
    }
    // A port that came or went may make the text valid or invalid.
    if (!gauge->CheckConnect()) ComboPort_Change();
}

void frmTransfer::ComboPort_Change()
{
    const QString text = ComboPort->currentText();
    int match = -1; // the entry the text names
    for (int i = 0; i < ComboPort->count() && match < 0 && !text.isEmpty(); ++i)
        if (ComboPort->itemText(i).contains(text)) match = i;
    // The entry reads from its start, and the box names the port's device.
    ComboPort->lineEdit()->setCursorPosition(0);
    ComboPort->setToolTip(match >= 0 ? ComboPort->itemData(match, Qt::ToolTipRole).toString() : QString());
    auto invalid = [this](Msg message) {
        txtWait->setText(texte.text(message));
        txtWait->setVisible(true);
    };
    if (text.isEmpty() || text == u" ") {
        invalid(Msg::GueltigenPortWaehlen);
        cmdConnect->setEnabled(false);
        return;
    }
    if (ComboPort->count() == 0) {
        const QSignalBlocker quiet(ComboPort); // clearing is no new choice
        ComboPort->setEditText(QString());
        invalid(Msg::KeinPortVerfuegbar);
        return;
    }
    if (match >= 0) {
        txtWait->setText(QStringLiteral(" "));
        txtWait->setVisible(false);
        cmdConnect->setEnabled(true);
        return;
    }
    invalid(Msg::GueltigenPortWaehlen);
    cmdConnect->setEnabled(false);
}

} // namespace kivo
