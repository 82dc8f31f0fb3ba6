// Whether a reading lies within the limits, which colours its row.

#include "table/LimitCheck.h"

#include <gtest/gtest.h>
#include <ostream>

namespace kivo {

inline void PrintTo(LimitMark mark, std::ostream* os)
{
    *os << (mark == LimitMark::None ? "None" : mark == LimitMark::Within ? "Within" : "Outside");
}

} // namespace kivo

using namespace kivo;

namespace {

constexpr LimitMark kNone = LimitMark::None;
constexpr LimitMark kIn = LimitMark::Within;
constexpr LimitMark kOut = LimitMark::Outside;

TEST(EvaluateLimits, MarksReadingsAgainstTheLimits)
{
    struct Case {
        double value;
        bool absolut;
        double Emin;
        double Emax;
        LimitMark mark;
    };
    const Case cases[] = {
        // Both limits 0: no limits set, nothing is marked.
        {5, false, 0, 0, kNone}, {-5, true, 0, 0, kNone},
        // Both limits set; a value on a limit is within.
        {1, false, 1, 10, kIn}, {10, false, 1, 10, kIn}, {0.99, false, 1, 10, kOut}, {10.01, false, 1, 10, kOut},
        {0, false, 1, 10, kOut},
        // A minimum thickness alone: an upper limit of 0 is no upper limit.
        {1e6, false, 10, 0, kIn}, {10, false, 10, 0, kIn}, {5, false, 10, 0, kOut}, {2, false, -5, 0, kIn},
        {-6, false, -5, 0, kOut},
        // Lower limit 0 with an upper limit.
        {-1, false, 0, 20, kOut}, {0, false, 0, 20, kIn}, {20.5, false, 0, 20, kOut},
        // Negative limits: 0 is never outside through the upper limit.
        {0, false, -10, -5, kIn}, {-4, false, -10, -5, kOut}, {-11, false, -10, -5, kOut},
        // With absolut the size of the value counts.
        {-12, true, 10, 20, kIn}, {-12, false, 10, 20, kOut}, {-25, true, 10, 20, kOut}, {-1, true, 0, 20, kIn},
    };
    for (const Case& c : cases)
        EXPECT_EQ(evaluateLimits(c.value, c.absolut, c.Emin, c.Emax), c.mark)
            << c.value << (c.absolut ? " absolut" : "") << " against " << c.Emin << ".." << c.Emax;
}

} // namespace
