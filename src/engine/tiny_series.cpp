#include "engine/tiny_series.h"

#include <algorithm>
#include <cmath>

namespace modelcheck {

namespace {

// Below this the squares and products in the fits are no longer normal doubles.
constexpr int kSmallestOrdinaryExponent = -1000;

void ScaleBack(std::vector<double>& values, int k) {
  for (double& value : values) value = std::ldexp(value, -k);
}

}  // namespace

FittedSeries::FittedSeries(std::span<const double> series) : values(series) {
  double largest = 0.0;
  for (const double value : series) largest = std::max(largest, std::fabs(value));
  if (largest == 0.0 || !std::isfinite(largest) || std::ilogb(largest) >= kSmallestOrdinaryExponent) return;
  k = -std::ilogb(largest) - 1;
  scaled.assign(series.begin(), series.end());
  for (double& value : scaled) value = std::ldexp(value, k);
  values = scaled;
}

void ScaleBack(CheckResult& result, int k) {
  if (k == 0) return;
  result.settings.eps = std::ldexp(result.settings.eps, -k);
  for (OrbitPoint& point : result.orbit) {
    point.newest = std::ldexp(point.newest, -k);
    point.prediction = std::ldexp(point.prediction, -k);
  }
  ScaleBack(result.iterative.first_piece, k);
  ScaleBack(result.direct.first_piece, k);
}

void ScaleBack(BaselineResult& result, int k) {
  if (k == 0) return;
  ScaleBack(result.persistence.first_piece, k);
  ScaleBack(result.global_iterative.first_piece, k);
  ScaleBack(result.global_direct.first_piece, k);
}

}  // namespace modelcheck
