// The x component of the Henon map x' = 1 - 1.4 x^2 + y, y' = 0.3 x, from
// (0.1, 0.1): a chaotic series whose local models predict well.
#pragma once

#include <string>
#include <vector>

namespace modelcheck::testing {

// `count` values after `transient` steps dropped to reach the attractor.
std::vector<double> HenonValues(int count, int transient = 100);

// HenonValues(count) as a series file: one value a line, 12 decimals.
std::string HenonSeries(int count);

}  // namespace modelcheck::testing
