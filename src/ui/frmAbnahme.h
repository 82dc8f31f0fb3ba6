#pragma once
// The acceptance check window: the rule (ISO 19840, IMO PSPC 90/10 or
// SSPC-PA 2), its figures and a correction (typed, or by the profile grade),
// and per criterion whether the table on show meets it. The check made is
// handed on, so it stays with the table.
// It asks for the table on show whenever it judges, so a verdict is never
// over readings no longer on show, and knows nothing of the main window.

#include "evaluation/Judgement.h"

#include <QLocale>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kivo {

class Texte;

class frmAbnahme : public QWidget {
    Q_OBJECT
public:
    explicit frmAbnahme(QWidget* parent = nullptr);

    // The language tables (the input messages are the limits window's), the
    // table on show as it is now, how the window tells the operator
    // something, and hands text on.
    void attach(const Texte& texte, std::function<JudgedTable()> tableOnShow,
                std::function<void(const QString&)> message, std::function<void(const QString&)> toClipboard);
    // Where a check made goes (the session keeps it with the table).
    void onJudged(std::function<void(const Judgement&)> judged) { chosen = std::move(judged); }
    // Opened over the table on show; the target value of the limits fills
    // the nominal thickness when set.
    // The check kept with the table, when there is one, fills the fields.
    void showFor(std::optional<double> target, bool german, const std::optional<Judgement>& kept = std::nullopt);
    // The table on show changed: a verdict on show belongs to the old one.
    void tableChanged();
    void recaption(bool german);
    // The language switched while the window is open.
    void languageChanged(bool german);

    QLabel* lblRegel;
    QComboBox* cboRegel;
    QLabel* lblNenn;
    QLineEdit* txtNenn;
    QLabel* lblMax;
    QLineEdit* txtMax;
    QLabel* lblKorrektur;
    QLineEdit* txtKorrektur;
    QLabel* lblRauheit;
    QComboBox* cboRauheit; // measured, or the profile grade fine, medium, coarse
    QLabel* lblSpot;
    QLineEdit* txtSpot;    // SSPC-PA 2: readings a spot
    QLabel* lblUnten;
    QLineEdit* txtUnten;   // a spot's least, % of the minimum
    QLabel* lblOben;
    QLineEdit* txtOben;    // a spot's most, % of the maximum
    QPushButton* cmdPruefen;
    QListWidget* lstKriterien;
    QLabel* lblErgebnis;
    QPushButton* cmdKopieren;

private:
    void cboRegel_Change();
    void cboRauheit_Change();
    JudgeRule rule() const;
    // The figures of the fields as a check; nullopt after telling why not.
    std::optional<Judgement> readFigures();
    // A whole number field within [least, most]; nullopt after telling.
    std::optional<int> wholeField(QLineEdit* field, int least, int most);
    void cmdPruefen_Click();
    void cmdKopieren_Click();
    void fillMaximum();
    // A field's number (system format, not negative); nullopt after telling
    // the operator why not. An empty optional field gives `empty`.
    std::optional<double> fieldValue(QLineEdit* field, bool required, bool* empty = nullptr);
    QString number(double value) const;
    void clearResult();
    // The table on show asked for anew: whether it can be judged, and why not.
    void readTable();
    void readTable(JudgedTable now);
    // The fields the rule asks for, shown and enabled.
    void showRuleFields();

    JudgedTable table;
    bool german = true;
    bool judgeable = false;
    bool maxChosen = false;  // the operator set the maximum himself
    bool fillingMax = false; // the window sets it
    const Texte* texte = nullptr;
    std::function<JudgedTable()> tableOnShow;
    std::function<void(const QString&)> say;
    std::function<void(const QString&)> copy;
    std::function<void(const Judgement&)> chosen;
};

} // namespace kivo
