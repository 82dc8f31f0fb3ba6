// The start-up port scan and the check of the port the operator picks.

#include "app/frmTransfer.h"
#include "app/frmWait.h"
#include "device/PortList.h"
#include "platform/SerialPorts.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace kivo {

QStringList frmTransfer::suitablePortItems() const
{
    return portListItems(suitablePorts(availableSerialPorts(), gauge->profile().schnittstelle), kNumberedPorts);
}

void frmTransfer::ScanPorts()
{
    const QStringList items = suitablePortItems();
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
    }
    waitWindow->WaitBar->setValue(200);
    waitWindow->Waitmessage->setText(texte.MessageText(17));
    QApplication::processEvents();
}

void frmTransfer::refreshPortList()
{
    const QStringList items = suitablePortItems();
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
    }
    // A port that came or went may make the text valid or invalid.
    if (!gauge->CheckConnect()) ComboPort_Change();
}

void frmTransfer::ComboPort_Change()
{
    const QString text = ComboPort->currentText();
    auto invalid = [this](int message) {
        txtWait->setText(texte.MessageText(message));
        txtWait->setVisible(true);
    };
    if (text.isEmpty() || text == u" ") {
        invalid(5);
        cmdConnect->setEnabled(false);
        return;
    }
    if (ComboPort->count() == 0) {
        const QSignalBlocker quiet(ComboPort); // clearing is no new choice
        ComboPort->setEditText(QString());
        invalid(31);
        return;
    }
    for (int i = 0; i < ComboPort->count(); ++i) {
        if (ComboPort->itemText(i).contains(text)) {
            txtWait->setText(QStringLiteral(" "));
            txtWait->setVisible(false);
            cmdConnect->setEnabled(true);
            return;
        }
    }
    invalid(5);
    cmdConnect->setEnabled(false);
}

} // namespace kivo
