#pragma once
// The version CMake gives the project, which the programs must show.

#include <QString>

namespace kivo::e2e {

inline QString projectVersion() { return QStringLiteral(KIVO_PROJECT_VERSION); }
// As the title and the info window show it.
inline QString titleVersion() { return u'V' + projectVersion(); }

} // namespace kivo::e2e
