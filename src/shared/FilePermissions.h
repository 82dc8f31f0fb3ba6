#pragma once
// Files the program makes under a temporary name start private to their
// owner; the finished file gets the permissions any file the user creates
// has (the umask), so a colleague on a shared PC or share can open it.

#include <QString>

namespace kivo {

// True when the permissions were set (always true where the system has no
// umask).
bool giveUsualPermissions(const QString& path);

} // namespace kivo
