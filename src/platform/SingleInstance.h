#pragma once
// Only one copy of the program runs per installation and user.

#include <QLockFile>
#include <QString>
#include <memory>

namespace kivo {

class SingleInstance {
public:
    // `key` names the installation (program folder and settings folder).
    explicit SingleInstance(const QString& key);
    // False when another running copy holds the lock.
    bool acquire();

private:
    std::unique_ptr<QLockFile> lock;
};

} // namespace kivo
