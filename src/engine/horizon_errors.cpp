#include "engine/horizon_errors.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace modelcheck {

void SumSquaredErrors(std::span<const double> squared, std::int32_t piece_count, std::span<double> errors) {
  ClearHorizonErrors(errors);
  const std::size_t Ltest = errors.size();
  for (std::size_t k = 0; k < static_cast<std::size_t>(piece_count); ++k) {
    for (std::size_t i = 0; i < Ltest; ++i) errors[i] += squared[k * Ltest + i];
  }
}

void ClearHorizonErrors(std::span<double> errors) { std::ranges::fill(errors, 0.0); }

void AddSquaredError(std::span<double> errors, std::int32_t horizon, double prediction, double target) {
  const double difference = prediction - target;
  errors[static_cast<std::size_t>(horizon - 1)] += difference * difference;
}

void NormaliseHorizonErrors(std::span<double> errors, std::int32_t piece_count, double variance) {
  // Both divisions become multiplications by reciprocals formed once, so the
  // printed figures do not depend on how a compiler would fold them.
  const double per_piece = 1.0 / static_cast<double>(piece_count);
  const double per_variance = 1.0 / variance;
  for (double& error : errors) {
    error = error * per_piece;
    error = std::sqrt(error * per_variance);
  }
}

std::int32_t PredictionTime(std::span<const double> errors, double threshold) {
  std::int32_t time = 0;
  // Written as "at most the threshold" so that a NaN error stops the count.
  while (static_cast<std::size_t>(time) < errors.size() &&
         std::fabs(errors[static_cast<std::size_t>(time)]) <= threshold) {
    ++time;
  }
  return time;
}

}  // namespace modelcheck
