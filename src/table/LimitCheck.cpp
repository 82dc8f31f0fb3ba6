#include "table/LimitCheck.h"

#include <cmath>

namespace kivo {

LimitMark evaluateLimits(double value, bool absolut, double Emin, double Emax)
{
    const double x = absolut ? std::fabs(value) : value;
    if (Emin == 0 && Emax == 0) return LimitMark::None;
    const bool aboveMax = Emax != 0 && x != 0 && x > Emax;
    return aboveMax || x < Emin ? LimitMark::Outside : LimitMark::Within;
}

} // namespace kivo
