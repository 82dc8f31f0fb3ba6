#pragma once
// Plays a script of operator actions against the real main window.
// Each command runs from the event loop; the next one is scheduled before a
// click is delivered, so a click whose handler waits for the gauge does not
// hold the script up: the script goes on inside that wait, as an operator
// would go on pressing keys.

#include "DriverDialogs.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

namespace kivo {

class frmTransfer;

class Driver : public QObject {
    Q_OBJECT
public:
    Driver(QStringList script, QString programFolder);
    ~Driver() override;

    // Starts playing; the process ends when the script ends or the
    // program ends.
    void begin();

private:
    void step();
    void pollIdle();
    void scheduleNext(int delayMs = 0);
    void finish();
    bool execute(const QString& line, int& delayMs);
    QObject* findControl(const QString& name) const;
    void fail(const QString& message);

    void doStart();
    void doClick(const QString& name);
    void doType(const QString& name, const QString& text);
    void doSelect(const QString& name, const QString& text);
    void doKey(const QString& key);

    QStringList lines;
    int next = 0;
    QString folder;
    DriverDialogs dialogs;
    std::unique_ptr<frmTransfer> window;
    bool ended = false;
    bool scriptFaulty = false; // an unknown command: the driver ends with 3
    int clickDepth = 0;
    // The modal window active when each running click started (nullptr: none).
    std::vector<QWidget*> clickModals;
    QDeadlineTimer idleDeadline;
};

} // namespace kivo
