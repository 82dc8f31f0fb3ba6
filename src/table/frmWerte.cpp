#include "table/frmWerte.h"

#include "platform/Controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kivo {

frmWerte::frmWerte(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmWerte"));
    frmLimits = makeControl<QGroupBox>(this, "frmLimits", "frame", QStringLiteral("Limits"));
    lblMin = makeControl<QLabel>(frmLimits, "lblMin", "label", QStringLiteral("Min Limit:"));
    txtMinLimit = makeControl<QLineEdit>(frmLimits, "txtMinLimit", "text");
    lblMax = makeControl<QLabel>(frmLimits, "lblMax", "label", QStringLiteral("Max Limit:"));
    txtMaxLimit = makeControl<QLineEdit>(frmLimits, "txtMaxLimit", "text");
    lblSoll = makeControl<QLabel>(frmLimits, "lblSoll", "label", QStringLiteral("Sollwert:"));
    txtSoll = makeControl<QLineEdit>(frmLimits, "txtSoll", "text");
    cmdSpeichern = makeControl<QPushButton>(this, "cmdSpeichern", "button", QStringLiteral("Speichern"));
    cmdLoeschen = makeControl<QPushButton>(this, "cmdLoeschen", "button", QString::fromUtf8("Löschen"));

    auto* fields = new QGridLayout(frmLimits);
    fields->addWidget(lblMin, 0, 0);
    fields->addWidget(txtMinLimit, 0, 1);
    fields->addWidget(lblMax, 1, 0);
    fields->addWidget(txtMaxLimit, 1, 1);
    fields->addWidget(lblSoll, 2, 0);
    fields->addWidget(txtSoll, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdLoeschen);
    buttons->addWidget(cmdSpeichern);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frmLimits);
    layout->addLayout(buttons);
}

} // namespace kivo
