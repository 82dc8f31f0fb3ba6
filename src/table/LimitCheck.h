#pragma once
// Whether a reading lies within the limits.

namespace kivo {

enum class LimitMark { None, Within, Outside };

// Nothing is marked while both limits are 0 ("not set"). Otherwise a
// reading is outside below the lower limit, or above the upper limit when
// one is set: an upper limit of 0 means none, so a check against a minimum
// thickness alone marks the good readings as good. A value equal to a
// limit is within; with `absolut` the value's size counts.
LimitMark evaluateLimits(double value, bool absolut, double Emin, double Emax);

} // namespace kivo
