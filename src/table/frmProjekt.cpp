#include "table/frmProjekt.h"

#include "platform/Controls.h"
#include "texts/Texte.h"

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

    connect(cmdSpeichern, &QPushButton::clicked, this, [this] {
        emit saveRequested();
        hide(); // it stays loaded: the reports read its values
    });
    connect(cmdLoeschen, &QPushButton::clicked, this, &frmProjekt::cmdLoeschen_Click);
}

void frmProjekt::attach(const Texte& texte_) { texte = &texte_; }

void frmProjekt::recaption()
{
    if (!texte) return;
    setWindowTitle(texte->MessageText(14));
    cmdSpeichern->setText(texte->MenuText(43));
    cmdLoeschen->setText(texte->MenuText(44));
    frmRahmen->setTitle(texte->MessageText(38));
    lblDtp->setText(texte->MessageText(46));
    Frame1->setTitle(texte->MessageText(21));
}

void frmProjekt::Form_Activate()
{
    recaption();
    if (DTPDate->date() == QDate(1899, 1, 1)) DTPDate->setDate(QDate::currentDate());
    if (DTPTime->time() == QTime(0, 0)) DTPTime->setTime(QTime::currentTime());
}

void frmProjekt::cmdLoeschen_Click()
{
    // Nothing is saved until "Speichern"; the next activation replaces 00:00 by now.
    DTPDate->setDate(QDate::currentDate());
    DTPTime->setTime(QTime(0, 0));
    for (QLineEdit* field : txtFelder) field->clear();
}

} // namespace kivo
