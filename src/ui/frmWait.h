#pragma once
// The small progress window shown while the program looks for ports.

#include <QWidget>

class QLabel;
class QProgressBar;

namespace kivo {

class frmWait : public QWidget {
    Q_OBJECT
public:
    explicit frmWait(QWidget* parent = nullptr);

    QProgressBar* WaitBar;
    QLabel* Waitmessage;
};

} // namespace kivo
