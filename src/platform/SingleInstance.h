#pragma once
// Only one copy of the program runs per installation and user. A second
// copy started with a file (a measurement file opened from the file
// manager) hands the file to the copy that runs and ends.

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QFileSystemWatcher;

namespace kivo {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` names the installation (program folder and settings folder).
    explicit SingleInstance(const QString& key);
    ~SingleInstance() override;
    // False when another running copy holds the lock. Held, the files
    // handed over by later copies arrive as fileHandedOver.
    bool acquire();
    // Gives the file to the copy that holds the lock; false when that could
    // not be done.
    bool handOver(const QString& path);

signals:
    void fileHandedOver(const QString& path);

private:
    void takeHandedOver();

    std::unique_ptr<QLockFile> lock;
    // The user's own folder the files are handed over in, one file each.
    QString inbox;
    QFileSystemWatcher* watcher = nullptr;
};

} // namespace kivo
