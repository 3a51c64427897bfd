// The statistics of the training values that a check needs: the range that
// bounds the box size and the variance that normalises the errors.
#pragma once

#include <span>

namespace modelcheck {

struct TrainingStatistics {
  double minimum = 0.0;
  double maximum = 0.0;
  double variance = 0.0;  // population variance (divisor Ntrain), not its root
};

// Minimum, maximum and variance of x(1..Ntrain), Ntrain >= 1; the sums run in
// record order so the printed figures are the same on every machine.
TrainingStatistics ComputeStatistics(std::span<const double> x);

}  // namespace modelcheck
