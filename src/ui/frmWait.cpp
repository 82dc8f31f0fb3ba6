#include "ui/frmWait.h"

#include "ui/Controls.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kivo {

frmWait::frmWait(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("frmWait"));
    Waitmessage = makeControl<QLabel>(this, "Waitmessage", "label");
    Waitmessage->setAlignment(Qt::AlignCenter);
    WaitBar = makeControl<QProgressBar>(this, "WaitBar", "progress");
    WaitBar->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(Waitmessage);
    layout->addWidget(WaitBar);
    setFixedWidth(340);
}

} // namespace kivo
