#pragma once
// The limits window: lower limit, upper limit and target value. It edits a
// copy of the measurement tables' limits: each field is checked and taken
// into the copy as the operator leaves it; "Speichern" hands the copy to the
// tables and tells the main window. Closed without saving, nothing changes.

#include "table/MeasurementTables.h"

#include <QWidget>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kivo {

class Texte;

class frmWerte : public QWidget {
    Q_OBJECT
public:
    explicit frmWerte(QWidget* parent = nullptr);

    // What the window edits, its texts, and how it tells the operator.
    void attach(MeasurementTables& tables, const Texte& texte, std::function<void(const QString&)> message);
    // Captions in the current language and the fields from the limits.
    void Form_Activate();
    void recaption();

    QGroupBox* frmLimits;
    QLabel* lblMin;
    QLineEdit* txtMinLimit;
    QLabel* lblMax;
    QLineEdit* txtMaxLimit;
    QLabel* lblSoll;
    QLineEdit* txtSoll;
    QPushButton* cmdSpeichern;
    QPushButton* cmdLoeschen;

signals:
    // "Speichern": the main window recolours the table and saves the limits.
    void saved();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The field's check as the focus leaves it; false keeps the focus there.
    bool validate(QLineEdit* field);
    void CompareLimits();
    void cmdSpeichern_Click();
    void cmdLoeschen_Click();

    enum class Field { Lower, Upper, Target };
    void setField(Field which, double value, const QString& text);

    MeasurementTables* tables = nullptr;
    LimitFields edited; // the limits as the window shows them, until saved
    const Texte* texte = nullptr;
    std::function<void(const QString&)> say;
    // The last field left was refused: the click that took the focus is void.
    bool refused = false;
    QLineEdit* held = nullptr; // a refused field taking its focus back
};

} // namespace kivo
