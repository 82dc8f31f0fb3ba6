#include "charts/frmChartG.h"

#include "platform/Controls.h"

#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {

frmChartG::frmChartG(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmChartG"));
    MSChartG = makeControl<QChartView>(this, "MSChartG", "chart");
    MSChartG->setRenderHint(QPainter::Antialiasing);
    cmdChartType = makeControl<QPushButton>(this, "cmdChartType", "button", QStringLiteral("Linie / Balken"));
    lblStrich = makeControl<QLabel>(this, "lblStrich", "label");
    lblMean = makeControl<QLabel>(this, "lblMean", "label");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cmdChartType);
    bottom->addWidget(lblStrich);
    bottom->addWidget(lblMean);
    bottom->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MSChartG, 1);
    layout->addLayout(bottom);
    resize(900, 600);
}

} // namespace kivo
