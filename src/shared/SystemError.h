#pragma once
// The system's reason for a failed file operation, in the operator's
// language: Qt says "Unknown error" after a short write or a failed commit,
// so the writers keep the errno of the call that failed and name it here.

#include <QString>

namespace kivo {

// The system's text for `errnum` (an errno value). The reasons an operator
// meets when saving (a full disk, no permission, a read-only medium, a
// quota, a failing medium, a file too large) have a German and an English
// text of their own; any other comes from the system as it words it.
QString systemErrorText(int errnum, bool german);

} // namespace kivo
