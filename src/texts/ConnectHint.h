#pragma once
// What to check when a gauge did not answer Connect.

#include <QString>

namespace kivo {

// The gauge did not answer, and what the operator should look at: the
// gauge switched on, the port, and the cable or the Bluetooth pairing.
QString connectHint(bool german, bool bluetooth);

} // namespace kivo
