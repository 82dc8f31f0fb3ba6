#pragma once
// The reading numbers labelled under a chart: whole numbers only, each at
// its own reading, at a round step (1, 2, 5, 10, 20, 50, ...) so that the
// labels stand side by side without running into each other. Pure.

#include <vector>

namespace kivo {

// The smallest round step at which the labels of `count` readings number at
// most `fit` (taken as at least 2).
int readingStep(int count, int fit);

// The reading numbers labelled: the multiples of the step up to `count`
// (1, 2, 3, ... at step 1).
std::vector<int> readingLabels(int count, int fit);

} // namespace kivo
