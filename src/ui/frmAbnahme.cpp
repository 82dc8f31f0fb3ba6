#include "ui/frmAbnahme.h"

#include "ui/WindowKeys.h"
#include "ui/Controls.h"
#include "shared/LocaleNumber.h"
#include "texts/Texte.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {

frmAbnahme::frmAbnahme(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmAbnahme"));
    lblRegel = makeControl<QLabel>(this, "lblRegel", "label");
    cboRegel = makeControl<QComboBox>(this, "cboRegel", "combo");
    cboRegel->addItems({QStringLiteral("ISO 19840"), QStringLiteral("IMO PSPC 90/10")});
    lblNenn = makeControl<QLabel>(this, "lblNenn", "label");
    txtNenn = makeControl<QLineEdit>(this, "txtNenn", "text");
    lblMax = makeControl<QLabel>(this, "lblMax", "label");
    txtMax = makeControl<QLineEdit>(this, "txtMax", "text");
    lblKorrektur = makeControl<QLabel>(this, "lblKorrektur", "label");
    txtKorrektur = makeControl<QLineEdit>(this, "txtKorrektur", "text");
    cmdPruefen = makeControl<QPushButton>(this, "cmdPruefen", "button");
    lstKriterien = makeControl<QListWidget>(this, "lstKriterien", "list");
    lblErgebnis = makeControl<QLabel>(this, "lblErgebnis", "label");
    cmdKopieren = makeControl<QPushButton>(this, "cmdKopieren", "button");
    lblErgebnis->setWordWrap(true);
    QFont bold = lblErgebnis->font();
    bold.setBold(true);
    lblErgebnis->setFont(bold);
    lstKriterien->setMinimumWidth(520);

    auto* fields = new QGridLayout;
    fields->addWidget(lblRegel, 0, 0);
    fields->addWidget(cboRegel, 0, 1);
    fields->addWidget(lblNenn, 1, 0);
    fields->addWidget(txtNenn, 1, 1);
    fields->addWidget(lblMax, 2, 0);
    fields->addWidget(txtMax, 2, 1);
    fields->addWidget(lblKorrektur, 3, 0);
    fields->addWidget(txtKorrektur, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblErgebnis, 1);
    buttons->addWidget(cmdKopieren);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(cmdPruefen, 0, Qt::AlignRight);
    layout->addWidget(lstKriterien, 1);
    layout->addLayout(buttons);

    connect(cboRegel, &QComboBox::currentIndexChanged, this, &frmAbnahme::cboRegel_Change);
    connect(cmdPruefen, &QPushButton::clicked, this, &frmAbnahme::cmdPruefen_Click);
    connect(cmdKopieren, &QPushButton::clicked, this, &frmAbnahme::cmdKopieren_Click);
    for (QLineEdit* field : {txtNenn, txtMax, txtKorrektur})
        connect(field, &QLineEdit::textChanged, this, &frmAbnahme::clearResult);
    // The maximum follows the nominal until the operator sets one himself.
    connect(txtMax, &QLineEdit::textChanged, this, [this] { maxChosen = maxChosen || !fillingMax; });
    connect(txtNenn, &QLineEdit::textChanged, this, [this] {
        if (!maxChosen) fillMaximum();
    });
    recaption(true);
    useWindowKeys(this);
}

void frmAbnahme::attach(const Texte& texte_, std::function<JudgedTable()> table_,
                        std::function<void(const QString&)> message, std::function<void(const QString&)> toClipboard)
{
    texte = &texte_;
    tableOnShow = std::move(table_);
    say = std::move(message);
    copy = std::move(toClipboard);
}

void frmAbnahme::recaption(bool german_)
{
    german = german_;
    setWindowTitle(phrase(Phrase::AcceptanceTitle, german));
    lblRegel->setText(phrase(Phrase::RuleLabel, german));
    lblNenn->setText(phrase(Phrase::NominalLabel, german));
    lblMax->setText(phrase(Phrase::MaximumLabel, german));
    lblKorrektur->setText(phrase(Phrase::CorrectionLabel, german));
    cmdPruefen->setText(phrase(Phrase::CheckButton, german));
    cmdKopieren->setText(phrase(Phrase::CopyButton, german));
    txtMax->setToolTip(phrase(Phrase::MaximumHint, german));
    txtKorrektur->setToolTip(phrase(Phrase::CorrectionHint, german));
}

QString frmAbnahme::number(double value) const { return formatFixed(value, 1, QLocale()); }

void frmAbnahme::readTable() { readTable(tableOnShow ? tableOnShow() : JudgedTable{}); }

void frmAbnahme::readTable(JudgedTable now)
{
    table = std::move(now);
    clearResult();
    const std::optional<QString> why = whyNotJudged(table.units, german);
    const bool was = judgeable;
    judgeable = !why;
    for (QWidget* w : std::initializer_list<QWidget*>{cboRegel, txtNenn, txtKorrektur, cmdPruefen}) w->setEnabled(judgeable);
    txtMax->setEnabled(judgeable && cboRegel->currentIndex() == 0);
    if (why) {
        lblErgebnis->setStyleSheet(QString());
        lblErgebnis->setText(*why);
    } else if (!was) {
        lblErgebnis->clear();
    }
}

