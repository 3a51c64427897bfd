#include "engine/training_statistics.h"

#include <cmath>
#include <limits>

namespace modelcheck {

namespace {

double Variance(std::span<const double> x, double scale) {
  const double r = 1.0 / static_cast<double>(x.size());
  double sum = 0.0;
  for (double value : x) sum += value * scale;
  const double mean = r * sum;
  double squares = 0.0;
  for (double value : x) squares += (value * scale - mean) * (value * scale - mean);
  return r * squares;
}

// The power of two that brings the largest magnitude of x into [0.5, 1).
double ScaleOf(std::span<const double> x) {
  double largest = 0.0;
  for (double value : x) largest = std::fmax(largest, std::fabs(value));
  if (!(largest > 0.0) || !std::isfinite(largest)) return 1.0;
  int exponent = 0;
  std::frexp(largest, &exponent);
  return std::ldexp(1.0, -exponent);
}

}  // namespace

TrainingStatistics ComputeStatistics(std::span<const double> x) {
  TrainingStatistics statistics;
  statistics.maximum = std::numeric_limits<double>::lowest();
  statistics.minimum = std::numeric_limits<double>::max();
  for (double value : x) {
    if (value > statistics.maximum) statistics.maximum = value;
    if (value < statistics.minimum) statistics.minimum = value;
  }
  // Multiplying by one changes no bit: ordinary series keep their figures.
  statistics.variance = Variance(x, 1.0);
  const bool spread = statistics.maximum > statistics.minimum;
  if (spread && !std::isnormal(statistics.variance)) {
    statistics.error_scale = ScaleOf(x);
    statistics.variance = Variance(x, statistics.error_scale);
  }
  return statistics;
}

}  // namespace modelcheck
