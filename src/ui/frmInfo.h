#pragma once
// The info window: program version and what the gauge told about itself.

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;

namespace kivo {

class frmInfo : public QWidget {
    Q_OBJECT
public:
    explicit frmInfo(QWidget* parent = nullptr);
    // Grown to show every caption whole, after they changed.
    void fitToCaptions();

    QGroupBox* frmInfoFrame; // the frame is named frmInfo, like its window
    QLabel* lblGeraet;
    QLineEdit* txtGeraet;
    QLabel* lblGeraetSoft;
    QLineEdit* txtGeraeteSoft;
    QLabel* lblPCSoft;
    QLineEdit* txtPCSoft;
    QLabel* lblMacAdr;
    QLineEdit* txtMacAdr;
    QLabel* lblSondentyp;
    QLineEdit* txtSondentyp;
    QLabel* lblSondenversion;
    QLineEdit* txtSondenversion;

signals:
    // The window became active (or was shown): its values are filled anew.
    void activated();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
};

} // namespace kivo
