// The statistics of the training values that a check needs: the range that
// bounds the box size and the variance that normalises the errors.
#pragma once

#include <span>

namespace modelcheck {

struct TrainingStatistics {
  double minimum = 0.0;
  double maximum = 0.0;
  // The population variance (divisor Ntrain), not its root, of the values
  // multiplied by `error_scale`: the prediction errors are measured in the
  // same scaled units, so their ratio to it is the true one.
  double variance = 0.0;
  // 1 for every series whose variance is a normal double; for values so
  // large or so small that it overflows or underflows, the power of two
  // that brings the largest magnitude into [0.5, 1), which is exact.
  double error_scale = 1.0;
};

// Minimum, maximum and variance of x(1..Ntrain), Ntrain >= 1; the sums run in
// record order so the printed figures are the same on every machine.
TrainingStatistics ComputeStatistics(std::span<const double> x);

}  // namespace modelcheck
