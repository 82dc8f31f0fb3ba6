#include "platform/ReadingAxis.h"

#include <algorithm>

namespace kivo {

int readingStep(int count, int fit)
{
    fit = std::max(fit, 2);
    // 1, 2, 5, 10, 20, 50, ...: each at most two and a half times the last,
    // so a step that leaves too many labels is followed by one that leaves
    // at least one.
    for (int decade = 1;; decade *= 10)
        for (int m : {1, 2, 5})
            if (count / (m * decade) <= fit) return m * decade;
}

std::vector<int> readingLabels(int count, int fit)
{
    std::vector<int> labels;
    if (count < 1) return labels;
    const int step = readingStep(count, fit);
    for (int n = step; n <= count; n += step) labels.push_back(n);
    return labels;
}

} // namespace kivo
