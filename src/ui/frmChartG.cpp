#include "ui/frmChartG.h"

#include "ui/Controls.h"
#include "texts/Texte.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {

frmChartG::frmChartG(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmChartG"));
    MSChartG = makeControl<ChartPanel>(this, "MSChartG", "chart");
    cmdChartType = makeControl<QPushButton>(this, "cmdChartType", "button", QStringLiteral("Linie / Balken"));
    cmdChartType->setAutoDefault(false);
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
    connect(cmdChartType, &QPushButton::clicked, this, &frmChartG::cmdChartType_Click);
}

void frmChartG::Form_Activate(const Input& input, const Texte& texte_)
{
    in = input;
    texte = &texte_;
    bar = false;
    cmdChartType->setText(texte->text(Stat::LinieBalken));
    setWindowTitle(texte->text(Msg::Titel));
    build();
}

void frmChartG::cmdChartType_Click()
{
    bar = !bar;
    build();
}

void frmChartG::build()
{
    if (!texte) return;
    const QLocale locale;
    if (!bar) {
        lblStrich->setText(QStringLiteral("__ __ __ "));
        lblMean->setText(texte->text(Stat::Mittelwert) + u' ' + in.anz_mean);
    }
    MSChartG->draw(windowChart(in.table, bar, in.limits, in.decimals, texte->languageIndex == kGerman, locale));
}

} // namespace kivo
