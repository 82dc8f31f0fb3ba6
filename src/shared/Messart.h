#pragma once
// The kinds of exchange with the gauge; the first three are also the three
// tables a reading goes to.

namespace kivo {

enum Messart : int { kFE = 0, kNFE = 1, kOnline = 2, kIdentification = 3 };

// Readings a table holds, whatever fills it.
inline constexpr int kMaxReadings = 5000;

} // namespace kivo
