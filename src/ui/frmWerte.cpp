#include "ui/frmWerte.h"

#include "ui/WindowKeys.h"
#include "ui/Controls.h"
#include "shared/LocaleNumber.h"
#include "table/TableEdits.h"
#include "texts/Texte.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QFocusEvent>
#include <QPushButton>
#include <QTimer>

namespace kivo {

frmWerte::frmWerte(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmWerte"));
    // "Min Limit:" and "Max Limit:" are the same in both languages; the
    // other captions follow the language in recaption().
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

    for (QLineEdit* field : {txtMinLimit, txtMaxLimit, txtSoll}) field->installEventFilter(this);
    connect(cmdSpeichern, &QPushButton::clicked, this, &frmWerte::cmdSpeichern_Click);
    connect(cmdLoeschen, &QPushButton::clicked, this, &frmWerte::cmdLoeschen_Click);
    useWindowKeys(this);
}

void frmWerte::attach(MeasurementTables& tables_, const Texte& texte_, std::function<void(const QString&)> message)
{
    tables = &tables_;
    texte = &texte_;
    say = std::move(message);
}

void frmWerte::recaption()
{
    if (!texte) return;
    setWindowTitle(texte->text(Msg::Titel));
    cmdSpeichern->setText(texte->text(Menu::Speichern));
    cmdLoeschen->setText(texte->text(Menu::Loeschen));
    frmLimits->setTitle(texte->text(Msg::Grenzwerte));
    lblSoll->setText(texte->text(Msg::Sollwert));
}

void frmWerte::Form_Activate()
{
    recaption();
    if (!tables) return;
    edited = tables->limits();
    const LimitFields& limits = edited;
    const QLocale locale;
    txtMinLimit->setText(formatLimitNumber(limits.Emin, locale));
    txtMaxLimit->setText(formatLimitNumber(limits.Emax, locale));
    txtSoll->setText(formatLimitNumber(limits.Esoll, locale));
    refused = false;
}

bool frmWerte::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QLineEdit*>(watched);
    // Another window taking over is no leaving of the field; nor is the
    // moment a refused field takes its focus back.
    if (field && event->type() == QEvent::FocusOut && isVisible()
        && static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason && (!held || held == field)) {
        refused = !validate(field);
        // The focus stays in a field whose entry is no number.
        if (refused) {
            held = field;
            QTimer::singleShot(0, field, [this, field] {
                field->setFocus(Qt::OtherFocusReason);
                held = nullptr;
            });
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool frmWerte::validate(QLineEdit* field)
{
    if (!tables || !texte) return true;
    const bool target = field == txtSoll;
    const Field which = field == txtMinLimit ? Field::Lower : field == txtMaxLimit ? Field::Upper : Field::Target;
    const LimitEntry entry = readLimitEntry(field->text(), target, QLocale());
    if (entry.outcome == LimitEntry::Empty) {
        field->setText(entry.text);
        setField(which, 0, entry.text);
        return true; // an empty field is not compared
    }
    if (entry.outcome == LimitEntry::NotNumeric) {
        say(texte->text(Msg::NurZahlen));
        return false;
    }
    if (entry.wasNegative) {
        say(texte->text(Msg::NurPositiveWerte));
        field->setText(entry.text);
    }
    setField(which, entry.value, entry.text);
    CompareLimits();
    return true;
}

void frmWerte::setField(Field which, double value, const QString& text)
{
    (which == Field::Lower ? edited.Emin : which == Field::Upper ? edited.Emax : edited.Esoll) = value;
    (which == Field::Lower ? edited.EminStr : which == Field::Upper ? edited.EmaxStr : edited.EsollStr) = text;
}

void frmWerte::CompareLimits()
{
    for (Msg message : compareLimits(edited.Emin, edited.Emax, edited.Esoll)) say(texte->text(message));
}

void frmWerte::cmdSpeichern_Click()
{
    if (std::exchange(refused, false)) return; // the field left for this click was refused
    if (tables) tables->setLimits(edited);
    emit saved();
    close();
}

void frmWerte::cmdLoeschen_Click()
{
    if (std::exchange(refused, false)) return;
    // The texts follow their values, so no report prints a limit that is gone.
    for (Field which : {Field::Lower, Field::Upper, Field::Target}) setField(which, 0, QStringLiteral("0"));
    for (QLineEdit* field : {txtMinLimit, txtMaxLimit, txtSoll}) field->setText(QStringLiteral("0"));
}

} // namespace kivo
