#pragma once
// An RK-SIVAR's answers over a fake wire: who it is (three readings in its
// memory) and the memory's dump.

#include <QByteArray>

namespace kivo::testing {

inline const QByteArray kIdentReply = "RK-SIVAR\r\nVD: 2.05\r\nM1:3\r\n\x04";
inline const QByteArray kDump = "RK-SIVAR M1 3\r\n\x02\r\n   1        10.0 um      \r\n   2        11.0 um      \r\n"
                                "   3        12.0 um      \r\n\x04";

} // namespace kivo::testing
