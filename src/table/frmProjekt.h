#pragma once
// The project data window: six labelled free-text fields, a date and a time.

#include <QWidget>
#include <array>

class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace kivo {

class frmProjekt : public QWidget {
    Q_OBJECT
public:
    explicit frmProjekt(QWidget* parent = nullptr);

    QGroupBox* frmRahmen;
    std::array<QLabel*, 6> lblFelder;    // lblFelder(1..6) are [0..5]
    std::array<QLineEdit*, 6> txtFelder; // txtFelder(1..6) are [0..5]
    QLabel* lblDtp;
    QDateEdit* DTPDate;
    QTimeEdit* DTPTime;
    QGroupBox* Frame1;
    QPushButton* cmdSpeichern;
    QPushButton* cmdLoeschen;
};

} // namespace kivo
