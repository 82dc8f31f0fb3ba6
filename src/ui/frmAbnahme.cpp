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
    cboRegel->addItems({ruleTitle(JudgeRule::Iso19840), ruleTitle(JudgeRule::ImoPspc), ruleTitle(JudgeRule::SspcPa2)});
    lblNenn = makeControl<QLabel>(this, "lblNenn", "label");
    txtNenn = makeControl<QLineEdit>(this, "txtNenn", "text");
    lblMax = makeControl<QLabel>(this, "lblMax", "label");
    txtMax = makeControl<QLineEdit>(this, "txtMax", "text");
    lblKorrektur = makeControl<QLabel>(this, "lblKorrektur", "label");
    txtKorrektur = makeControl<QLineEdit>(this, "txtKorrektur", "text");
    lblRauheit = makeControl<QLabel>(this, "lblRauheit", "label");
    cboRauheit = makeControl<QComboBox>(this, "cboRauheit", "combo");
    cboRauheit->addItems({QString(), QString(), QString(), QString()});
    lblSpot = makeControl<QLabel>(this, "lblSpot", "label");
    txtSpot = makeControl<QLineEdit>(this, "txtSpot", "text");
    lblUnten = makeControl<QLabel>(this, "lblUnten", "label");
    txtUnten = makeControl<QLineEdit>(this, "txtUnten", "text");
    lblOben = makeControl<QLabel>(this, "lblOben", "label");
    txtOben = makeControl<QLineEdit>(this, "txtOben", "text");
    txtSpot->setText(QStringLiteral("3"));
    txtUnten->setText(QStringLiteral("80"));
    txtOben->setText(QStringLiteral("120"));
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
    fields->addWidget(lblSpot, 3, 0);
    fields->addWidget(txtSpot, 3, 1);
    fields->addWidget(lblUnten, 4, 0);
    fields->addWidget(txtUnten, 4, 1);
    fields->addWidget(lblOben, 5, 0);
    fields->addWidget(txtOben, 5, 1);
    fields->addWidget(lblRauheit, 6, 0);
    fields->addWidget(cboRauheit, 6, 1);
    fields->addWidget(lblKorrektur, 7, 0);
    fields->addWidget(txtKorrektur, 7, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblErgebnis, 1);
    buttons->addWidget(cmdKopieren);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(cmdPruefen, 0, Qt::AlignRight);
    layout->addWidget(lstKriterien, 1);
    layout->addLayout(buttons);

    connect(cboRegel, &QComboBox::currentIndexChanged, this, &frmAbnahme::cboRegel_Change);
    connect(cboRauheit, &QComboBox::currentIndexChanged, this, &frmAbnahme::cboRauheit_Change);
    connect(cmdPruefen, &QPushButton::clicked, this, &frmAbnahme::cmdPruefen_Click);
    connect(cmdKopieren, &QPushButton::clicked, this, &frmAbnahme::cmdKopieren_Click);
    for (QLineEdit* field : {txtNenn, txtMax, txtKorrektur, txtSpot, txtUnten, txtOben})
        connect(field, &QLineEdit::textChanged, this, &frmAbnahme::clearResult);
    // The maximum follows the nominal until the operator sets one himself.
    connect(txtMax, &QLineEdit::textChanged, this, [this] { maxChosen = maxChosen || !fillingMax; });
    connect(txtNenn, &QLineEdit::textChanged, this, [this] {
        if (!maxChosen) fillMaximum();
    });
    recaption(true);
    cboRegel_Change();
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
    const QStringList sspc = phrase(Phrase::SspcRuleLabels, german).split(u'|');
    lblNenn->setText(rule() == JudgeRule::SspcPa2 ? sspc.value(3) : phrase(Phrase::NominalLabel, german));
    lblSpot->setText(sspc.value(0));
    lblUnten->setText(sspc.value(1));
    lblOben->setText(sspc.value(2));
    lblRauheit->setText(phrase(Phrase::GradeLabel, german));
    cboRauheit->setItemText(0, phrase(Phrase::GradeMeasured, german));
    for (ProfileGrade g : {ProfileGrade::Fine, ProfileGrade::Medium, ProfileGrade::Coarse})
        cboRauheit->setItemText(int(g) + 1, QStringLiteral("%1 (%2 µm)").arg(gradeName(g, german), number(gradeCorrection(g))));
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
    for (QWidget* w : std::initializer_list<QWidget*>{cboRegel, txtNenn, cmdPruefen}) w->setEnabled(judgeable);
    showRuleFields();
    if (why) {
        lblErgebnis->setStyleSheet(QString());
        lblErgebnis->setText(*why);
    } else if (!was) {
        lblErgebnis->clear();
    }
}

