#pragma once
// Watches the machine's serial ports and reports ports that appear or go.

#include <QObject>
#include <QSet>
#include <QTimer>

namespace kivo {

class PortWatcher : public QObject {
    Q_OBJECT
public:
    explicit PortWatcher(QObject* parent = nullptr);
    // Starts watching from the ports there are now.
    void start(int intervalMs = 1000);

signals:
    // kind: 1 plugged in, 2 unplugged (see PortChange).
    void portChanged(int kind, const QString& portName);

private:
    void poll();
    QSet<QString> known;
    QTimer timer;
};

} // namespace kivo
