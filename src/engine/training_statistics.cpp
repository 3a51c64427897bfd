#include "engine/training_statistics.h"

#include <limits>

namespace modelcheck {

TrainingStatistics ComputeStatistics(std::span<const double> x) {
  TrainingStatistics statistics;
  statistics.maximum = std::numeric_limits<double>::lowest();
  statistics.minimum = std::numeric_limits<double>::max();
  for (double value : x) {
    if (value > statistics.maximum) statistics.maximum = value;
    if (value < statistics.minimum) statistics.minimum = value;
  }
  const double r = 1.0 / static_cast<double>(x.size());
  double sum = 0.0;
  for (double value : x) sum += value;
  const double mean = r * sum;
  double squares = 0.0;
  for (double value : x) squares += (value - mean) * (value - mean);
  statistics.variance = r * squares;
  return statistics;
}

}  // namespace modelcheck
