#include "table/frmProjekt.h"

#include "platform/Controls.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>

namespace kivo {

frmProjekt::frmProjekt(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmProjekt"));
    frmRahmen = makeControl<QGroupBox>(this, "frmRahmen", "frame");
    auto* fields = new QGridLayout(frmRahmen);
    for (int i = 0; i < 6; ++i) {
        const QByteArray index = QByteArray::number(i + 1);
        lblFelder[size_t(i)] = makeControl<QLabel>(frmRahmen, ("lblFelder(" + index + ")").constData(), "label",
                                                    QStringLiteral("Label"));
        txtFelder[size_t(i)] = makeControl<QLineEdit>(frmRahmen, ("txtFelder(" + index + ")").constData(), "text");
        txtFelder[size_t(i)]->setMaxLength(30);
        fields->addWidget(lblFelder[size_t(i)], i, 0);
        fields->addWidget(txtFelder[size_t(i)], i, 1, 1, 2);
    }
    lblDtp = makeControl<QLabel>(frmRahmen, "lblDtp", "label", QStringLiteral("Datum/Uhrzeit"));
    DTPDate = makeControl<QDateEdit>(frmRahmen, "DTPDate", "date");
    DTPDate->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DTPDate->setCalendarPopup(true);
    DTPDate->setMinimumDate(QDate(1899, 1, 1));
    DTPDate->setDate(QDate(1899, 1, 1));
    DTPTime = makeControl<QTimeEdit>(frmRahmen, "DTPTime", "time");
    DTPTime->setDisplayFormat(QStringLiteral("HH:mm"));
    fields->addWidget(lblDtp, 6, 0);
    fields->addWidget(DTPDate, 6, 1);
    fields->addWidget(DTPTime, 6, 2);

    Frame1 = makeControl<QGroupBox>(this, "Frame1", "frame", QStringLiteral("Befehle"));
    cmdSpeichern = makeControl<QPushButton>(Frame1, "cmdSpeichern", "button", QStringLiteral("Speichern"));
    cmdLoeschen = makeControl<QPushButton>(Frame1, "cmdLoeschen", "button", QString::fromUtf8("Löschen"));
    auto* buttons = new QHBoxLayout(Frame1);
    buttons->addWidget(cmdSpeichern);
    buttons->addWidget(cmdLoeschen);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frmRahmen);
    layout->addWidget(Frame1);
    setMinimumWidth(420);
}

} // namespace kivo
