#include "ui/frmProjekt.h"

#include "ui/WindowKeys.h"
#include "ui/Controls.h"
#include "shared/Cp1252.h"
#include "shared/FieldExcerpt.h"
#include "texts/Texte.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QValidator>
#include <functional>

namespace kivo {

namespace {

// Projektdaten.ini is a Windows-1252 file of one line per field: a field
// takes only what such a line holds, and tells what it refused.
class ProjectTextValidator : public QValidator {
public:
    ProjectTextValidator(std::function<void(const QString&)> onRefused, QObject* parent)
        : QValidator(parent), refusedCharacter(std::move(onRefused))
    {
    }
    State validate(QString& input, int&) const override
    {
        const std::optional<QString> c = firstCharacterOutsideCp1252Line(input);
        if (!c) return Acceptable;
        refusedCharacter(*c);
        return Invalid;
    }

private:
    std::function<void(const QString&)> refusedCharacter;
};

} // namespace

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
        txtFelder[size_t(i)]->setValidator(
            new ProjectTextValidator([this](const QString& c) { showRefused(c); }, txtFelder[size_t(i)]));
        // Once every field holds only what the file can hold, the hint goes.
        connect(txtFelder[size_t(i)], &QLineEdit::textChanged, this, [this] {
            std::optional<QString> first;
            for (const QLineEdit* field : txtFelder)
                if (!first) first = firstCharacterOutsideCp1252Line(field->text());
            showRefused(first);
        });
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
    lblHinweis = makeControl<QLabel>(frmRahmen, "lblHinweis", "label");
    lblHinweis->setWordWrap(true);
    lblHinweis->setStyleSheet(QStringLiteral("color: rgb(192,0,0);"));
    lblHinweis->setVisible(false);
    fields->addWidget(lblHinweis, 7, 0, 1, 3);

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

    // The main window saves and closes it; it stays loaded: the reports read its values.
    connect(cmdSpeichern, &QPushButton::clicked, this, &frmProjekt::saveRequested);
    connect(cmdLoeschen, &QPushButton::clicked, this, &frmProjekt::cmdLoeschen_Click);
    useWindowKeys(this);
}

void frmProjekt::attach(const Texte& texte_) { texte = &texte_; }

void frmProjekt::recaption()
{
    if (!texte) return;
    setWindowTitle(texte->text(Msg::Titel));
    cmdSpeichern->setText(texte->text(Menu::Speichern));
    cmdLoeschen->setText(texte->text(Menu::Loeschen));
    frmRahmen->setTitle(texte->text(Msg::Projektdaten));
    lblDtp->setText(texte->text(Msg::DatumUhrzeit));
    Frame1->setTitle(texte->text(Msg::Befehle));
    for (QLineEdit* field : txtFelder) field->setToolTip(texte->say(Phrase::ProjectFieldHint));
    showRefused(refused);
}

void frmProjekt::showRefused(const std::optional<QString>& character)
{
    refused = character;
    lblHinweis->setVisible(refused.has_value());
    if (!refused || !texte) return;
    const QString c = fieldExcerpt(*refused);
    lblHinweis->setText(texte->say(Phrase::CharacterNotStorable).arg(c));
}

void frmProjekt::Form_Activate()
{
    // Said again for text a field holds from the file, gone when all fits.
    refused.reset();
    for (const QLineEdit* field : txtFelder)
        if (!refused) refused = firstCharacterOutsideCp1252Line(field->text());
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
    showRefused(std::nullopt);
}

void frmProjekt::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    emit hidden();
}

} // namespace kivo
