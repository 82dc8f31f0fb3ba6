// Waiting for the gauge: the event loop keeps running, so the serial
// events arrive and the window stays responsive; Escape ends any wait.

#include "app/frmTransfer.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <cmath>

namespace kivo {

bool frmTransfer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        escapePressed = true;
    if (watched == cmdWerte && event->type() == QEvent::FocusOut) cmdWerte_LostFocus();
    return QMainWindow::eventFilter(watched, event);
}

bool frmTransfer::waitFor(const std::function<bool()>& done, int timeoutMs)
{
    if (done()) return true;
    if (waitDepth++ == 0) {
        escapePressed = false;
        escapeHint->setText(texte.languageIndex == kGerman ? QStringLiteral("Warten auf das Gerät – Esc bricht ab")
                                                           : QStringLiteral("Waiting for the gauge – Esc cancels"));
        escapeHint->setVisible(true);
        cancelButton->setText(texte.languageIndex == kGerman ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"));
        cancelButton->setVisible(true);
    }
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer tick;
    bool result = false;
    connect(&tick, &QTimer::timeout, &loop, [&] {
        if (done()) result = true;
        else if (!escapePressed && !programEnded && (timeoutMs < 0 || clock.elapsed() < timeoutMs)) return;
        loop.quit();
    });
    tick.start(5);
    loop.exec();
    if (--waitDepth == 0) {
        escapeHint->setVisible(false);
        cancelButton->setVisible(false);
    }
    return result;
}

void frmTransfer::Delay(int nSekunden)
{
    // Whole seconds of the system clock, as the gauge's pauses were timed.
    const double start = QDateTime::currentMSecsSinceEpoch() / 1000.0;
    const double target = std::round(start + nSekunden);
    const int ms = int((target - start) * 1000.0) + 1;
    QElapsedTimer clock;
    clock.start();
    ++waitDepth;
    QEventLoop loop;
    QTimer::singleShot(qMax(0, ms), &loop, &QEventLoop::quit);
    connect(this, &frmTransfer::programEnd, &loop, &QEventLoop::quit);
    loop.exec();
    --waitDepth;
}

} // namespace kivo
