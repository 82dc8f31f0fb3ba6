#include "ui/frmInfo.h"

#include "ui/WindowKeys.h"
#include "ui/Controls.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kivo {

frmInfo::frmInfo(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmInfo"));
    frmInfoFrame = makeControl<QGroupBox>(this, "frmInfo", "frame", QStringLiteral("Info "));
    auto* grid = new QGridLayout(frmInfoFrame);
    int row = 0;
    auto addPair = [&](QLabel*& label, const char* labelName, const char* caption, QLineEdit*& box,
                       const char* boxName) {
        label = makeControl<QLabel>(frmInfoFrame, labelName, "label", QString::fromUtf8(caption));
        box = makeControl<QLineEdit>(frmInfoFrame, boxName, "text");
        box->setReadOnly(true);
        // A caption is never cut: the boxes give way, the window grows.
        label->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        ++row;
    };
    // The first two captions follow the language when the window shows; the
    // others are shown alike in both.
    addPair(lblGeraet, "lblGeraet", "Geraet", txtGeraet, "txtGeraet");
    addPair(lblGeraetSoft, "lblGeraetSoft", "Version Geraetesoftware", txtGeraeteSoft, "txtGeraeteSoft");
    addPair(lblPCSoft, "lblPCSoft", "Version PC Software", txtPCSoft, "txtPCSoft");
    addPair(lblMacAdr, "lblMacAdr", "MacAdresse", txtMacAdr, "txtMacAdr");
    addPair(lblSondentyp, "lblSondentyp", "Sondentyp", txtSondentyp, "txtSondentyp");
    addPair(lblSondenversion, "lblSondenversion", "Sondenversion", txtSondenversion, "txtSondenversion");
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frmInfoFrame);
    setMinimumWidth(380);
    useWindowKeys(this);
}

void frmInfo::fitToCaptions()
{
    // The captions change as the window shows: it grows at once, before it
    // is drawn with one of them cut.
    frmInfoFrame->layout()->invalidate();
    layout()->invalidate();
    resize(size().expandedTo(minimumSizeHint()));
    layout()->activate();
    frmInfoFrame->layout()->activate();
}

void frmInfo::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    emit activated();
}

void frmInfo::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) emit activated();
}

} // namespace kivo