void frmAbnahme::showFor(std::optional<double> target, bool german_)
{
    recaption(german_);
    readTable();
    if (!judgeable) return;
    if (txtKorrektur->text().isEmpty()) txtKorrektur->setText(number(0));
    cboRegel_Change();
    if (target && *target > 0) txtNenn->setText(number(*target)); // else the nominal typed before stays
}

void frmAbnahme::tableChanged()
{
    if (!isVisible()) return; // opening it reads the table anyway
    JudgedTable now = tableOnShow ? tableOnShow() : JudgedTable{};
    if (!sameReadings(now, table)) {
        readTable(std::move(now));
    } else if (now.name != table.name && lstKriterien->count() > 0) {
        cmdPruefen_Click(); // the same readings under the table's name in the other language
    }
}

void frmAbnahme::languageChanged(bool german_)
{
    recaption(german_);
    // What is on show follows the language: the reason, or the check made anew.
    if (!judgeable) {
        if (const std::optional<QString> why = whyNotJudged(table.units, german)) lblErgebnis->setText(*why);
    } else if (lstKriterien->count() > 0) {
        cmdPruefen_Click();
    }
}

void frmAbnahme::cboRegel_Change()
{
    clearResult();
    const bool iso = cboRegel->currentIndex() == 0;
    txtMax->setEnabled(iso && judgeable);
    lblMax->setEnabled(iso);
    maxChosen = false;
    fillMaximum();
}

void frmAbnahme::fillMaximum()
{
    // ISO 19840: three times the nominal, as most specifications allow; the
    // operator may change it. IMO PSPC knows no maximum.
    const std::optional<double> nominal = parseLocaleNumber(txtNenn->text());
    const bool iso = cboRegel->currentIndex() == 0;
    // A nominal near the largest double has no three times: no maximum
    // then, rather than "inf" the field itself refuses.
    const std::optional<double> maximum = nominal ? numberInRange(3 * *nominal) : std::nullopt;
    fillingMax = true;
    txtMax->setText(iso && maximum && *maximum > 0 ? number(*maximum) : QString());
    fillingMax = false;
}

std::optional<double> frmAbnahme::fieldValue(QLineEdit* field, bool required, bool* empty)
{
    const QString text = field->text().trimmed();
    if (empty) *empty = text.isEmpty();
    if (text.isEmpty()) {
        if (!required) return 0.0;
        say(phrase(Phrase::EnterNominal, german));
        field->setFocus();
        return std::nullopt;
    }
    const std::optional<double> value = parseLocaleNumber(text);
    if (!value) {
        say(texte->text(Msg::NurZahlen));
        field->setFocus();
        return std::nullopt;
    }
    if (*value < 0 || (required && *value == 0)) {
        say(texte->text(Msg::NurPositiveWerte));
        field->setFocus();
        return std::nullopt;
    }
    return value;
}

void frmAbnahme::cmdPruefen_Click()
{
    readTable(); // the table as it is on show now, not as it was when the window opened
    if (!judgeable) return;
    const std::optional<double> nominal = fieldValue(txtNenn, true);
    if (!nominal) return;
    AcceptanceInput input;
    input.rule = cboRegel->currentIndex() == 0 ? AcceptanceRule::Iso19840 : AcceptanceRule::ImoPspc9010;
    input.nominal = *nominal;
    if (input.rule == AcceptanceRule::Iso19840) {
        bool none = false;
        const std::optional<double> maximum = fieldValue(txtMax, false, &none);
        if (!maximum) return;
        if (!none) input.maximum = *maximum;
    }
    const std::optional<double> correction = fieldValue(txtKorrektur, false);
    if (!correction) return;
    input.correction = *correction;

    const AcceptanceResult result = judgeAcceptance(table.values, input);
    lstKriterien->addItem(judgedLine(table, german));
    lstKriterien->addItems(criterionLines(result, german, [this](double v) { return number(v); }));
    lblErgebnis->setText(verdictText(result.met, german));
    lblErgebnis->setStyleSheet(result.met ? QStringLiteral("color: rgb(0,128,0);") : QStringLiteral("color: rgb(192,0,0);"));
}

void frmAbnahme::cmdKopieren_Click()
{
    QStringList lines;
    for (int i = 0; i < lstKriterien->count(); ++i) lines << lstKriterien->item(i)->text();
    lines << cboRegel->currentText() + QStringLiteral(": ") + lblErgebnis->text();
    if (copy) copy(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

void frmAbnahme::clearResult()
{
    lstKriterien->clear();
    if (judgeable) lblErgebnis->clear();
    lblErgebnis->setStyleSheet(QString());
}

} // namespace kivo