void frmAbnahme::showFor(std::optional<double> target, bool german_, const std::optional<Judgement>& kept)
{
    recaption(german_);
    readTable();
    if (!judgeable) return;
    if (txtKorrektur->text().isEmpty()) txtKorrektur->setText(number(0));
    if (kept) {
        // The check the report will name is the one the window shows.
        cboRegel->setCurrentIndex(int(kept->rule));
        cboRegel_Change();
        txtNenn->setText(number(kept->nominal));
        txtMax->setText(kept->maximum ? number(*kept->maximum) : QString());
        maxChosen = true;
        txtSpot->setText(QString::number(kept->spotSize));
        txtUnten->setText(QString::number(kept->lowPercent));
        txtOben->setText(QString::number(kept->highPercent));
        cboRauheit->setCurrentIndex(kept->grade ? int(*kept->grade) + 1 : 0);
        txtKorrektur->setText(number(kept->correction));
        return;
    }
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

JudgeRule frmAbnahme::rule() const
{
    switch (cboRegel->currentIndex()) {
    case 1: return JudgeRule::ImoPspc;
    case 2: return JudgeRule::SspcPa2;
    default: return JudgeRule::Iso19840;
    }
}

void frmAbnahme::showRuleFields()
{
    const JudgeRule r = rule();
    const bool sspc = r == JudgeRule::SspcPa2;
    const bool iso = r == JudgeRule::Iso19840;
    txtMax->setEnabled((iso || sspc) && judgeable);
    lblMax->setEnabled(iso || sspc);
    for (QWidget* w : std::initializer_list<QWidget*>{lblSpot, txtSpot, lblUnten, txtUnten, lblOben, txtOben}) {
        w->setVisible(sspc);
        w->setEnabled(judgeable);
    }
    // The profile grade is ISO 19840's; the other rules take a correction typed.
    lblRauheit->setEnabled(iso);
    cboRauheit->setEnabled(iso && judgeable);
    if (!iso && cboRauheit->currentIndex() != 0) cboRauheit->setCurrentIndex(0);
    txtKorrektur->setEnabled(judgeable && cboRauheit->currentIndex() == 0);
}

void frmAbnahme::cboRegel_Change()
{
    clearResult();
    recaption(german);
    showRuleFields();
    maxChosen = false;
    fillMaximum();
}

void frmAbnahme::cboRauheit_Change()
{
    clearResult();
    const int grade = cboRauheit->currentIndex();
    // By the grade the correction is the grade's, and not typed.
    if (grade > 0) txtKorrektur->setText(number(gradeCorrection(ProfileGrade(grade - 1))));
    txtKorrektur->setReadOnly(grade > 0);
    showRuleFields();
}

void frmAbnahme::fillMaximum()
{
    // ISO 19840: three times the nominal, as most coating orders allow; the
    // operator may change it. IMO PSPC knows no maximum.
    const std::optional<double> nominal = parseLocaleNumber(txtNenn->text());
    const bool iso = rule() == JudgeRule::Iso19840;
    if (rule() == JudgeRule::SspcPa2) return; // SSPC-PA 2's maximum is the one the coat is ordered with, never guessed
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

std::optional<int> frmAbnahme::wholeField(QLineEdit* field, int least, int most)
{
    bool ok = false;
    const int value = field->text().trimmed().toInt(&ok);
    if (!ok || value < least || value > most) {
        say(phrase(Phrase::WholeNumberRange, german).arg(least).arg(most));
        field->setFocus();
        return std::nullopt;
    }
    return value;
}

std::optional<Judgement> frmAbnahme::readFigures()
{
    Judgement j;
    j.rule = rule();
    const std::optional<double> nominal = fieldValue(txtNenn, true);
    if (!nominal) return std::nullopt;
    j.nominal = *nominal;
    if (j.rule != JudgeRule::ImoPspc) {
        bool none = false;
        const std::optional<double> maximum = fieldValue(txtMax, j.rule == JudgeRule::SspcPa2, &none);
        if (!maximum) return std::nullopt;
        if (!none) j.maximum = *maximum;
    }
    if (j.rule == JudgeRule::SspcPa2) {
        const std::optional<int> spot = wholeField(txtSpot, 1, 100);
        if (!spot) return std::nullopt;
        const std::optional<int> low = wholeField(txtUnten, 1, 100);
        if (!low) return std::nullopt;
        const std::optional<int> high = wholeField(txtOben, 100, 1000);
        if (!high) return std::nullopt;
        j.spotSize = *spot;
        j.lowPercent = *low;
        j.highPercent = *high;
    }
    const int grade = j.rule == JudgeRule::Iso19840 ? cboRauheit->currentIndex() : 0;
    if (grade > 0) {
        j.grade = ProfileGrade(grade - 1);
        j.correction = gradeCorrection(*j.grade);
    } else {
        const std::optional<double> correction = fieldValue(txtKorrektur, false);
        if (!correction) return std::nullopt;
        j.correction = *correction;
    }
    if (const QString why = whyNotJudgement(j, german); !why.isEmpty()) {
        say(why);
        return std::nullopt;
    }
    return j;
}

void frmAbnahme::cmdPruefen_Click()
{
    readTable(); // the table as it is on show now, not as it was when the window opened
    if (!judgeable) return;
    const std::optional<Judgement> j = readFigures();
    if (!j) return;
    if (const QString why = whyNotJudgedBy(*j, int(table.values.size()), german); !why.isEmpty()) {
        // Checked, with nothing to judge: the report says so too, not an older verdict.
        if (chosen) chosen(*j);
        say(why);
        return;
    }
    const Verdict verdict = judge(table.values, *j, german, [this](double v) { return number(v); });
    lstKriterien->addItem(judgedLine(table, german));
    lstKriterien->addItems(verdict.lines);
    lblErgebnis->setText(verdictText(verdict.met, german));
    lblErgebnis->setStyleSheet(verdict.met ? QStringLiteral("color: rgb(0,128,0);") : QStringLiteral("color: rgb(192,0,0);"));
    if (chosen) chosen(*j);
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
