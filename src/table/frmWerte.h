#pragma once
// The limits window: lower limit, upper limit and target value.

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kivo {

class frmWerte : public QWidget {
    Q_OBJECT
public:
    explicit frmWerte(QWidget* parent = nullptr);

    QGroupBox* frmLimits;
    QLabel* lblMin;
    QLineEdit* txtMinLimit;
    QLabel* lblMax;
    QLineEdit* txtMaxLimit;
    QLabel* lblSoll;
    QLineEdit* txtSoll;
    QPushButton* cmdSpeichern;
    QPushButton* cmdLoeschen;
};

} // namespace kivo
